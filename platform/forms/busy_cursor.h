#pragma once
// The busy cursor, for as long as a step keeps the user waiting.

namespace forms {

/// Shows the busy cursor while it lives.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace forms
