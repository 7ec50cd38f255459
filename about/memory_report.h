#pragma once
// The machine's memory as the about box reports it.

#include "win32/memory_status.h"

#include <cstdint>
#include <functional>
#include <string>

/// One unsigned 64-bit value from its two 32-bit halves, each read as unsigned.
double join_halves(std::int32_t low, std::int32_t high);

/// "Total memory = " and the size, a line feed, "of which " and the share free "% is available.",
/// from a filled memory status; `size_text` formats the byte count.
std::string memory_report(const win32::MEMORYSTATUSEX& status, const std::function<std::string(double)>& size_text);
