#pragma once
// Private to the office layer: an office object reached by member name: straight through the
// interface that has the member, where ZEB's own type library tells which, else through UNO's
// Invocation service. Its UNO types never leave platform/office.

#include "counted_connection.h"
#include "direct_call.h"
#include "type_index.h"
#include "runtime/error.h"
#include "runtime/object.h"
#include "runtime/value.h"

#include <com/sun/star/lang/XSingleServiceFactory.hpp>
#include <com/sun/star/script/XInvocation2.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace office {

/// What a member name stands for on objects of one type, as the Invocation adapter has it.
struct Member {
    rtl::OUString exact;  ///< the name in its own letter case
    bool method = false;  ///< a method, or else a property
};

/// How a member name reaches an object straight: the method (or a property's getter), and
/// the interface to ask the object for, which has it.
struct Route {
    std::shared_ptr<DirectMethod> method; ///< null: no straight way, the adapter serves
    rtl::OUString query;
};

/// One connection to a running office: what every object handed out from it shares.
struct Session {
    css::uno::Reference<css::lang::XSingleServiceFactory> invocation;
    LocalReflection local;
    /// Which interfaces declare which methods, read from ZEB's own type library.
    std::unique_ptr<TypeIndex> index;
    /// Names already looked up through an adapter, by the object's type and the name in lower
    /// case: each lookup is a round trip to the office.
    std::map<std::string, Member> members;
    /// Methods by interface and name, found locally (null: the interface has none of the name).
    std::map<std::string, std::shared_ptr<DirectMethod>> methods;
    /// Straight ways found for names an object's own type lacks, by that type and the name.
    std::map<std::string, Route> routes;
    std::shared_ptr<MessageCount> messages = std::make_shared<MessageCount>();
    std::uint64_t calls = 0; ///< calls, reads and writes made by name
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
    /// Notes that the object has interface `iface` as well, as the service it was made as promises.
    void promise(rtl::OUString iface) { promised_ = std::move(iface); }

private:
    /// The office exception now being handled, as the runtime's error, for `member`.
    rt::Error failure(std::string_view member) const;
    /// The adapter that calls the object by name, made on first use.
    css::script::XInvocation2& adapter();
    /// What `name` stands for on this object; error 438 when it has no such member.
    Member& member(std::string_view name, bool fresh = false);
    /// Runs `use` with the member `name`; a remembered lookup that does not fit this
    /// object is looked up again once.
    template <typename Use>
    rt::Value with_member(std::string_view name, Use use);

    /// Calls `lower_name` straight on the interface that has it; nothing when there is no such way.
    std::optional<css::uno::Any> call_straight(const std::string& lower_name,
                                               const css::uno::Sequence<css::uno::Any>& args);
    /// The method `lower_name` of `iface`, or a property's getter when `getter`; looked up once.
    std::shared_ptr<DirectMethod> method(const rtl::OUString& iface, const std::string& lower_name, bool getter);
    /// The way through an interface the object is known to have: the one it came as, the one
    /// its service promises, the ones asked for already.
    Route known_route(const std::string& lower_name, bool getter);
    /// The way through the first of `ifaces` that has the name (as a method, or a getter).
    Route route_through(const std::vector<rtl::OUString>& ifaces, const std::string& lower_name, bool getter);
    /// The way through an interface that declares the name for `argc` arguments; `ask` asks
    /// the object which interfaces it has (one round trip) instead of choosing by kinship.
    Route declared_route(const std::string& lower_name, sal_Int32 argc, bool ask);
    /// The interfaces the object says it has: asked once (one round trip).
    const std::vector<rtl::OUString>& own_types();
    /// The object as interface `iface`: the interface it came as or one asked for already, else
    /// asked for now (one round trip); void when it lacks it.
    css::uno::Any as_interface(const rtl::OUString& iface);

    std::shared_ptr<Session> session_;
    css::uno::Any target_;
    css::uno::Reference<css::script::XInvocation2> invocation_;
    rtl::OUString promised_;
    std::vector<css::uno::Any> held_;                   ///< interfaces of the object asked for so far
    std::optional<std::vector<rtl::OUString>> types_;   ///< the interfaces the object says it has
};

/// When `lower_method` (lower case) made an object of a service (createInstance and its kin, the
/// service's name first), notes on `made` the interface that service promises, found in ZEB's
/// type library.
void promise_service(const std::string& lower_method, const std::string& service, const rt::Value& made);

/// A value the office gave, in the runtime's terms; objects keep `session`.
rt::Value to_value(const css::uno::Any& any, const std::shared_ptr<Session>& session);
/// A runtime value as the office takes it.
css::uno::Any to_any(const rt::Value& value);
/// The office exception now being handled, as the runtime's error, for `member`; a disposed
/// object is a lost office (462) only when `connection` has ended, or is not known.
rt::Error office_error(std::string_view member, const MessageCount* connection = nullptr);

} // namespace office
