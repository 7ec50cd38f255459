#include "office_object.h"

#include "runtime/error.h"

#include <com/sun/star/beans/XExactName.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/reflection/InvocationTargetException.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <cppuhelper/exc_hlp.hxx>

namespace office {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;

namespace {

std::string utf8(const rtl::OUString& s)
{
    return rtl::OUStringToOString(s, RTL_TEXTENCODING_UTF8).getStr();
}

rtl::OUString ustr(std::string_view s)
{
    return rtl::OStringToOUString(rtl::OString(s.data(), static_cast<sal_Int32>(s.size())),
                                  RTL_TEXTENCODING_UTF8);
}

rt::Error error_from(const Any& caught, std::string_view member)
{
    css::uno::Exception e;
    caught >>= e;
    const std::string type = utf8(caught.getValueTypeName());
    std::string what = utf8(e.Message);
    if (caught.isExtractableTo(cppu::UnoType<css::lang::DisposedException>::get()))
        what = "LibreOffice has stopped answering: the connection to it was lost" +
               (what.empty() ? std::string() : " (" + what + ")");
    if (what.empty())
        what = "LibreOffice raised " + type;
    return rt::Error(rt::errAutomation, type, std::string(member) + ": " + what);
}

} // namespace

rt::Error office_error(std::string_view member)
{
    Any caught = cppu::getCaughtException();
    // A failure inside the called member arrives wrapped; report the member's own exception.
    css::reflection::InvocationTargetException wrapped;
    if (caught >>= wrapped)
        return error_from(wrapped.TargetException, member);
    return error_from(caught, member);
}

OfficeObject::OfficeObject(std::shared_ptr<Session> session, Any target)
    : session_(std::move(session)), target_(std::move(target))
{
    try {
        Sequence<Any> args(1);
        args.getArray()[0] = target_;
        // The Invocation service is itself the factory of its adapters (an old-style factory).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        invocation_.set(session_->invocation->createInstanceWithArguments(args), css::uno::UNO_QUERY_THROW);
#pragma GCC diagnostic pop
    } catch (const css::uno::Exception&) {
        throw office_error("Invocation");
    }
}

rtl::OUString OfficeObject::exact_name(std::string_view name)
{
    rtl::OUString exact;
    try {
        Reference<css::beans::XExactName> names(invocation_, css::uno::UNO_QUERY);
        exact = names.is() ? names->getExactName(ustr(name)) : ustr(name);
    } catch (const css::uno::Exception&) {
        throw office_error(name);
    }
    if (exact.isEmpty())
        throw rt::Error(rt::errNoSuchMember, "ZEB",
                        "Object doesn't support this property or method: '" + std::string(name) + "'");
    return exact;
}

rt::Value OfficeObject::call(std::string_view name, const std::vector<rt::Value>& args)
{
    const rtl::OUString exact = exact_name(name);
    try {
        if (invocation_->hasMethod(exact)) {
            Sequence<Any> params(static_cast<sal_Int32>(args.size()));
            for (std::size_t i = 0; i < args.size(); ++i)
                params.getArray()[i] = to_any(args[i]);
            Sequence<sal_Int16> out_index;
            Sequence<Any> out_params;
            return to_value(invocation_->invoke(exact, params, out_index, out_params), session_);
        }
        if (args.empty())
            return to_value(invocation_->getValue(exact), session_);
    } catch (const css::uno::Exception&) {
        throw office_error(name);
    }
    throw rt::Error(450, "ZEB", "Wrong number of arguments or invalid property assignment: '" +
                                    std::string(name) + "'");
}

rt::Value OfficeObject::get(std::string_view name) { return call(name, {}); }

void OfficeObject::set(std::string_view name, const rt::Value& value)
{
    const rtl::OUString exact = exact_name(name);
    try {
        invocation_->setValue(exact, to_any(value));
    } catch (const css::uno::Exception&) {
        throw office_error(name);
    }
}

} // namespace office
