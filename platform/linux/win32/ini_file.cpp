#include "win32/ini_file.h"

#include <filesystem>
#include <fstream>
#include <strings.h>

namespace win32 {
namespace {

struct Line {
    std::string text;
    std::string section; ///< the section the line belongs to
    std::string key;     ///< empty for a section header, a comment or a blank line
    bool header = false;
};

std::string trimmed(const std::string& s)
{
    const auto a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return "";
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

bool same(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

std::vector<Line> read_lines(const std::string& path)
{
    std::vector<Line> lines;
    std::ifstream in(path);
    std::string text, section;
    while (std::getline(in, text)) {
        Line l{text, section, "", false};
        const std::string t = trimmed(text);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            section = trimmed(t.substr(1, t.size() - 2));
            l.section = section;
            l.header = true;
        } else if (const auto eq = t.find('='); eq != std::string::npos && t[0] != ';') {
            l.key = trimmed(t.substr(0, eq));
        }
        lines.push_back(l);
    }
    return lines;
}

} // namespace

std::optional<std::string> ini_read(const std::string& path, const std::string& section, const std::string& key)
{
    for (const Line& l : read_lines(path))
        if (!l.key.empty() && same(l.section, section) && same(l.key, key)) {
            const std::string t = trimmed(l.text);
            return trimmed(t.substr(t.find('=') + 1));
        }
    return std::nullopt;
}

std::vector<std::string> ini_keys(const std::string& path, const std::string& section)
{
    std::vector<std::string> keys;
    for (const Line& l : read_lines(path))
        if (!l.key.empty() && same(l.section, section))
            keys.push_back(l.key);
    return keys;
}

bool ini_write(const std::string& path, const std::string& section, const std::string& key,
               const std::optional<std::string>& value)
{
    std::vector<Line> lines = read_lines(path);
    std::vector<std::string> out;
    bool done = false;
    int last_of_section = -1;
    for (const Line& l : lines) {
        if (!l.key.empty() && same(l.section, section) && same(l.key, key)) {
            if (value && !done)
                out.push_back(key + "=" + *value);
            done = true;
            last_of_section = static_cast<int>(out.size()) - 1;
            continue;
        }
        out.push_back(l.text);
        if (same(l.section, section) && (!l.key.empty() || l.header))
            last_of_section = static_cast<int>(out.size()) - 1;
    }
    if (!done && value) {
        if (last_of_section < 0) {
            out.push_back("[" + section + "]");
            last_of_section = static_cast<int>(out.size()) - 1;
        }
        out.insert(out.begin() + last_of_section + 1, key + "=" + *value);
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    const std::string temporary = path + ".new";
    {
        std::ofstream file(temporary, std::ios::trunc);
        for (const std::string& l : out)
            file << l << '\n';
        if (!file.flush())
            return false;
    }
    std::filesystem::rename(temporary, path, ec);
    return !ec;
}

} // namespace win32
