#pragma once
// Private to the forms layer: what each system does for a form, behind the life cycle that
// form.cpp writes once (form_linux.cpp on Qt, form_windows.cpp on the system's own windows).

#include "form.h"

#include <memory>

namespace forms {

/// Puts the form's window on the screen, in front, with the keyboard.
void show_window(Form::Impl& form);
/// Takes the form's window off the screen; a modal showing ends.
void hide_window(Form::Impl& form);
/// Whether the form is showing modally.
bool showing_modally(const Form::Impl& form);
/// Shows `form` modally, every other window of the program out of reach meanwhile, and
/// returns when the showing ends (hidden, or the form closed).
void run_modal(Form::Impl& impl, const Form& form);
/// Gives the form's window an outer size of `width` by `height` twips.
void size_window(Form::Impl& form, int width, int height);
/// Places the form's window at `left`, `top` twips on the screen.
void place_window(Form::Impl& form, int left, int top);
/// A new control of kind T (Frame, Label, PictureBox, Image) inside `container`, or on the
/// form itself when it is null.
template <typename T>
std::unique_ptr<T> new_control(Form::Impl& form, Control* container);

} // namespace forms
