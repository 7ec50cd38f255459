#pragma once
// A person at the tests' office: LibreOffice's own dialogs (its password question, its "Document
// in Use" alert) are answered as a person answers them, through the relay behind the office.
// And an office that fails: reads of given properties raise in it while a FailingReads lives.

#include <string>
#include <vector>

/// Presses the button named `button` in the dialog the office shows, waiting up to `ms` for
/// one to show; the dialog's title, empty when none came.
std::string press_in_office(const std::string& button, unsigned ms);

/// While it lives, the office fails every read of the properties `names` (its getter raises,
/// and the bridge answers such a read with an empty value).
class FailingReads {
public:
    explicit FailingReads(const std::vector<std::string>& names);
    ~FailingReads();
    FailingReads(const FailingReads&) = delete;
    FailingReads& operator=(const FailingReads&) = delete;
};
