#include "office_process.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace office {
namespace {

/// The inodes of the sockets bound to `path` (the kernel's list of local sockets).
std::vector<std::string> socket_inodes(const std::string& path)
{
    std::vector<std::string> inodes;
    std::ifstream table("/proc/net/unix");
    std::string line;
    std::getline(table, line); // the header
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string num, refs, protocol, flags, type, state, inode, bound;
        if (fields >> num >> refs >> protocol >> flags >> type >> state >> inode >> bound && bound == path)
            inodes.push_back(inode);
    }
    return inodes;
}

bool started_headless(const std::filesystem::path& process)
{
    std::ifstream cmdline(process / "cmdline");
    std::string arg;
    while (std::getline(cmdline, arg, '\0'))
        if (arg == "--headless" || arg == "-headless")
            return true;
    return false;
}

} // namespace

bool runs_headless(const std::string& socket_path)
{
    const std::vector<std::string> inodes = socket_inodes(socket_path);
    if (inodes.empty())
        return false;
    // Processes end while the folders are read: every step is taken with an error code, so a
    // process gone meanwhile is passed over, never thrown at the caller.
    std::error_code ec;
    const std::filesystem::directory_iterator end;
    for (std::filesystem::directory_iterator it("/proc", ec); !ec && it != end; it.increment(ec)) {
        const std::filesystem::directory_entry& process = *it;
        const std::string name = process.path().filename();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        // Only the office's own processes can hold its pipe; their descriptors alone are read.
        std::string command;
        std::getline(std::ifstream(process.path() / "comm"), command);
        if (command.rfind("soffice", 0) != 0)
            continue;
        std::error_code fd_ec;
        for (std::filesystem::directory_iterator fd(process.path() / "fd", fd_ec); !fd_ec && fd != end;
             fd.increment(fd_ec)) {
            std::error_code link_ec;
            const std::string target = std::filesystem::read_symlink(fd->path(), link_ec).string();
            for (const std::string& inode : inodes)
                if (target == "socket:[" + inode + "]")
                    return started_headless(process.path());
        }
    }
    return false;
}

} // namespace office
