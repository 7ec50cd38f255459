#include "type_index.h"

#include "text.h"

#include <com/sun/star/reflection/TypeDescriptionSearchDepth.hpp>
#include <com/sun/star/reflection/XInterfaceMethodTypeDescription.hpp>
#include <com/sun/star/reflection/XInterfaceTypeDescription2.hpp>
#include <com/sun/star/reflection/XTypeDescriptionEnumerationAccess.hpp>

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
{
    reading_ = std::async(std::launch::async, [this, local] {
        // Behind everything else: the program's start-up and the office it talks to come first,
        // and a person takes longer than this pause to choose a file.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
        {
            std::unique_lock<std::mutex> hold(lock_);
            woken_.wait_for(hold, std::chrono::milliseconds(300), [this] { return stop_.load(); });
        }
        return read_library(local, stop_);
    });
}

TypeIndex::~TypeIndex()
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        stop_ = true;
    }
    woken_.notify_all();
    if (reading_.valid())
        reading_.wait();
}

bool TypeIndex::ready()
{
    return read_ || reading_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

const TypeIndex::Library& TypeIndex::library()
{
    if (!read_) {
        library_ = reading_.get();
        read_ = true;
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
