#pragma once
// The readable texts of the common dialogs' extended error codes.

#include <cstdint>
#include <string>

/// The text for extended error `code`; "Undocumented error." for a code not in the table.
std::string dialog_error_text(std::int32_t code);
