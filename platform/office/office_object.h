#pragma once
// Private to the office layer: an office object reached by member name through UNO's
// Invocation service. Its UNO types never leave platform/office.

#include "direct_call.h"
#include "runtime/error.h"
#include "runtime/object.h"
#include "runtime/value.h"

#include <com/sun/star/lang/XSingleServiceFactory.hpp>
#include <com/sun/star/script/XInvocation2.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <map>
#include <memory>
#include <string>

namespace office {

/// What a member name stands for on objects of one type.
struct Member {
    rtl::OUString exact;  ///< the name in its own letter case
    bool method = false;  ///< a method, or else a property
    bool direct_sought = false;
    std::shared_ptr<DirectMethod> direct; ///< the method, or a property's getter, reached without an adapter
};

/// One connection to a running office: what every object handed out from it shares.
struct Session {
    css::uno::Reference<css::uno::XComponentContext> remote;
    css::uno::Reference<css::lang::XSingleServiceFactory> invocation;
    LocalReflection local;
    /// Names already looked up, by the object's type and the name in lower case: each
    /// lookup is a round trip to the office.
    std::map<std::string, Member> members;
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
    /// The adapter that calls the object by name, made on first use.
    css::script::XInvocation2& adapter();
    /// What `name` stands for on this object; error 438 when it has no such member.
    Member& member(std::string_view name, bool fresh = false);
    /// Runs `use` with the member `name`; a remembered lookup that does not fit this
    /// object is looked up again once.
    template <typename Use>
    rt::Value with_member(std::string_view name, Use use);

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
