#pragma once
// Private to the office layer: which office to reach and how to start it.

#include <string>
#include <vector>

namespace office {

struct Settings {
    std::string soffice;  ///< the program that starts the office
    std::string pipe;     ///< the pipe the office accepts ZEB on
    std::string profile;  ///< a private profile folder; empty for the user's own
    bool headless = false;
    double wait_seconds = 60;

    /// The settings the environment gives, with their defaults.
    static Settings from_environment();
    /// How the office is reached: its pipe, in the connector's terms.
    std::string connection() const;
    /// The command line that starts the office accepting on the pipe.
    std::vector<std::string> command_line() const;
};

} // namespace office
