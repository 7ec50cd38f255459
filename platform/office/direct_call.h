#pragma once
// Private to the office layer: calling a method straight through the bridge, by the interface
// that declares it, with ZEB's own reflection: one round trip, the call itself.

#include <com/sun/star/container/XHierarchicalNameAccess.hpp>
#include <com/sun/star/reflection/XIdlMethod.hpp>
#include <com/sun/star/reflection/XIdlReflection.hpp>
#include <com/sun/star/script/XTypeConverter.hpp>

#include <memory>
#include <optional>
#include <string>
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
    css::uno::Reference<css::container::XHierarchicalNameAccess> types; ///< the type library by name
};

/// The method named `lower_name` (lower case) that interface `iface` declares or inherits;
/// null when it has none, or when the method has out parameters (the adapter serves those).
std::shared_ptr<DirectMethod> method_of(const LocalReflection& local, const rtl::OUString& iface,
                                        const std::string& lower_name);

/// The method named exactly `exact` that interface `iface` declares or inherits, as method_of().
std::shared_ptr<DirectMethod> named_method(const LocalReflection& local, const rtl::OUString& iface,
                                           const rtl::OUString& exact);

/// Whether interface `derived` is `base` or inherits from it.
bool inherits(const LocalReflection& local, const rtl::OUString& derived, const rtl::OUString& base);

/// Calls `m` on `typed` (an interface that has it) with `args` converted to its parameter
/// types; nothing when they do not convert, so the adapter serves instead. Exceptions of the
/// method itself pass as InvocationTargetException.
std::optional<css::uno::Any> call_direct(const LocalReflection& local, const DirectMethod& m,
                                         const css::uno::Any& typed, const css::uno::Sequence<css::uno::Any>& args);

} // namespace office
