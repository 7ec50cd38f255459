#pragma once
// A person at the tests' office: LibreOffice's own dialogs (its password question, its "Document
// in Use" alert) are answered as a person answers them, through the relay behind the office.

#include <string>

/// Presses the button named `button` in the dialog the office shows, waiting up to `ms` for
/// one to show; the dialog's title, empty when none came.
std::string press_in_office(const std::string& button, unsigned ms);
