#include "direct_call.h"

#include "type_index.h"
#include "text.h"

#include <com/sun/star/reflection/XIdlClass.hpp>

namespace office {

using css::uno::Any;
using css::uno::Reference;
using css::reflection::XIdlClass;

namespace {

std::shared_ptr<DirectMethod> direct(const Reference<css::reflection::XIdlMethod>& method)
{
    for (const auto& mode : method->getParameterInfos())
        if (mode.aMode != css::reflection::ParamMode_IN)
            return nullptr; // out parameters stay with the adapter
    auto m = std::make_shared<DirectMethod>();
    m->iface = css::uno::Type(css::uno::TypeClass_INTERFACE, method->getDeclaringClass()->getName());
    m->method = method;
    for (const auto& p : method->getParameterTypes())
        m->params.emplace_back(p->getTypeClass(), p->getName());
    return m;
}

} // namespace

std::shared_ptr<DirectMethod> method_of(const LocalReflection& local, const rtl::OUString& iface,
                                        const std::string& lower_name)
{
    try {
        Reference<XIdlClass> cls = local.reflection.is() ? local.reflection->forName(iface) : nullptr;
        if (!cls.is() || cls->getTypeClass() != css::uno::TypeClass_INTERFACE)
            return nullptr;
        for (const auto& method : cls->getMethods())
            if (lower(utf8(method->getName())) == lower_name)
                return direct(method);
    } catch (const css::uno::RuntimeException&) {
    }
    return nullptr;
}

std::shared_ptr<DirectMethod> named_method(const LocalReflection& local, const rtl::OUString& iface,
                                           const rtl::OUString& exact)
{
    try {
        Reference<XIdlClass> cls = local.reflection.is() ? local.reflection->forName(iface) : nullptr;
        Reference<css::reflection::XIdlMethod> method = cls.is() ? cls->getMethod(exact) : nullptr;
        return method.is() ? direct(method) : nullptr;
    } catch (const css::uno::RuntimeException&) {
        return nullptr;
    }
}

bool inherits(const LocalReflection& local, const rtl::OUString& derived, const rtl::OUString& base)
{
    if (derived == base)
        return true;
    try {
        Reference<XIdlClass> b = local.reflection->forName(base);
        Reference<XIdlClass> d = local.reflection->forName(derived);
        return b.is() && d.is() && b->isAssignableFrom(d);
    } catch (const css::uno::RuntimeException&) {
        return false;
    }
}

std::optional<Any> call_direct(const LocalReflection& local, const DirectMethod& m, const Any& typed,
                               const css::uno::Sequence<Any>& args)
{
    if (static_cast<std::size_t>(args.getLength()) != m.params.size())
        return std::nullopt;
    css::uno::Sequence<Any> converted(args.getLength());
    try {
        for (sal_Int32 i = 0; i < args.getLength(); ++i)
            converted.getArray()[i] = args[i].getValueType() == m.params[static_cast<std::size_t>(i)]
                                          ? args[i]
                                          : local.converter->convertTo(args[i], m.params[static_cast<std::size_t>(i)]);
    } catch (const css::uno::Exception&) {
        return std::nullopt;
    }
    return m.method->invoke(typed, converted);
}

} // namespace office
