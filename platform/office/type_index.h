#pragma once
// Private to the office layer: which interfaces declare a method of a given name, read from
// ZEB's own copy of the office's type library, so an object's member is found without asking
// the office what the object is.

#include <com/sun/star/reflection/XIdlClass.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <typelib/typedescription.hxx>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace office {

/// A method as an interface declares it.
struct Declared {
    rtl::OUString iface; ///< the declaring interface's name
    rtl::OUString name;  ///< the method's name in its own letter case
    sal_Int32 params = 0;
};

/// Every interface method of the type library, by name in lower case.
class TypeIndex {
public:
    /// Starts reading the type library of `local` on a thread of its own, after a pause and at
    /// the lowest priority, so start-up does not wait for it; the office is not asked.
    explicit TypeIndex(css::uno::Reference<css::uno::XComponentContext> local);
    /// Ends the reading, or the readying, where it is.
    ~TypeIndex();
    TypeIndex(const TypeIndex&) = delete;
    TypeIndex& operator=(const TypeIndex&) = delete;

    /// Whether the reading is done, without waiting for it.
    bool ready();
    /// Waits for the reading to end, and for what prepare() was given to be ready.
    void wait();
    /// Readies on the same thread, once the library is read, what the first calls of methods
    /// named `lower_names` (or get and the name) need in ZEB: the descriptions and reflection of
    /// the interfaces that declare them, their bases and the interfaces their methods return.
    void prepare(const std::vector<std::string>& lower_names);
    /// The methods named `lower_name` (lower case), waiting for the reading when it is not done.
    const std::vector<Declared>& declaring(const std::string& lower_name);
    /// `iface` and every interface it inherits from but XInterface; waits like declaring().
    std::set<rtl::OUString> family(const rtl::OUString& iface);

    /// What the type library holds: methods by name, and each interface's own bases.
    struct Library {
        std::unordered_map<std::string, std::vector<Declared>> methods;
        std::map<rtl::OUString, std::vector<rtl::OUString>> bases;
    };

private:
    const Library& library();
    void run(const css::uno::Reference<css::uno::XComponentContext>& local);
    void ready_for(const css::uno::Reference<css::uno::XComponentContext>& local,
                   const std::vector<std::string>& lower_names);

    std::mutex lock_;
    std::condition_variable woken_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> read_{false};
    Library library_; ///< written once, before read_ is set
    std::vector<std::string> wanted_;
    bool readying_ = false;
    // What was readied, held so that it stays in memory: the thread's own.
    std::set<rtl::OUString> readied_;
    std::vector<css::uno::TypeDescription> described_;
    std::vector<css::uno::Reference<css::reflection::XIdlClass>> classes_;
    std::thread thread_;
};

/// `s` in lower case (ASCII letters only, as UNO names are).
std::string lower(std::string_view s);

} // namespace office
