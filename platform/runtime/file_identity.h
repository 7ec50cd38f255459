#pragma once
// Whether a document the office has open is a given file: the office names it by its file URL,
// the program by the path the person chose, and the two may spell one file differently.

#include <string>

namespace rt {

/// Whether the office's `document_url` (as the office spells it, escapes and all) names the
/// file at `path`, whose URL the program made is `url`: the same URL once its escapes are read
/// back, or the same file as the system tells files apart, whatever link, letter case or
/// spelling of the URL names it.
bool names_same_file(const std::string& document_url, const std::string& path, const std::string& url);

/// The path of the file a file URL names on this system (its escapes read back); empty when
/// the URL names no file here.
std::string path_of_url(const std::string& url);

/// The file URL of a POSIX path: every byte a URL's path cannot carry as it is (a blank or
/// control character, any byte beyond ASCII, "%", "#", "?") escaped.
std::string posix_file_url(const std::string& path);

/// A URL with its percent escapes read back.
std::string unescaped(const std::string& url);

} // namespace rt
