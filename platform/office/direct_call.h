#pragma once
// Private to the office layer: calling a method straight through the bridge, without an
// Invocation adapter, once its name is known. One round trip instead of two or three.

#include <com/sun/star/reflection/XIdlMethod.hpp>
#include <com/sun/star/reflection/XIdlReflection.hpp>
#include <com/sun/star/script/XTypeConverter.hpp>

#include <memory>
#include <optional>
#include <vector>

namespace office {

/// A method and the interface that declares it.
struct DirectMethod {
    css::uno::Type iface;
    css::uno::Reference<css::reflection::XIdlMethod> method;
    std::vector<css::uno::Type> params;
};

/// ZEB's own reflection and type conversion, which need no round trip.
struct LocalReflection {
    css::uno::Reference<css::reflection::XIdlReflection> reflection;
    css::uno::Reference<css::script::XTypeConverter> converter;
};

/// The interface of `target` that declares the method `exact`, found from the types the
/// object reports; null when there is none to call straight.
std::shared_ptr<DirectMethod> find_direct(const LocalReflection& local, const css::uno::Any& target,
                                          const rtl::OUString& exact);

/// Calls `m` on `target` with `args` converted to its parameter types; nothing when the
/// target lacks the interface or the arguments do not convert, so the adapter serves instead.
/// Exceptions of the method itself pass as InvocationTargetException.
std::optional<css::uno::Any> call_direct(const LocalReflection& local, const DirectMethod& m,
                                         const css::uno::Any& target, const css::uno::Sequence<css::uno::Any>& args);

} // namespace office
