#pragma once
// Private to the printing layer: the print system's destinations, held for one look.

#include <cups/cups.h>

#include <string>

namespace queues {

/// The destinations as the user sees them (the user's lpoptions over the server's values),
/// freed when the object goes.
class Dests {
public:
    Dests() { count_ = cupsGetDests2(CUPS_HTTP_DEFAULT, &list_); }
    ~Dests() { cupsFreeDests(count_, list_); }
    Dests(const Dests&) = delete;
    Dests& operator=(const Dests&) = delete;

    /// The queue `name`, matched regardless of letter case; null when there is none.
    cups_dest_t* find(const std::string& name) const
    {
        return cupsGetDest(name.c_str(), nullptr, count_, list_);
    }
    cups_dest_t* begin() const { return list_; }
    cups_dest_t* end() const { return list_ + count_; }
    /// Writes every destination's options and the default back to the user's lpoptions.
    bool save() const { return cupsSetDests2(CUPS_HTTP_DEFAULT, count_, list_) == 0; }

private:
    cups_dest_t* list_ = nullptr;
    int count_ = 0;
};

/// The option's value in the destination; empty when it has none.
inline std::string option(const cups_dest_t* d, const char* name)
{
    const char* v = cupsGetOption(name, d->num_options, d->options);
    return v ? v : "";
}

} // namespace queues
