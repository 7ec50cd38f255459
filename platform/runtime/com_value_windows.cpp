#include "runtime/com_value.h"

#include "runtime/dispatch_object.h"
#include "runtime/error.h"

#include <memory>

namespace rt {

std::wstring wide(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string utf8(const std::wstring& text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

BSTR to_bstr(const std::string& text)
{
    const std::wstring w = wide(text);
    return SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
}

std::string from_bstr(BSTR text)
{
    if (!text)
        return "";
    const int length = static_cast<int>(SysStringLen(text));
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    return out;
}

VARIANT to_variant(const Value& value)
{
    VARIANT v;
    VariantInit(&v);
    switch (value.kind()) {
    case Value::Kind::Empty: break;
    case Value::Kind::Boolean: v.vt = VT_BOOL; v.boolVal = value.to_bool() ? VARIANT_TRUE : VARIANT_FALSE; break;
    case Value::Kind::Integer: v.vt = VT_I2; v.iVal = value.to_int16(); break;
    case Value::Kind::Long: v.vt = VT_I4; v.lVal = value.to_int32(); break;
    case Value::Kind::Double: v.vt = VT_R8; v.dblVal = value.to_double(); break;
    case Value::Kind::Text: v.vt = VT_BSTR; v.bstrVal = to_bstr(value.to_text()); break;
    case Value::Kind::Object: {
        auto* d = dynamic_cast<DispatchObject*>(value.to_object().get());
        if (!d)
            throw Error(errTypeMismatch, "ZEB", "Type mismatch: the object is not an automation object");
        v.vt = VT_DISPATCH;
        v.pdispVal = d->dispatch();
        v.pdispVal->AddRef();
        break;
    }
    case Value::Kind::Array: {
        const std::vector<Value>& items = value.to_array();
        SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(items.size()));
        for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
            VARIANT item = to_variant(items[static_cast<std::size_t>(i)]);
            SafeArrayPutElement(array, &i, &item); // copies it
            VariantClear(&item);
        }
        v.vt = VT_ARRAY | VT_VARIANT;
        v.parray = array;
        break;
    }
    }
    return v;
}

namespace {

Value from_array(SAFEARRAY* array)
{
    std::vector<Value> items;
    if (!array || SafeArrayGetDim(array) != 1)
        return Value(items);
    LONG low = 0, high = -1;
    SafeArrayGetLBound(array, 1, &low);
    SafeArrayGetUBound(array, 1, &high);
    VARTYPE type = VT_EMPTY;
    SafeArrayGetVartype(array, &type);
    for (LONG i = low; i <= high; ++i) {
        VARIANT item;
        VariantInit(&item);
        if (type == VT_VARIANT) {
            SafeArrayGetElement(array, &i, &item);
        } else {
            // An array of one type: each element read into a VARIANT of that type.
            item.vt = type;
            SafeArrayGetElement(array, &i, &item.lVal);
        }
        items.push_back(from_variant(item));
        VariantClear(&item);
    }
    return Value(items);
}

} // namespace

Value from_variant(const VARIANT& in)
{
    const VARIANT* v = &in;
    if (v->vt == (VT_BYREF | VT_VARIANT))
        v = v->pvarVal;
    if (v->vt & VT_ARRAY)
        return from_array((v->vt & VT_BYREF) ? *v->pparray : v->parray);
    switch (v->vt) {
    case VT_EMPTY: case VT_NULL: return Value();
    case VT_BOOL: return Value(v->boolVal != VARIANT_FALSE);
    case VT_I1: return Value(static_cast<std::int16_t>(v->cVal));
    case VT_UI1: return Value(static_cast<std::int16_t>(v->bVal));
    case VT_I2: return Value(static_cast<std::int16_t>(v->iVal));
    case VT_UI2: return Value(static_cast<std::int32_t>(v->uiVal));
    case VT_I4: case VT_INT: return Value(static_cast<std::int32_t>(v->lVal));
    case VT_UI4: case VT_UINT: case VT_I8: case VT_UI8: {
        VARIANT d;
        VariantInit(&d);
        if (SUCCEEDED(VariantChangeType(&d, const_cast<VARIANT*>(v), 0, VT_R8)))
            return Value(d.dblVal);
        return Value();
    }
    case VT_R4: return Value(static_cast<double>(v->fltVal));
    case VT_R8: return Value(v->dblVal);
    case VT_DATE: return Value(v->date);
    case VT_CY: return Value(static_cast<double>(v->cyVal.int64) / 10000.0);
    case VT_BSTR: return Value(from_bstr(v->bstrVal));
    case VT_DISPATCH:
        if (!v->pdispVal)
            return Value(std::shared_ptr<Object>());
        return Value(std::shared_ptr<Object>(std::make_shared<DispatchObject>(v->pdispVal)));
    case VT_UNKNOWN: {
        IDispatch* d = nullptr;
        if (v->punkVal && SUCCEEDED(v->punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d)))) {
            auto object = std::make_shared<DispatchObject>(d);
            d->Release();
            return Value(std::shared_ptr<Object>(object));
        }
        return Value();
    }
    default: {
        VARIANT text;
        VariantInit(&text);
        if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(v), 0, VT_BSTR))) {
            std::string s = from_bstr(text.bstrVal);
            VariantClear(&text);
            return Value(s);
        }
        throw Error(errTypeMismatch, "ZEB", "Type mismatch: a value of variant type " + std::to_string(v->vt));
    }
    }
}

} // namespace rt
