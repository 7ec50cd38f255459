#pragma once
// Private to the office layer: an office object called by member name, in any letter case. A
// member is called straight through the interface that declares it, found in ZEB's own
// reflection from what the object came as or says it implements; the office's Invocation
// service serves the rest (properties, out parameters, structs). Its UNO types never leave
// platform/office.

#include "runtime/error.h"
#include "runtime/object.h"
#include "runtime/value.h"

#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XSingleServiceFactory.hpp>
#include <com/sun/star/reflection/XIdlMethod.hpp>
#include <com/sun/star/reflection/XIdlReflection.hpp>
#include <com/sun/star/script/XInvocation2.hpp>
#include <com/sun/star/script/XTypeConverter.hpp>
#include <rtl/ustring.hxx>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace office {

/// A UNO text as UTF-8.
inline std::string utf8(const rtl::OUString& s) { return rtl::OUStringToOString(s, RTL_TEXTENCODING_UTF8).getStr(); }

/// UTF-8 text as a UNO text.
inline rtl::OUString ustr(std::string_view s)
{
    return rtl::OStringToOUString(rtl::OString(s.data(), static_cast<sal_Int32>(s.size())), RTL_TEXTENCODING_UTF8);
}

/// `s` in lower case (ASCII letters only, as UNO names are).
std::string lower(std::string_view s);

/// What a member name stands for on an object, as the Invocation adapter has it.
struct Member {
    rtl::OUString exact; ///< the name in its own letter case
    bool method = false; ///< a method, or else a property
};

/// A method as an interface has it: found by name first, its reflection looked up when it is
/// first called.
struct Method {
    rtl::OUString exact; ///< the name in its own letter case
    bool looked_up = false;
    css::uno::Reference<css::reflection::XIdlMethod> idl; ///< null: none to call straight (out parameters)
    std::vector<css::uno::Type> params;                   ///< the parameters' types, in order
};

/// One connection to a running office: what every object handed out from it shares.
struct Session {
    css::uno::Reference<css::lang::XComponent> bridge; ///< the connection; disposed when it ends
    css::uno::Reference<css::lang::XSingleServiceFactory> invocation; ///< the office's Invocation service
    css::uno::Reference<css::reflection::XIdlReflection> reflection;  ///< ZEB's own: no round trip
    css::uno::Reference<css::script::XTypeConverter> converter;       ///< ZEB's own
    /// Each interface's methods (its bases' too) by name in lower case, read once.
    std::map<rtl::OUString, std::unordered_map<std::string, Method>> methods;
    /// The interface that declared a name on the last object that came as a type, by the type,
    /// the name in lower case and the number of arguments.
    std::unordered_map<std::string, rtl::OUString> declared_by;

    /// The interfaces asked of objects last, held a while (how many: recent_kept).
    std::deque<css::uno::Any> recent;
    static constexpr std::size_t recent_kept = 16;

    /// Whether the connection has ended: the bridge itself says so (it has been disposed).
    bool ended() const;
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
    /// A method that serves a call straight, and the object as the interface that has it.
    struct Straight {
        const Method* method;
        css::uno::Any typed;
    };
    /// The way to call `lower_name` with `argc` arguments straight (a property read: its
    /// getter); nothing when there is none and the adapter serves.
    std::optional<Straight> straight(const std::string& lower_name, sal_Int32 argc);
    /// The method of `iface` named `lower_name` (or its getter when `argc` is 0) that takes
    /// `argc` arguments, all in; null when it has none.
    const Method* method_of(const rtl::OUString& iface, const std::string& lower_name, sal_Int32 argc);
    /// The object as interface `iface`: the one it came as or one asked for already, else asked
    /// for now (one round trip) and held; void when it lacks it.
    css::uno::Any as_interface(const rtl::OUString& iface);
    /// The interfaces the object says it implements: asked once (one round trip).
    const std::vector<rtl::OUString>& own_types();

    /// The adapter that calls the object by name, made on first use.
    css::script::XInvocation2& adapter();
    /// What `name` stands for on this object, asked of the adapter once; error 438 when the
    /// object has no such member.
    const Member& member(std::string_view name);
    /// The office exception now being handled, as the runtime's error, for `member`.
    rt::Error failure(std::string_view member) const;

    std::shared_ptr<Session> session_;
    css::uno::Any target_;
    css::uno::Reference<css::script::XInvocation2> invocation_;
    std::vector<css::uno::Any> held_;                 ///< interfaces of the object asked for so far
    std::optional<std::vector<rtl::OUString>> types_; ///< the interfaces the object says it has
    std::map<std::string, Member> members_;           ///< names looked up through the adapter, in lower case
};

/// A value the office gave, in the runtime's terms; objects keep `session`.
rt::Value to_value(const css::uno::Any& any, const std::shared_ptr<Session>& session);
/// A runtime value as the office takes it.
css::uno::Any to_any(const rt::Value& value);
/// The office exception now being handled, as the runtime's error, for `member`; a disposed
/// object is a lost office (462) only when the connection of `session` has ended, or is not known.
rt::Error office_error(std::string_view member, const Session* session = nullptr);

} // namespace office
