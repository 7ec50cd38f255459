#pragma once
// The tour's window on Qt: filled apart from being run, so that its layout can be looked at.

#include "tour_window.h"

class QWidget;

/// Fills `window` with a button for each of `operations`, its argument fields (each named for a
/// screen reader by its label and operation, and wide enough for its value) and the results,
/// named "Results"; the keyboard starts on the first button.
void fill_tour_window(QWidget& window, const std::vector<Operation>& operations, const Press& press);
