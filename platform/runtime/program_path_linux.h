#pragma once
// Finding a program the way a shell does.

#include <string>

namespace rt {

/// The full path of `program`, searched on PATH when it has no "/"; empty when there is none.
std::string find_program(const std::string& program);

} // namespace rt
