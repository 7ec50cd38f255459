#pragma once
// The tour's window: a button for each operation, its argument fields, and the results.

#include "operations.h"

#include "forms/application.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

/// What pressing the button of operation `index` with `args` gives: the line to show.
using Press = std::function<std::string(std::size_t index, const std::vector<std::string>& args)>;

/// Shows the tour's window for `operations` until it is closed; `huke` holds its handle
/// before any button can be pressed. The program's exit code.
int run_tour_window(forms::Application& app, const std::vector<Operation>& operations, std::intptr_t& huke,
                    const Press& press);
