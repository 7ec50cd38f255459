// Taking the places in LibreOffice's sources out of what it says, for a person to read.

#include "office_words.h"

#include <iostream>
#include <regex>

namespace office {

std::string office_words(const std::string& message)
{
    // " at <path>.cxx:<line>", as the office's exceptions end, wherever it stands in the text.
    static const std::regex place(R"(\s*\bat\s+\S+\.(cxx|hxx|cpp|hpp|cc|c|h):\d+)");
    std::string words = std::regex_replace(message, place, "");
    if (words != message)
        std::cerr << "zeb: LibreOffice said: " << message << '\n';
    const auto last = words.find_last_not_of(" \t\r\n");
    words.erase(last == std::string::npos ? 0 : last + 1);
    return words;
}

} // namespace office
