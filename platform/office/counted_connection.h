#pragma once
// Private to the office layer: the pipe to the office, with a count of the messages ZEB's
// side of the bridge writes on it, by kind.

#include <com/sun/star/connection/XConnection.hpp>
#include <cppuhelper/implbase1.hxx>

#include <atomic>
#include <cstdint>
#include <memory>

namespace office {

/// What the bridge has written so far; shared with the session that reads it.
struct MessageCount {
    std::atomic<std::uint64_t> sent{0};     ///< every message
    std::atomic<std::uint64_t> requests{0}; ///< requests that wait for the office's answer
    std::atomic<std::uint64_t> releases{0}; ///< ZEB letting go of an office object (no answer)
    /// The connection has ended: the office closed its end (or went away), or the bridge closed
    /// ZEB's. An object disposed while it has not is the office's own doing, not a lost office.
    std::atomic<bool> ended{false};
};

/// A connection that passes everything through and counts each message written.
class CountedConnection : public cppu::WeakImplHelper1<css::connection::XConnection> {
public:
    CountedConnection(css::uno::Reference<css::connection::XConnection> inner, std::shared_ptr<MessageCount> count);

    sal_Int32 SAL_CALL read(css::uno::Sequence<sal_Int8>& bytes, sal_Int32 wanted) override;
    void SAL_CALL write(const css::uno::Sequence<sal_Int8>& bytes) override;
    void SAL_CALL flush() override;
    void SAL_CALL close() override;
    rtl::OUString SAL_CALL getDescription() override;

private:
    css::uno::Reference<css::connection::XConnection> inner_;
    std::shared_ptr<MessageCount> count_;
};

} // namespace office
