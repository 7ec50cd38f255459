// Finding and calling an office object's member by name. A call goes straight through the
// interface that declares the member, with ZEB's own reflection: the interface the object came
// as first, then the one that declared the name on the last object that came as the same type
// (the object asked whether it has it), then what the object says it implements (asked once).
// Properties, out parameters and structs go through an Invocation adapter of the office's.

#include "office_object_linux.h"

#include "office_words.h"

#include <com/sun/star/beans/XExactName.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/lang/XEventListener.hpp>
#include <com/sun/star/lang/XTypeProvider.hpp>
#include <com/sun/star/reflection/InvocationTargetException.hpp>
#include <com/sun/star/reflection/XIdlClass.hpp>
#include <com/sun/star/script/MemberType.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <cppuhelper/exc_hlp.hxx>
#include <cppuhelper/implbase1.hxx>
#include <typelib/typedescription.hxx>
#include <rtl/ref.hxx>

namespace office {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;

namespace {

/// Told at once, when added to a bridge that has been disposed.
class EndProbe : public cppu::WeakImplHelper1<css::lang::XEventListener> {
public:
    void SAL_CALL disposing(const css::lang::EventObject&) override { told = true; }
    bool told = false;
};

rt::Error error_from(const Any& caught, std::string_view member, const Session* session)
{
    css::uno::Exception e;
    caught >>= e;
    const std::string type = utf8(caught.getValueTypeName());
    std::string what = office_words(utf8(e.Message));
    const bool disposed = caught.isExtractableTo(cppu::UnoType<css::lang::DisposedException>::get());
    // An object the office disposed of while the connection lives (a document the person closed)
    // is that object's failure; only a connection that ended is the office gone.
    if (disposed && session && !session->ended())
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

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool Session::ended() const
{
    if (!bridge.is())
        return true;
    // A disposed bridge tells a listener so the moment it is added; a live one keeps it.
    rtl::Reference<EndProbe> probe(new EndProbe);
    try {
        bridge->addEventListener(probe.get());
        if (probe->told)
            return true;
        bridge->removeEventListener(probe.get());
        return false;
    } catch (const css::uno::RuntimeException&) {
        return true;
    }
}

rt::Error office_error(std::string_view member, const Session* session)
{
    Any caught = cppu::getCaughtException();
    // A failure inside the called member arrives wrapped; report the member's own exception.
    css::reflection::InvocationTargetException wrapped;
    if (caught >>= wrapped)
        return error_from(wrapped.TargetException, member, session);
    return error_from(caught, member, session);
}

rt::Error OfficeObject::failure(std::string_view member) const { return office_error(member, session_.get()); }

OfficeObject::OfficeObject(std::shared_ptr<Session> session, Any target)
    : session_(std::move(session)), target_(std::move(target))
{
}

const Method* OfficeObject::method_of(const rtl::OUString& iface, const std::string& lower_name, sal_Int32 argc)
{
    auto known = session_->methods.find(iface);
    if (known == session_->methods.end()) {
        // The names alone, from the interface's description (its bases' members too): an
        // object says it implements dozens of interfaces, and only the one that serves the
        // call is looked at further.
        known = session_->methods.emplace(iface, std::unordered_map<std::string, Method>()).first;
        css::uno::TypeDescription described(iface);
        if (described.is() && described.get()->eTypeClass == typelib_TypeClass_INTERFACE) {
            const auto* members = reinterpret_cast<const typelib_InterfaceTypeDescription*>(described.get());
            for (sal_Int32 i = 0; i < members->nAllMembers; ++i) {
                const typelib_TypeDescriptionReference* member = members->ppAllMembers[i];
                if (member->eTypeClass != typelib_TypeClass_INTERFACE_METHOD)
                    continue;
                // "iface::name", or for an interface inherited beside others "iface::name:@i,j:..."
                const rtl::OUString full(member->pTypeName);
                const rtl::OUString tail = full.copy(full.indexOf("::") + 2);
                const sal_Int32 end = tail.indexOf(':');
                const rtl::OUString exact = end < 0 ? tail : tail.copy(0, end);
                known->second.emplace(lower(utf8(exact)), Method{exact, false, nullptr, {}});
            }
        }
    }
    // A property read may be its getter's call.
    std::vector<std::string> spellings{lower_name};
    if (argc == 0)
        spellings.push_back("get" + lower_name);
    for (const std::string& spelt : spellings) {
        auto it = known->second.find(spelt);
        if (it == known->second.end())
            continue;
        Method& m = it->second;
        if (!m.looked_up) {
            m.looked_up = true;
            try {
                Reference<css::reflection::XIdlClass> cls = session_->reflection->forName(iface);
                m.idl = cls.is() ? cls->getMethod(m.exact) : nullptr;
                for (const auto& p : m.idl.is() ? m.idl->getParameterInfos() : Sequence<css::reflection::ParamInfo>()) {
                    if (p.aMode != css::reflection::ParamMode_IN)
                        m.idl.clear(); // out parameters stay with the adapter
                    m.params.emplace_back(p.aType->getTypeClass(), p.aType->getName());
                }
            } catch (const css::uno::RuntimeException&) {
                m.idl.clear(); // not in ZEB's reflection: the adapter serves
            }
        }
        if (m.idl.is() && static_cast<sal_Int32>(m.params.size()) == argc)
            return &m;
    }
    return nullptr;
}

Any OfficeObject::as_interface(const rtl::OUString& iface)
{
    const css::uno::Type wanted(css::uno::TypeClass_INTERFACE, iface);
    auto is = [&](const Any& a) { return wanted.isAssignableFrom(a.getValueType()); };
    if (is(target_))
        return target_;
    for (const Any& h : held_)
        if (is(h))
            return h;
    Reference<css::uno::XInterface> object(target_, css::uno::UNO_QUERY);
    if (!object.is())
        return {};
    Any typed = object->queryInterface(wanted);
    if (typed.hasValue()) {
        // While the interface is held, asking the same object for it again (through another
        // object ZEB made of it, as a collection read afresh each time) is answered in ZEB.
        held_.push_back(typed);
        session_->recent.push_back(typed);
        if (session_->recent.size() > Session::recent_kept)
            session_->recent.pop_front();
    }
    return typed;
}

const std::vector<rtl::OUString>& OfficeObject::own_types()
{
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

std::optional<OfficeObject::Straight> OfficeObject::straight(const std::string& lower_name, sal_Int32 argc)
{
    if (target_.getValueTypeClass() != css::uno::TypeClass_INTERFACE)
        return std::nullopt;
    const rtl::OUString came_as = target_.getValueTypeName();
    if (auto m = method_of(came_as, lower_name, argc))
        return Straight{m, target_};
    // The interface that declared the name on the last object that came as this type, while this
    // one has it (a call made once per sheet finds its way at once); else what this one says.
    rtl::OUString& declared = session_->declared_by[utf8(came_as) + ' ' + lower_name + ' ' + std::to_string(argc)];
    if (!declared.isEmpty())
        if (auto m = method_of(declared, lower_name, argc))
            if (Any typed = as_interface(declared); typed.hasValue())
                return Straight{m, typed};
    for (const rtl::OUString& iface : own_types())
        if (auto m = method_of(iface, lower_name, argc)) {
            declared = iface;
            return Straight{m, as_interface(iface)};
        }
    return std::nullopt;
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

const Member& OfficeObject::member(std::string_view name)
{
    const std::string key = lower(name);
    if (auto it = members_.find(key); it != members_.end())
        return it->second;
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
    return members_[key] = Member{info.aName, info.eMemberType == css::script::MemberType_METHOD};
}

rt::Value OfficeObject::call(std::string_view name, const std::vector<rt::Value>& args)
{
    const sal_Int32 argc = static_cast<sal_Int32>(args.size());
    Sequence<Any> params(argc);
    for (sal_Int32 i = 0; i < argc; ++i)
        params.getArray()[i] = to_any(args[static_cast<std::size_t>(i)]);
    try {
        if (auto way = straight(lower(name), argc)) {
            Sequence<Any> converted(argc);
            bool converts = true;
            for (sal_Int32 i = 0; converts && i < argc; ++i) {
                const css::uno::Type& wanted = way->method->params[static_cast<std::size_t>(i)];
                try {
                    converted.getArray()[i] = params[i].getValueType() == wanted
                                                  ? params[i]
                                                  : session_->converter->convertTo(params[i], wanted);
                } catch (const css::uno::Exception&) {
                    converts = false; // the adapter says why, below
                }
            }
            if (converts)
                return to_value(way->method->idl->invoke(way->typed, converted), session_);
        }
    } catch (const css::reflection::InvocationTargetException&) {
        throw failure(name); // the member itself failed
    } catch (const css::uno::RuntimeException&) {
        throw failure(name);
    } catch (const css::uno::Exception&) {
        // Refused on the way to the member: the adapter has the last word.
    }
    // No straight way: through the Invocation adapter, which knows properties and out parameters too.
    const Member& m = member(name);
    if (!m.method && !args.empty())
        throw rt::Error(rt::errWrongArguments, "ZEB",
                        "Wrong number of arguments or invalid property assignment: '" + std::string(name) + "'");
    try {
        if (!m.method)
            return to_value(adapter().getValue(m.exact), session_);
        Sequence<sal_Int16> out_index;
        Sequence<Any> out_params;
        return to_value(adapter().invoke(m.exact, params, out_index, out_params), session_);
    } catch (const css::uno::Exception&) {
        throw failure(name);
    }
}

rt::Value OfficeObject::get(std::string_view name) { return call(name, {}); }

void OfficeObject::set(std::string_view name, const rt::Value& value)
{
    const Any v = to_any(value);
    const Member& m = member(name);
    try {
        adapter().setValue(m.exact, v);
    } catch (const css::uno::Exception&) {
        throw failure(name);
    }
}

} // namespace office
