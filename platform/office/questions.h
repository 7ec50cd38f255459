#pragma once
// The questions LibreOffice asks while it opens a document: a password, a lock it cannot take or
// honour, a damaged file it offers to repair. A load that gives no document may be a question the
// person cancelled in LibreOffice, or a file that does not open: which one it was is asked after.

#include "runtime/object.h"

#include <string>
#include <vector>

namespace office {

/// What a question asked about: Lock, a lock another user or program holds (or one left by an
/// office that ended); LockNotMade, a lock LibreOffice could not create (a folder the person
/// cannot write to, a name too long for the lock file's name). Report is an error LibreOffice
/// reported, which asks nothing.
enum class Question { Password, Lock, LockNotMade, Repair, Other, Report };

/// The questions LibreOffice asks on opening the file at `url` through the desktop `desktop`
/// came from. The file is opened again, hidden, and every question is answered with Cancel
/// before any window shows it, so nothing reaches the person and no lock is taken; a document
/// that opens all the same is closed unsaved, and disposed of when its close is refused.
/// `left_open`, when given, says whether it stayed open all the same (hidden, holding a lock on
/// the file). Throws rt::Error when the office is gone.
std::vector<Question> questions_on_opening(const rt::Object& desktop, const std::string& url,
                                           bool* left_open = nullptr);

} // namespace office
