// The office's objects on Windows, as the program expects them on both systems: an exception
// the office raised (the bridge's wCode 1001) is the same error as on Linux, with the member
// named and the office's own words; a server that died is the office gone; a property read
// that gives nothing is a failure (the bridge answers a failed read with an empty value).

#include "bridged_object_windows.h"

#include "office_words.h"

#include "runtime/error.h"
#include "runtime/value.h"

#include <string>

namespace office {
namespace {

constexpr std::int32_t bridge_exception = 1001; // the bridge's wCode for an office exception

class BridgedObject : public rt::Object {
public:
    explicit BridgedObject(std::shared_ptr<rt::Object> object) : object_(std::move(object)) {}

    rt::Value call(std::string_view name, const std::vector<rt::Value>& args) override
    {
        return guarded(name, [&] { return wrapped(object_->call(name, inner(args))); });
    }
    rt::Value get(std::string_view name) override
    {
        return guarded(name, [&] {
            rt::Value v = object_->get(name);
            if (v.is_empty())
                throw rt::Error(rt::errAutomation, "ZEB", std::string(name) + ": LibreOffice gave no value");
            return wrapped(v);
        });
    }
    void set(std::string_view name, const rt::Value& value) override
    {
        guarded(name, [&] {
            object_->set(name, inner({value}).front());
            return rt::Value();
        });
    }

    const std::shared_ptr<rt::Object>& object() const { return object_; }

private:
    template <typename F>
    rt::Value guarded(std::string_view name, F&& f)
    {
        try {
            return f();
        } catch (const rt::Error& e) {
            throw as_on_linux(name, e);
        }
    }

    static rt::Error as_on_linux(std::string_view name, const rt::Error& e)
    {
        const std::string member(name);
        if (e.number() == rt::errServerUnavailable)
            return rt::Error(rt::errServerUnavailable, e.source(),
                             member + ": LibreOffice has stopped answering: the connection to it was lost");
        if (e.number() != bridge_exception)
            return e;
        const std::string words = office_words(e.description());
        if (words.find("DisposedException") != std::string::npos)
            return rt::Error(rt::errAutomation, "com.sun.star.lang.DisposedException",
                             member + ": LibreOffice has closed this object (it was disposed)");
        return rt::Error(rt::errAutomation, e.source(), member + ": " + words);
    }

    static rt::Value wrapped(const rt::Value& v)
    {
        // A null object (a load that gave no document) stays one, for the caller to read.
        if (v.kind() == rt::Value::Kind::Object)
            return v.is_nothing() ? v : rt::Value(bridged(v.to_object()));
        if (v.kind() == rt::Value::Kind::Array) {
            std::vector<rt::Value> items;
            for (const rt::Value& item : v.to_array())
                items.push_back(wrapped(item));
            return rt::Value(std::move(items));
        }
        return v;
    }

    static std::vector<rt::Value> inner(const std::vector<rt::Value>& args)
    {
        std::vector<rt::Value> out;
        for (const rt::Value& a : args) {
            if (a.kind() == rt::Value::Kind::Object) {
                auto* ours = dynamic_cast<BridgedObject*>(a.to_object().get());
                out.push_back(ours ? rt::Value(ours->object()) : a);
            } else if (a.kind() == rt::Value::Kind::Array) {
                out.push_back(rt::Value(inner(a.to_array())));
            } else {
                out.push_back(a);
            }
        }
        return out;
    }

    std::shared_ptr<rt::Object> object_;
};

} // namespace

std::shared_ptr<rt::Object> bridged(std::shared_ptr<rt::Object> object)
{
    return std::make_shared<BridgedObject>(std::move(object));
}

} // namespace office
