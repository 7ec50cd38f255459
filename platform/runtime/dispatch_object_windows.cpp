#include "runtime/dispatch_object.h"

#include "runtime/com_value.h"
#include "runtime/error.h"
#include "runtime/value.h"

#include <algorithm>
#include <cstdio>

#include <objbase.h>

namespace rt {
namespace {

/// The error a failed call raises, as an automation client reports it: the object's own
/// number and text where it raised one, the call's result otherwise.
Error failure(std::string_view name, HRESULT hr, EXCEPINFO& info)
{
    if (hr == DISP_E_EXCEPTION) {
        if (info.pfnDeferredFillIn)
            info.pfnDeferredFillIn(&info);
        const std::string source = from_bstr(info.bstrSource);
        std::string description = from_bstr(info.bstrDescription);
        const HRESULT code = info.scode ? info.scode : static_cast<HRESULT>(info.wCode);
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
        // A runtime error raised inside the object (facility 0x0A) is that error's number.
        const std::int32_t number = HRESULT_FACILITY(code) == 0x0A ? (code & 0xFFFF) : static_cast<std::int32_t>(code);
        if (description.empty())
            description = "Automation error";
        return Error(number, source.empty() ? "ZEB" : source, description);
    }
    if (hr == DISP_E_UNKNOWNNAME || hr == DISP_E_MEMBERNOTFOUND)
        return Error(errNoSuchMember, "ZEB", "Object doesn't support this property or method: " + std::string(name));
    if (hr == DISP_E_TYPEMISMATCH)
        return Error(errTypeMismatch, "ZEB", "Type mismatch calling " + std::string(name));
    if (hr == DISP_E_BADPARAMCOUNT || hr == DISP_E_PARAMNOTOPTIONAL)
        return Error(errInvalidCall, "ZEB", "Wrong number of arguments calling " + std::string(name));
    // A server whose process died during the call, or before it: it is gone. A fault inside
    // a server that lives (RPC_E_SERVERFAULT) is that call's failure, not the server's end.
    if (hr == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED) || hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) ||
        hr == RPC_E_SERVER_DIED_DNE || hr == RPC_E_SERVER_DIED || hr == CO_E_OBJNOTCONNECTED || hr == RPC_E_DISCONNECTED)
        return Error(errServerUnavailable, "ZEB", "The remote server machine does not exist or is unavailable");
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
    return Error(static_cast<std::int32_t>(hr), "ZEB", "Automation error " + std::string(code) + " calling " + std::string(name));
}

} // namespace

DispatchObject::DispatchObject(IDispatch* object) : object_(object) { object_->AddRef(); }

DispatchObject::~DispatchObject() { object_->Release(); }

DISPID DispatchObject::member(std::string_view name) const
{
    BSTR wide_name = to_bstr(std::string(name));
    LPOLESTR names[] = {wide_name};
    DISPID id = DISPID_UNKNOWN;
    // The object matches the name regardless of letter case, as automation does.
    const HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    SysFreeString(wide_name);
    if (FAILED(hr)) {
        EXCEPINFO none{};
        throw failure(name, hr, none);
    }
    return id;
}

Value DispatchObject::invoke(std::string_view name, WORD flags, const std::vector<Value>& args, bool put)
{
    const DISPID id = member(name);
    // The arguments go in the other order, the last first.
    std::vector<VARIANT> in(args.size());
    try {
        for (std::size_t i = 0; i < args.size(); ++i)
            in[args.size() - 1 - i] = to_variant(args[i]);
    } catch (...) {
        for (VARIANT& v : in)
            VariantClear(&v);
        throw;
    }
    DISPID put_id = DISPID_PROPERTYPUT;
    DISPPARAMS params{in.data(), put ? &put_id : nullptr, static_cast<UINT>(in.size()), put ? 1u : 0u};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO info{};
    UINT bad_argument = 0;
    const HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, put ? nullptr : &result, &info,
                                       &bad_argument);
    for (VARIANT& v : in)
        VariantClear(&v);
    if (FAILED(hr))
        throw failure(name, hr, info);
    Value out;
    try {
        out = from_variant(result);
    } catch (...) {
        VariantClear(&result);
        throw;
    }
    VariantClear(&result);
    return out;
}

Value DispatchObject::call(std::string_view name, const std::vector<Value>& args)
{
    return invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

Value DispatchObject::get(std::string_view name) { return invoke(name, DISPATCH_PROPERTYGET, {}); }

void DispatchObject::set(std::string_view name, const Value& value)
{
    // An object is set by reference, any other value by value.
    const WORD flags = value.kind() == Value::Kind::Object ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    invoke(name, flags, {value}, true);
}

void join_apartment()
{
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    if (CoGetApartmentType(&type, &qualifier) != CO_E_NOTINITIALIZED)
        return;
    struct Apartment {
        bool joined = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ~Apartment()
        {
            if (joined)
                CoUninitialize();
        }
    };
    thread_local Apartment apartment;
}

std::shared_ptr<DispatchObject> create_dispatch_object(const std::string& progid, HRESULT& result)
{
    join_apartment();
    BSTR name = to_bstr(progid);
    CLSID clsid{};
    result = CLSIDFromProgID(name, &clsid);
    SysFreeString(name);
    if (FAILED(result))
        return nullptr;
    IDispatch* object = nullptr;
    result = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object));
    if (FAILED(result) || !object)
        return nullptr;
    auto made = std::make_shared<DispatchObject>(object);
    object->Release(); // the object holds its own reference
    return made;
}

} // namespace rt
