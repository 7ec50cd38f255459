#pragma once
// Looking at what the office holds, and at the files it was given.

#include "runtime/object.h"
#include "runtime/value.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

/// How many documents the office has open.
inline int open_documents(const std::shared_ptr<rt::Object>& desk)
{
    auto e = desk->get("Components").to_object()->call("createEnumeration", {}).to_object();
    int n = 0;
    while (e->call("hasMoreElements", {}).to_bool()) {
        e->call("nextElement", {});
        ++n;
    }
    return n;
}

/// The bytes of a file.
inline std::string file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// The lock file LibreOffice keeps beside a document it has open.
inline std::string lock_file_of(const std::string& path)
{
    const std::filesystem::path p(path);
    return (p.parent_path() / (".~lock." + p.filename().string() + "#")).string();
}
