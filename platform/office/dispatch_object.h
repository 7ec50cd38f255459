#pragma once
// Private to the office layer on Windows: an automation object whose members are called by
// name through IDispatch, names matched regardless of letter case.

#include "runtime/object.h"

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace office {

class DispatchObject : public rt::Object {
public:
    /// Holds `object` (one more reference, released with this).
    explicit DispatchObject(IDispatch* object);
    ~DispatchObject() override;
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    rt::Value call(std::string_view name, const std::vector<rt::Value>& args) override;
    rt::Value get(std::string_view name) override;
    void set(std::string_view name, const rt::Value& value) override;

    /// The object, for handing it back to a server.
    IDispatch* dispatch() const { return object_; }

private:
    DISPID member(std::string_view name) const;
    rt::Value invoke(std::string_view name, WORD flags, const std::vector<rt::Value>& args, bool put = false);
    IDispatch* object_;
};

} // namespace office
