#pragma once
// A printer object: one queue, with the settings a job through it would have, read and
// written by the properties' member identifiers.

#include "queues/queue.h"
#include "queues/queue_settings.h"
#include "runtime/value.h"

#include <cstdint>
#include <optional>
#include <string>

namespace printing {

/// Member identifiers of a printer object's properties.
enum PrinterProperty : std::int32_t {
    prnPaperWidth = 0x10001, ///< tenths of a millimetre, from the paper size (read only)
    prnDeviceName = 0x1001C, ///< the queue's name (read only)
    prnDriverName = 0x1001D, ///< "winspool" (read only)
    prnPort = 0x1001E,       ///< the device URI without credentials (read only)
    prnOrientation = 0x1001F,
    prnPaperSize = 0x10020,
    prnCopies = 0x10022,
    prnPaperBin = 0x10023,
    prnColorMode = 0x10024,
    prnDuplex = 0x10025,
    prnFollowsDefault = 0x10026, ///< yes/no: becomes the new default printer when it changes
    prnPrintQuality = 0x10027,
};

/// One printer. A new object starts with the queue's stored defaults (the user's lpoptions
/// over the server's defaults over the PPD), read when a setting is first needed.
class Printer {
public:
    /// No printer at all: every property read raises a runtime error that says so.
    Printer() = default;
    /// The queue `name`, in the queue's own spelling.
    explicit Printer(std::string name);

    /// Whether this stands for a queue.
    bool exists() const { return !name_.empty(); }
    /// The queue's name; empty for no printer.
    const std::string& name() const { return name_; }

    /// The property `id`. Raises 484 for no printer, 438 for an unknown identifier.
    rt::Value get(std::int32_t id) const;
    /// Changes the property `id`. A value the queue does not offer raises 380 (invalid
    /// property value) and changes nothing; read-only properties raise 383.
    void set(std::int32_t id, const rt::Value& value);

    /// The current settings.
    const queues::Settings& settings() const;
    /// Whether the printer follows the system default (switch 0x10026).
    bool follows_default() const { return follows_default_; }

private:
    /// Raises 484 unless this stands for a queue that is installed.
    void installed() const;
    const queues::Queue& queue() const;

    std::string name_;
    mutable bool known_ = false; ///< the queue was found installed
    mutable std::optional<queues::Queue> queue_;
    mutable std::optional<queues::Settings> settings_;
    bool follows_default_ = false;
};

} // namespace printing
