#pragma once
// Private to the office layer: an office object reached by member name through UNO's
// Invocation service. Its UNO types never leave platform/office.

#include "runtime/error.h"
#include "runtime/object.h"
#include "runtime/value.h"

#include <com/sun/star/lang/XSingleServiceFactory.hpp>
#include <com/sun/star/script/XInvocation2.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <memory>

namespace office {

/// One connection to a running office: what every object handed out from it shares.
struct Session {
    css::uno::Reference<css::uno::XComponentContext> remote;
    css::uno::Reference<css::lang::XSingleServiceFactory> invocation;
};

/// A late-bound office object. Member names match regardless of letter case.
class OfficeObject : public rt::Object {
public:
    /// Wraps `target` (an interface or a struct) for calls by name.
    OfficeObject(std::shared_ptr<Session> session, css::uno::Any target);

    rt::Value call(std::string_view name, const std::vector<rt::Value>& args) override;
    rt::Value get(std::string_view name) override;
    void set(std::string_view name, const rt::Value& value) override;

    /// The object itself, to pass back into the office.
    const css::uno::Any& target() const { return target_; }
    const std::shared_ptr<Session>& session() const { return session_; }

private:
    /// The member's exact name, or error 438 when the object has none by that name.
    rtl::OUString exact_name(std::string_view name);

    std::shared_ptr<Session> session_;
    css::uno::Any target_;
    css::uno::Reference<css::script::XInvocation2> invocation_;
};

/// A value the office gave, in the runtime's terms; objects keep `session`.
rt::Value to_value(const css::uno::Any& any, const std::shared_ptr<Session>& session);
/// A runtime value as the office takes it.
css::uno::Any to_any(const rt::Value& value);
/// The office exception now being handled, as the runtime's error, for `member`.
rt::Error office_error(std::string_view member);

} // namespace office
