#pragma once
// The running program as its runtime describes it: folder, title, version information.

#include <cstdint>
#include <string>

namespace rt {

/// The program's version resource.
struct VersionInfo {
    std::string product_name;
    int major = 0;
    int minor = 0;
    int revision = 0;
    std::string file_description;
    std::string comments;
    std::string company_name;
    std::string legal_copyright;
    std::string legal_trademarks;
};

/// Facts about the running program.
class App {
public:
    /// The folder of the running executable, without a trailing separator.
    static std::string path();
    /// The program's title, "ZEB".
    static std::string title();
    /// The version information built into the program.
    static const VersionInfo& version();
    /// The program's own module instance handle.
    static std::intptr_t instance();
};

} // namespace rt
