#pragma once
// A small notice with the busy cursor, for the seconds a slow step takes.

#include <memory>
#include <string>

namespace forms {

/// Tells the user the program is busy: a small window with `text` and the busy cursor,
/// both gone when the notice closes or is destroyed.
class BusyNotice {
public:
    BusyNotice();
    ~BusyNotice();
    BusyNotice(const BusyNotice&) = delete;
    BusyNotice& operator=(const BusyNotice&) = delete;

    /// Shows the notice with `text`.
    void show(const std::string& text);
    /// Lets the notice paint itself while the program waits.
    void pump();
    /// Takes the notice and the busy cursor away.
    void close();
    bool shown() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace forms
