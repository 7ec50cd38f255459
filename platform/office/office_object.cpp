#include "office_object.h"

#include "counted_connection.h"
#include "office_words.h"

#include "runtime/error.h"
#include "text.h"

#include <com/sun/star/beans/XExactName.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/script/MemberType.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/reflection/InvocationTargetException.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <cppuhelper/exc_hlp.hxx>

namespace office {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;

namespace {

rt::Error error_from(const Any& caught, std::string_view member, const MessageCount* connection)
{
    css::uno::Exception e;
    caught >>= e;
    const std::string type = utf8(caught.getValueTypeName());
    std::string what = office_words(utf8(e.Message));
    const bool disposed = caught.isExtractableTo(cppu::UnoType<css::lang::DisposedException>::get());
    // An object the office disposed of while the connection lives (a document the person closed)
    // is that object's failure; only a connection that ended is the office gone.
    if (disposed && connection && !connection->ended)
        return rt::Error(rt::errAutomation, type,
                         std::string(member) + ": LibreOffice has closed this object (it was disposed)" +
                             (what.empty() ? std::string() : " (" + what + ")"));
    if (disposed)
        return rt::Error(rt::errServerUnavailable, type,
                         std::string(member) + ": LibreOffice has stopped answering: the connection to it was lost" +
                             (what.empty() ? std::string() : " (" + what + ")"));
    if (what.empty())
        what = "LibreOffice raised " + type;
    return rt::Error(rt::errAutomation, type, std::string(member) + ": " + what);
}

} // namespace

rt::Error office_error(std::string_view member, const MessageCount* connection)
{
    Any caught = cppu::getCaughtException();
    // A failure inside the called member arrives wrapped; report the member's own exception.
    css::reflection::InvocationTargetException wrapped;
    if (caught >>= wrapped)
        return error_from(wrapped.TargetException, member, connection);
    return error_from(caught, member, connection);
}

rt::Error OfficeObject::failure(std::string_view member) const { return office_error(member, session_->messages.get()); }

OfficeObject::OfficeObject(std::shared_ptr<Session> session, Any target)
    : session_(std::move(session)), target_(std::move(target))
{
}

css::script::XInvocation2& OfficeObject::adapter()
{
    if (!invocation_.is()) {
        try {
            Sequence<Any> args(1);
            args.getArray()[0] = target_;
            // The Invocation service is itself the factory of its adapters (an old-style factory).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
            invocation_.set(session_->invocation->createInstanceWithArguments(args), css::uno::UNO_QUERY_THROW);
#pragma GCC diagnostic pop
        } catch (const css::uno::Exception&) {
            throw failure("Invocation");
        }
    }
    return *invocation_;
}

Member& OfficeObject::member(std::string_view name, bool fresh)
{
    const std::string key = utf8(target_.getValueTypeName()) + '\n' + lower(name);
    if (!fresh) {
        if (auto it = session_->members.find(key); it != session_->members.end())
            return it->second;
    }
    css::script::InvocationInfo info;
    try {
        try {
            info = adapter().getInfoForName(ustr(name), true);
        } catch (const css::lang::IllegalArgumentException&) {
            // Not in this letter case: find the name's own spelling first.
            Reference<css::beans::XExactName> names(invocation_, css::uno::UNO_QUERY);
            const rtl::OUString exact = names.is() ? names->getExactName(ustr(name)) : rtl::OUString();
            if (exact.isEmpty())
                throw;
            info = adapter().getInfoForName(exact, true);
        }
    } catch (const css::lang::IllegalArgumentException&) {
        throw rt::Error(rt::errNoSuchMember, "ZEB",
                        "Object doesn't support this property or method: '" + std::string(name) + "'");
    } catch (const css::uno::Exception&) {
        throw failure(name);
    }
    Member& m = session_->members[key];
    m = Member{};
    m.exact = info.aName;
    m.method = info.eMemberType == css::script::MemberType_METHOD;
    return m;
}

template <typename Use>
rt::Value OfficeObject::with_member(std::string_view name, Use use)
{
    for (bool fresh : {false, true}) {
        Member& m = member(name, fresh);
        try {
            return use(m);
        } catch (const css::reflection::InvocationTargetException&) {
            throw failure(name); // the member itself failed
        } catch (const css::uno::RuntimeException&) {
            throw failure(name);
        } catch (const css::uno::Exception&) {
            // The adapter refused the member: a name remembered from another object of
            // this type may not fit this one, so look it up afresh once.
            if (fresh)
                throw failure(name);
        }
    }
    return {};
}

rt::Value OfficeObject::call(std::string_view name, const std::vector<rt::Value>& args)
{
    ++session_->calls;
    const std::string lower_name = lower(name);
    Sequence<Any> params(static_cast<sal_Int32>(args.size()));
    for (std::size_t i = 0; i < args.size(); ++i)
        params.getArray()[i] = to_any(args[i]);
    std::optional<Any> result;
    try {
        result = call_straight(lower_name, params);
    } catch (const css::reflection::InvocationTargetException&) {
        throw failure(name); // the member itself failed
    } catch (const css::uno::RuntimeException&) {
        throw failure(name);
    } catch (const css::uno::Exception&) {
        // Refused on the way to the member: the adapter has the last word.
    }
    if (result) {
        rt::Value value = to_value(*result, session_);
        if (!args.empty() && args[0].kind() == rt::Value::Kind::Text)
            promise_service(lower_name, args[0].to_text(), value);
        return value;
    }
    // No straight way: through the Invocation adapter, which knows properties and out parameters too.
    return with_member(name, [&](Member& m) -> rt::Value {
        if (m.method) {
            Sequence<sal_Int16> out_index;
            Sequence<Any> out_params;
            return to_value(adapter().invoke(m.exact, params, out_index, out_params), session_);
        }
        if (args.empty())
            return to_value(adapter().getValue(m.exact), session_);
        throw rt::Error(rt::errWrongArguments, "ZEB", "Wrong number of arguments or invalid property assignment: '" +
                                        std::string(name) + "'");
    });
}

rt::Value OfficeObject::get(std::string_view name) { return call(name, {}); }

void OfficeObject::set(std::string_view name, const rt::Value& value)
{
    ++session_->calls;
    const Any v = to_any(value);
    with_member(name, [&](Member& m) -> rt::Value {
        adapter().setValue(m.exact, v);
        return {};
    });
}

} // namespace office
