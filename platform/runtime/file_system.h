#pragma once
// The file-system automation object: files and their dates.

#include <ctime>
#include <string>

namespace rt {

/// A file the file system object found.
class File {
public:
    explicit File(std::string path, std::time_t modified) : path_(std::move(path)), modified_(modified) {}
    const std::string& Path() const { return path_; }
    /// When the file was last changed.
    std::time_t DateLastModified() const { return modified_; }

private:
    std::string path_;
    std::time_t modified_;
};

/// Reaches files by path.
class FileSystemObject {
public:
    /// The file at `path`; a missing or unreadable file raises error 53.
    File GetFile(const std::string& path) const;
};

} // namespace rt
