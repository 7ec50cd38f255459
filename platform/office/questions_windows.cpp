// The questions LibreOffice asked while opening, on Windows. The automation bridge hands ZEB
// no way to answer the office's questions itself, so the file is not opened a second time
// (which would ask the person again); what the file itself shows is read instead. A file ZEB
// cannot read either (access denied, held by another program, a read that fails) is an error
// the office reported, which asked nothing; a lock file beside it (another user's, or one an
// office that ended left) is what the office asked about; anything else was a question that
// was cancelled, and which one is not known.

#include "questions.h"

#include "runtime/com_value.h"
#include "runtime/file_identity.h"

#include <windows.h>

namespace office {
namespace {

/// Whether the whole file at `path` reads, as the office reads it (others may read and write
/// it meanwhile).
bool reads(const std::string& path)
{
    const HANDLE file = CreateFileW(rt::wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> chunk(64 * 1024); // read and dropped: only whether it reads counts
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) != 0) && got > 0) {
    }
    CloseHandle(file);
    return ok;
}

/// The lock file LibreOffice keeps beside the file at `path` while one has it open.
std::string lock_file_of(const std::string& path)
{
    const auto slash = path.find_last_of("\\/");
    const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, name) + ".~lock." + path.substr(name) + "#";
}

} // namespace

std::vector<Question> questions_on_opening(const rt::Object&, const std::string& url, bool* left_open)
{
    if (left_open)
        *left_open = false;
    const std::string path = rt::path_of_url(url);
    if (path.empty())
        return {Question::Other};
    if (!reads(path))
        return {Question::Report};
    if (GetFileAttributesW(rt::wide(lock_file_of(path)).c_str()) != INVALID_FILE_ATTRIBUTES)
        return {Question::Lock};
    return {Question::Other};
}

} // namespace office
