#pragma once
// What ZEB has asked of the office over one connection.

#include <cstdint>

namespace office {

/// Counts since the connection was made.
struct Traffic {
    std::uint64_t calls = 0;    ///< calls, property reads and writes made by name
    std::uint64_t messages = 0; ///< bridge messages written to the office, of every kind
    std::uint64_t requests = 0; ///< messages that wait for the office's answer: calls, questions
    std::uint64_t releases = 0; ///< messages letting go of an office object, which are not answered
};

} // namespace office
