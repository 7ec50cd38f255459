#include "type_index.h"

#include "text.h"

#include <com/sun/star/reflection/TypeDescriptionSearchDepth.hpp>
#include <com/sun/star/reflection/XInterfaceMethodTypeDescription.hpp>
#include <com/sun/star/reflection/XInterfaceTypeDescription2.hpp>
#include <com/sun/star/reflection/XTypeDescriptionEnumerationAccess.hpp>
#include <com/sun/star/reflection/theCoreReflection.hpp>
#include <com/sun/star/reflection/XIdlReflection.hpp>

#include <sys/resource.h>
#include <unistd.h>

namespace office {

using css::uno::Reference;

namespace {

TypeIndex::Library read_library(const Reference<css::uno::XComponentContext>& local, const std::atomic<bool>& stop)
{
    TypeIndex::Library library;
    try {
        Reference<css::reflection::XTypeDescriptionEnumerationAccess> types(
            local->getValueByName("/singletons/com.sun.star.reflection.theTypeDescriptionManager"),
            css::uno::UNO_QUERY_THROW);
        css::uno::TypeClass interfaces = css::uno::TypeClass_INTERFACE;
        auto all = types->createTypeDescriptionEnumeration(rtl::OUString(), {&interfaces, 1},
                                                           css::reflection::TypeDescriptionSearchDepth_INFINITE);
        while (!stop && all->hasMoreElements()) {
            Reference<css::reflection::XInterfaceTypeDescription2> iface(all->nextTypeDescription(),
                                                                         css::uno::UNO_QUERY);
            if (!iface.is())
                continue;
            // Its own members only: an inherited method belongs to the base that declares it.
            for (const auto& member : iface->getMembers()) {
                Reference<css::reflection::XInterfaceMethodTypeDescription> method(member, css::uno::UNO_QUERY);
                if (method.is())
                    library.methods[lower(utf8(method->getMemberName()))].push_back(
                        {iface->getName(), method->getMemberName(), method->getParameters().getLength()});
            }
            auto& bases = library.bases[iface->getName()];
            for (const auto& base : iface->getBaseTypes())
                bases.push_back(base->getName());
        }
    } catch (const css::uno::Exception&) {
        // Without the index every member is found through the office, as it always can be.
    }
    return library;
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

TypeIndex::TypeIndex(Reference<css::uno::XComponentContext> local)
    : thread_([this, local] { run(local); })
{
}

TypeIndex::~TypeIndex()
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        stop_ = true;
    }
    woken_.notify_all();
    thread_.join();
}

void TypeIndex::run(const Reference<css::uno::XComponentContext>& local)
{
    // Behind everything else: the program's start-up and the office it talks to come first,
    // and a person takes longer than this pause to choose a file.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
    {
        std::unique_lock<std::mutex> hold(lock_);
        woken_.wait_for(hold, std::chrono::milliseconds(300), [this] { return stop_.load(); });
    }
    Library library = read_library(local, stop_);
    {
        std::lock_guard<std::mutex> hold(lock_);
        library_ = std::move(library);
        read_ = true;
    }
    woken_.notify_all();
    for (;;) {
        std::vector<std::string> names;
        {
            std::unique_lock<std::mutex> hold(lock_);
            woken_.wait(hold, [this] { return stop_ || !wanted_.empty(); });
            if (stop_)
                return;
            names.swap(wanted_);
            readying_ = true;
        }
        ready_for(local, names);
        {
            std::lock_guard<std::mutex> hold(lock_);
            readying_ = false;
        }
        woken_.notify_all();
    }
}

void TypeIndex::wait()
{
    std::unique_lock<std::mutex> hold(lock_);
    woken_.wait(hold, [this] { return stop_ || (read_ && wanted_.empty() && !readying_); });
}

void TypeIndex::prepare(const std::vector<std::string>& lower_names)
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        wanted_.insert(wanted_.end(), lower_names.begin(), lower_names.end());
    }
    woken_.notify_all();
}

void TypeIndex::ready_for(const Reference<css::uno::XComponentContext>& local,
                          const std::vector<std::string>& lower_names)
{
    std::set<rtl::OUString> declaring;
    for (const std::string& name : lower_names)
        for (const std::string& spelt : {name, "get" + name})
            if (auto it = library_.methods.find(spelt); it != library_.methods.end())
                for (const Declared& d : it->second)
                    declaring.insert(d.iface);
    // Their bases, then what their methods return, one step out: a proxy of an interface is
    // made from its whole family's descriptions.
    std::set<rtl::OUString> wanted;
    for (const auto& iface : declaring)
        for (const auto& member : family(iface))
            wanted.insert(member);
    try {
        Reference<css::reflection::XIdlReflection> reflection = css::reflection::theCoreReflection::get(local);
        std::set<rtl::OUString> returned;
        for (bool outer : {false, true}) {
            for (const auto& iface : outer ? returned : wanted) {
                if (stop_)
                    return;
                if (!readied_.insert(iface).second)
                    continue; // readied for names given before, or already on this list
                css::uno::TypeDescription described(iface);
                if (!described.is())
                    continue;
                described.makeComplete();
                described_.push_back(described);
                Reference<css::reflection::XIdlClass> cls = reflection->forName(iface);
                if (!cls.is())
                    continue;
                classes_.push_back(cls);
                for (const auto& method : cls->getMethods()) {
                    method->getParameterInfos();
                    const auto type = method->getReturnType();
                    if (!outer && type.is() && type->getTypeClass() == css::uno::TypeClass_INTERFACE)
                        for (const auto& member : family(type->getName()))
                            returned.insert(member);
                }
            }
        }
    } catch (const css::uno::RuntimeException&) {
        // What is not readied is found when it is called, as ever.
    }
}

bool TypeIndex::ready() { return read_.load(); }

const TypeIndex::Library& TypeIndex::library()
{
    if (!read_) {
        std::unique_lock<std::mutex> hold(lock_);
        woken_.wait(hold, [this] { return read_.load(); });
    }
    return library_;
}

const std::vector<Declared>& TypeIndex::declaring(const std::string& lower_name)
{
    static const std::vector<Declared> none;
    const auto& methods = library().methods;
    auto it = methods.find(lower_name);
    return it == methods.end() ? none : it->second;
}

std::set<rtl::OUString> TypeIndex::family(const rtl::OUString& iface)
{
    const auto& bases = library().bases;
    std::set<rtl::OUString> found{iface};
    std::vector<rtl::OUString> todo{iface};
    while (!todo.empty()) {
        auto it = bases.find(todo.back());
        todo.pop_back();
        if (it == bases.end())
            continue;
        for (const auto& b : it->second)
            if (b != "com.sun.star.uno.XInterface" && found.insert(b).second)
                todo.push_back(b);
    }
    return found;
}

} // namespace office
