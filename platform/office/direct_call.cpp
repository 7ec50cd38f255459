#include "direct_call.h"

#include <com/sun/star/lang/XTypeProvider.hpp>
#include <com/sun/star/reflection/XIdlClass.hpp>
#include <com/sun/star/script/CannotConvertException.hpp>

namespace office {

using css::uno::Any;
using css::uno::Reference;
using css::uno::XInterface;

std::shared_ptr<DirectMethod> find_direct(const LocalReflection& local, const Any& target, const rtl::OUString& exact)
{
    try {
        Reference<css::lang::XTypeProvider> types(target, css::uno::UNO_QUERY);
        if (!types.is() || !local.reflection.is())
            return nullptr;
        for (const css::uno::Type& t : types->getTypes()) {
            if (t.getTypeClass() != css::uno::TypeClass_INTERFACE)
                continue;
            Reference<css::reflection::XIdlClass> cls = local.reflection->forName(t.getTypeName());
            Reference<css::reflection::XIdlMethod> method = cls.is() ? cls->getMethod(exact) : nullptr;
            if (!method.is())
                continue;
            auto m = std::make_shared<DirectMethod>();
            m->iface = t;
            m->method = method;
            for (const auto& p : method->getParameterTypes())
                m->params.emplace_back(p->getTypeClass(), p->getName());
            for (const auto& mode : method->getParameterInfos())
                if (mode.aMode != css::reflection::ParamMode_IN)
                    return nullptr; // out parameters stay with the adapter
            return m;
        }
    } catch (const css::uno::RuntimeException&) {
    }
    return nullptr;
}

std::optional<Any> call_direct(const LocalReflection& local, const DirectMethod& m, const Any& target,
                               const css::uno::Sequence<Any>& args)
{
    if (static_cast<std::size_t>(args.getLength()) != m.params.size())
        return std::nullopt;
    Reference<XInterface> object(target, css::uno::UNO_QUERY);
    if (!object.is())
        return std::nullopt;
    const Any typed = object->queryInterface(m.iface);
    if (!typed.hasValue())
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
