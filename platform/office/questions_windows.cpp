// The questions LibreOffice asked while opening, on Windows. The automation bridge hands ZEB
// no way to answer the office's questions itself, so the file is not opened a second time
// (which would ask the person again): a load that gave no document is taken as a question
// that was cancelled, and which one is not known.

#include "questions.h"

namespace office {

std::vector<Question> questions_on_opening(const rt::Object&, const std::string&, bool* left_open)
{
    if (left_open)
        *left_open = false;
    return {Question::Other};
}

} // namespace office
