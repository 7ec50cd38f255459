#pragma once
// Window handles and the toolkit widgets behind them: the forms register their windows, the
// dialogs find their owner's.

#include <cstdint>

class QWidget;

namespace toolkit {

/// A new handle for `widget`; it is forgotten when the widget goes.
std::intptr_t register_window(QWidget* widget);
/// The widget behind `hwnd`, or null for 0 or a handle that is no longer valid.
QWidget* window_for(std::intptr_t hwnd);

} // namespace toolkit
