#include "counted_connection.h"

namespace office {

CountedConnection::CountedConnection(css::uno::Reference<css::connection::XConnection> inner,
                                     std::shared_ptr<MessageCount> count)
    : inner_(std::move(inner)), count_(std::move(count))
{
}

sal_Int32 CountedConnection::read(css::uno::Sequence<sal_Int8>& bytes, sal_Int32 wanted)
{
    try {
        const sal_Int32 got = inner_->read(bytes, wanted);
        if (got <= 0 && wanted > 0)
            count_->ended = true; // the office's end is closed
        return got;
    } catch (...) {
        count_->ended = true;
        throw;
    }
}

namespace {

/// Whether a message (after its block's 8-byte header of size and count) is a request, and which
/// function it calls: 2 is release, which the office does not answer.
struct Header {
    bool request = false;
    int function = -1;
};

Header read_header(const css::uno::Sequence<sal_Int8>& bytes)
{
    Header h;
    if (bytes.getLength() < 10)
        return h;
    const auto at = [&](sal_Int32 i) { return i < bytes.getLength() ? static_cast<unsigned char>(bytes[i]) : 0u; };
    const unsigned flags = at(8);
    if (!(flags & 0x80)) { // a short request: the function in the flags byte
        h.request = true;
        h.function = (flags & 0x40) ? static_cast<int>(((flags & 0x3F) << 8) | at(9)) : static_cast<int>(flags & 0x3F);
    } else if (flags & 0x40) { // a long request
        h.request = true;
        const sal_Int32 id = (flags & 0x01) ? 10 : 9; // more flags come first
        h.function = (flags & 0x04) ? static_cast<int>((at(id) << 8) | at(id + 1)) : static_cast<int>(at(id));
    }
    return h;
}

} // namespace

void CountedConnection::write(const css::uno::Sequence<sal_Int8>& bytes)
{
    // The bridge writes each message whole, one block of one message per call.
    count_->sent.fetch_add(1, std::memory_order_relaxed);
    const Header h = read_header(bytes);
    if (h.request && h.function == 2)
        count_->releases.fetch_add(1, std::memory_order_relaxed);
    else if (h.request)
        count_->requests.fetch_add(1, std::memory_order_relaxed);
    inner_->write(bytes);
}

void CountedConnection::flush() { inner_->flush(); }

void CountedConnection::close()
{
    count_->ended = true;
    inner_->close();
}

rtl::OUString CountedConnection::getDescription() { return inner_->getDescription(); }

} // namespace office
