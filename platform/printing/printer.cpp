#include "printing/printer.h"

#include "runtime/error.h"

namespace printing {

// The queues this layer stands on: their settings, choices and codes.
using namespace queues;
namespace {

constexpr const char* source = "Printer";

[[noreturn]] void invalid_value()
{
    throw rt::Error(rt::errInvalidPropertyValue, source, "Invalid property value");
}

/// The code if the queue offers it; else the property is refused.
std::int16_t offered(const Choices& choices, const rt::Value& value)
{
    const std::int16_t code = value.to_int16();
    if (!find_choice(choices, code))
        invalid_value();
    return code;
}

} // namespace

Printer::Printer(std::string name) : name_(std::move(name)) {}

void Printer::installed() const
{
    if (!exists())
        throw rt::Error(rt::errPrinterInfo, source, "There is no printer installed.");
    // The names need only the queue to be there, not its settings: no PPD is read for them.
    if (!queue_ && !known_)
        known_ = find_queue(name_).has_value();
    if (!queue_ && !known_)
        throw rt::Error(rt::errPrinterInfo, source, "The printer " + name_ + " is no longer installed.");
}

const Queue& Printer::queue() const
{
    installed();
    if (!queue_) {
        queue_ = read_queue(name_);
        if (!queue_)
            throw rt::Error(rt::errPrinterInfo, source, "The printer " + name_ + " is no longer installed.");
    }
    return *queue_;
}

const Settings& Printer::settings() const
{
    if (!settings_)
        settings_ = queue().defaults;
    return *settings_;
}

rt::Value Printer::get(std::int32_t id) const
{
    switch (id) {
    case prnDeviceName:
        installed();
        return rt::Value(name_);
    case prnDriverName:
        installed();
        return rt::Value("winspool");
    case prnPort:
        return rt::Value(queue().port);
    case prnFollowsDefault:
        return rt::Value(follows_default_);
    case prnPaperWidth: return rt::Value(settings().paper_width);
    case prnOrientation: return rt::Value(settings().orientation);
    case prnPaperSize: return rt::Value(settings().paper_size);
    case prnCopies: return rt::Value(settings().copies);
    case prnPaperBin: return rt::Value(settings().bin);
    case prnColorMode: return rt::Value(settings().colour);
    case prnDuplex: return rt::Value(settings().duplex);
    case prnPrintQuality: return rt::Value(settings().quality);
    default:
        throw rt::Error(rt::errNoSuchMember, source, "Object doesn't support this property or method");
    }
}

void Printer::set(std::int32_t id, const rt::Value& value)
{
    if (id == prnFollowsDefault) {
        follows_default_ = value.to_bool();
        return;
    }
    Settings s = settings();
    const Queue& q = queue();
    switch (id) {
    case prnDeviceName:
    case prnDriverName:
    case prnPort:
    case prnPaperWidth:
        throw rt::Error(rt::errReadOnlyProperty, source, "Can't set a read-only property");
    case prnOrientation:
        s.orientation = value.to_int16();
        if (s.orientation != 1 && s.orientation != 2)
            invalid_value();
        break;
    case prnPaperSize:
        s.paper_size = offered(q.papers, value);
        s.paper_width = find_choice(q.papers, s.paper_size)->width;
        break;
    case prnCopies:
        s.copies = value.to_int16();
        if (s.copies < 1 || s.copies > 9999)
            invalid_value();
        break;
    case prnPaperBin: s.bin = offered(q.bins, value); break;
    case prnColorMode: s.colour = offered(q.colours, value); break;
    case prnDuplex: s.duplex = offered(q.duplexes, value); break;
    case prnPrintQuality: s.quality = offered(q.qualities, value); break;
    default:
        throw rt::Error(rt::errNoSuchMember, source, "Object doesn't support this property or method");
    }
    settings_ = s;
}

} // namespace printing
