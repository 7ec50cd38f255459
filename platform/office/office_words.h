#pragma once
// What the office says in an exception, fit for a person: its own words without the places in
// its sources ("... at ./sfx2/source/view/sfxbasecontroller.cxx:337") that it appends.

#include <string>

namespace office {

/// `message` without the source files and lines of LibreOffice's it names; the whole message
/// goes to standard error when something was taken out, for whoever looks into a fault.
std::string office_words(const std::string& message);

} // namespace office
