// Finding, for a member name, the interface of an office object that has it, with as few
// questions to the office as can be: what ZEB's own type library says comes first, and the
// object is asked only for the interface that will serve the call.

#include "office_object.h"

#include "text.h"

#include <com/sun/star/lang/XTypeProvider.hpp>
#include <com/sun/star/reflection/XInterfaceTypeDescription.hpp>
#include <com/sun/star/reflection/XServiceTypeDescription2.hpp>

#include <algorithm>

namespace office {

using css::uno::Any;
using css::uno::Reference;

std::shared_ptr<DirectMethod> OfficeObject::method(const rtl::OUString& iface, const std::string& lower_name,
                                                   bool getter)
{
    const std::string key = utf8(iface) + '\n' + (getter ? "get" : "") + lower_name;
    auto it = session_->methods.find(key);
    if (it == session_->methods.end()) {
        const std::string wanted = getter ? "get" + lower_name : lower_name;
        std::shared_ptr<DirectMethod> m;
        if (session_->index->ready()) {
            // The library says whether the family declares the name, and in which spelling: an
            // interface that lacks it is not looked at. (The method is taken as `iface` has it,
            // so a call through `iface` needs no other interface of the object.)
            const std::set<rtl::OUString> family = session_->index->family(iface);
            for (const Declared& d : session_->index->declaring(wanted))
                if (family.count(d.iface) > 0) {
                    m = named_method(session_->local, iface, d.name);
                    break;
                }
        } else {
            m = method_of(session_->local, iface, wanted);
        }
        if (m && getter && !m->params.empty())
            m.reset();
        it = session_->methods.emplace(key, std::move(m)).first;
    }
    return it->second;
}

Route OfficeObject::known_route(const std::string& lower_name, bool getter)
{
    std::vector<rtl::OUString> known{target_.getValueTypeName()};
    if (!promised_.isEmpty())
        known.push_back(promised_);
    for (const Any& h : held_)
        known.push_back(h.getValueTypeName());
    return route_through(known, lower_name, getter);
}

Route OfficeObject::route_through(const std::vector<rtl::OUString>& ifaces, const std::string& lower_name, bool getter)
{
    for (const auto& iface : ifaces) {
        if (auto m = method(iface, lower_name, false))
            return {m, iface};
        if (getter)
            if (auto m = method(iface, lower_name, true))
                return {m, iface};
    }
    return {};
}

const std::vector<rtl::OUString>& OfficeObject::own_types()
{
    // One round trip, once per object.
    if (!types_) {
        types_.emplace();
        Reference<css::lang::XTypeProvider> provider(target_, css::uno::UNO_QUERY);
        if (provider.is())
            for (const css::uno::Type& t : provider->getTypes())
                if (t.getTypeClass() == css::uno::TypeClass_INTERFACE)
                    types_->push_back(t.getTypeName());
    }
    return *types_;
}

Route OfficeObject::declared_route(const std::string& lower_name, sal_Int32 argc, bool ask)
{
    const bool getter = argc == 0;
    if (!session_->index->ready()) {
        // Until ZEB's type library is read (it is, long before a person has chosen a file),
        // the object says what it is, and its interfaces are searched here.
        return route_through(own_types(), lower_name, getter);
    }
    // Only what the library says, so far: the one chosen is then looked up for the call. A
    // method called straight takes just the arguments given.
    std::vector<const Declared*> candidates;
    for (bool get : {false, true}) {
        if (get && !getter)
            break;
        for (const Declared& d : session_->index->declaring(get ? "get" + lower_name : lower_name))
            if (d.params == argc)
                candidates.push_back(&d);
    }
    auto chosen = [&](const Declared& d) {
        const bool get = lower(utf8(d.name)) != lower_name;
        return Route{method(d.iface, lower_name, get), d.iface};
    };
    if (candidates.empty())
        return {};
    if (!ask) {
        if (candidates.size() == 1)
            return chosen(*candidates.front());
        // Several interfaces declare the name: the one akin to the object's own (a sibling in
        // one family, as index access is to name access) is the likely one.
        const std::set<rtl::OUString> own = session_->index->family(target_.getValueTypeName());
        std::vector<const Declared*> akin;
        for (const Declared* c : candidates) {
            const std::set<rtl::OUString> theirs = session_->index->family(c->iface);
            if (std::any_of(theirs.begin(), theirs.end(), [&](const rtl::OUString& t) { return own.count(t) > 0; }))
                akin.push_back(c);
        }
        if (akin.size() == 1)
            return chosen(*akin.front());
    }
    std::vector<std::set<rtl::OUString>> families;
    for (const auto& t : own_types())
        families.push_back(session_->index->family(t));
    for (const Declared* c : candidates)
        for (const auto& family : families)
            if (family.count(c->iface) > 0)
                return chosen(*c);
    return {};
}

Any OfficeObject::as_interface(const rtl::OUString& iface)
{
    if (inherits(session_->local, target_.getValueTypeName(), iface))
        return target_;
    for (const Any& h : held_)
        if (inherits(session_->local, h.getValueTypeName(), iface))
            return h;
    Reference<css::uno::XInterface> object(target_, css::uno::UNO_QUERY);
    if (!object.is())
        return {};
    // Held for the object's life: the bridge answers a second question for it locally.
    Any typed = object->queryInterface(css::uno::Type(css::uno::TypeClass_INTERFACE, iface));
    if (typed.hasValue())
        held_.push_back(typed);
    return typed;
}

std::optional<Any> OfficeObject::call_straight(const std::string& lower_name, const css::uno::Sequence<Any>& args)
{
    if (target_.getValueTypeClass() != css::uno::TypeClass_INTERFACE || !session_->index)
        return std::nullopt;
    const bool getter = args.getLength() == 0;
    Route route = known_route(lower_name, getter);
    if (!route.method) {
        const std::string key =
            utf8(target_.getValueTypeName()) + '\n' + lower_name + '\n' + std::to_string(args.getLength());
        auto it = session_->routes.find(key);
        if (it == session_->routes.end())
            it = session_->routes.emplace(key, declared_route(lower_name, args.getLength(), false)).first;
        route = it->second;
        if (route.method && !as_interface(route.query).hasValue()) {
            // What served other objects of this type does not serve this one: ask it.
            route = declared_route(lower_name, args.getLength(), true);
            if (route.method)
                it->second = route;
        }
    }
    if (!route.method)
        return std::nullopt;
    const Any typed = as_interface(route.query);
    if (!typed.hasValue())
        return std::nullopt;
    return call_direct(session_->local, *route.method, typed, args);
}

void promise_service(const std::string& lower_method, const std::string& service, const rt::Value& made)
{
    if (lower_method.rfind("createinstance", 0) != 0 || made.kind() != rt::Value::Kind::Object)
        return;
    auto* object = dynamic_cast<OfficeObject*>(made.to_object().get());
    if (!object || !object->session()->local.types.is())
        return;
    try {
        Reference<css::reflection::XServiceTypeDescription2> described(
            object->session()->local.types->getByHierarchicalName(ustr(service)), css::uno::UNO_QUERY);
        // A service of one interface: what it makes has that interface.
        if (described.is() && described->isSingleInterfaceBased() && described->getInterface().is())
            object->promise(described->getInterface()->getName());
    } catch (const css::uno::Exception&) {
        // An old-style service, or a name the library does not know: nothing is promised.
    }
}

} // namespace office
