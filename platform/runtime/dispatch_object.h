#pragma once
// On Windows, for the platform layers: an automation object whose members are called by
// name through IDispatch, names matched regardless of letter case.

#include "runtime/object.h"

#include <windows.h>
#include <oaidl.h>

#include <memory>
#include <string>

namespace rt {

class DispatchObject : public Object {
public:
    /// Holds `object` (one more reference, released with this).
    explicit DispatchObject(IDispatch* object);
    ~DispatchObject() override;
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    Value call(std::string_view name, const std::vector<Value>& args) override;
    Value get(std::string_view name) override;
    void set(std::string_view name, const Value& value) override;

    /// The object, for handing it back to a server.
    IDispatch* dispatch() const { return object_; }

private:
    DISPID member(std::string_view name) const;
    Value invoke(std::string_view name, WORD flags, const std::vector<Value>& args, bool put = false);
    IDispatch* object_;
};

/// The thread talks to servers in an apartment: the program's, joined at start (its forms'
/// session); a thread that has none joins one here, once, and leaves it when the thread ends.
void join_apartment();

/// A new object of the class registered as `progid`, reached through IDispatch (the thread
/// joins an apartment first when it has none); null, with the failure in `result`, when the
/// class is not registered or its server does not start.
std::shared_ptr<DispatchObject> create_dispatch_object(const std::string& progid, HRESULT& result);

} // namespace rt
