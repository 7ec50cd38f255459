// Values between the office and the runtime: numbers, texts, sequences as arrays, interfaces
// and structs as office objects.

#include "office_object_linux.h"

#include "runtime/error.h"

#include <com/sun/star/uno/Sequence.hxx>
#include <typelib/typedescription.h>

namespace office {

using css::uno::Any;
using css::uno::TypeClass;

namespace {

rt::Value sequence_value(const Any& any, const std::shared_ptr<Session>& session)
{
    std::vector<rt::Value> out;
    const uno_Sequence* seq = *static_cast<uno_Sequence* const*>(any.getValue());
    typelib_TypeDescription* td = nullptr;
    any.getValueType().getDescription(&td);
    typelib_TypeDescriptionReference* element =
        reinterpret_cast<typelib_IndirectTypeDescription*>(td)->pType;
    typelib_TypeDescription* etd = nullptr;
    typelib_typedescriptionreference_getDescription(&etd, element);
    const sal_Int32 size = etd ? etd->nSize : 0;
    for (sal_Int32 i = 0; etd && i < seq->nElements; ++i)
        out.push_back(to_value(Any(seq->elements + i * size, element), session));
    if (etd)
        typelib_typedescription_release(etd);
    typelib_typedescription_release(td);
    return rt::Value(std::move(out));
}

} // namespace

rt::Value to_value(const Any& any, const std::shared_ptr<Session>& session)
{
    switch (any.getValueTypeClass()) {
    case TypeClass::TypeClass_VOID: return {};
    case TypeClass::TypeClass_BOOLEAN: return rt::Value(*static_cast<const sal_Bool*>(any.getValue()) != 0);
    case TypeClass::TypeClass_BYTE: return rt::Value(std::int16_t(*static_cast<const sal_Int8*>(any.getValue())));
    case TypeClass::TypeClass_SHORT: return rt::Value(std::int16_t(*static_cast<const sal_Int16*>(any.getValue())));
    case TypeClass::TypeClass_UNSIGNED_SHORT: return rt::Value(std::int32_t(*static_cast<const sal_uInt16*>(any.getValue())));
    case TypeClass::TypeClass_LONG: return rt::Value(std::int32_t(*static_cast<const sal_Int32*>(any.getValue())));
    case TypeClass::TypeClass_ENUM: return rt::Value(std::int32_t(*static_cast<const sal_Int32*>(any.getValue())));
    case TypeClass::TypeClass_UNSIGNED_LONG: return rt::Value(double(*static_cast<const sal_uInt32*>(any.getValue())));
    case TypeClass::TypeClass_HYPER: return rt::Value(double(*static_cast<const sal_Int64*>(any.getValue())));
    case TypeClass::TypeClass_UNSIGNED_HYPER: return rt::Value(double(*static_cast<const sal_uInt64*>(any.getValue())));
    case TypeClass::TypeClass_FLOAT: return rt::Value(double(*static_cast<const float*>(any.getValue())));
    case TypeClass::TypeClass_DOUBLE: return rt::Value(*static_cast<const double*>(any.getValue()));
    case TypeClass::TypeClass_CHAR: return rt::Value(utf8(rtl::OUString(*static_cast<const sal_Unicode*>(any.getValue()))));
    case TypeClass::TypeClass_STRING: return rt::Value(utf8(*static_cast<const rtl::OUString*>(any.getValue())));
    case TypeClass::TypeClass_TYPE: return rt::Value(utf8(static_cast<const css::uno::Type*>(any.getValue())->getTypeName()));
    case TypeClass::TypeClass_SEQUENCE: return sequence_value(any, session);
    case TypeClass::TypeClass_INTERFACE: {
        css::uno::Reference<css::uno::XInterface> ref(any, css::uno::UNO_QUERY);
        if (!ref.is())
            return rt::Value(std::shared_ptr<rt::Object>());
        return rt::Value(std::shared_ptr<rt::Object>(std::make_shared<OfficeObject>(session, any)));
    }
    case TypeClass::TypeClass_STRUCT:
    case TypeClass::TypeClass_EXCEPTION:
        return rt::Value(std::shared_ptr<rt::Object>(std::make_shared<OfficeObject>(session, any)));
    default: return {};
    }
}

Any to_any(const rt::Value& value)
{
    using K = rt::Value::Kind;
    switch (value.kind()) {
    case K::Empty: return Any();
    case K::Boolean: return Any(value.to_bool());
    case K::Integer: return Any(sal_Int16(value.to_int16()));
    case K::Long: return Any(sal_Int32(value.to_int32()));
    case K::Double: return Any(value.to_double());
    case K::Text: return Any(ustr(value.to_text()));
    case K::Object: {
        auto* office = dynamic_cast<OfficeObject*>(value.to_object().get());
        if (!office)
            throw rt::Error(rt::errTypeMismatch, "ZEB", "Only office objects can be passed to the office");
        return office->target();
    }
    case K::Array: {
        const auto& items = value.to_array();
        css::uno::Sequence<Any> seq(static_cast<sal_Int32>(items.size()));
        for (std::size_t i = 0; i < items.size(); ++i)
            seq.getArray()[i] = to_any(items[i]);
        return Any(seq);
    }
    }
    return Any();
}

} // namespace office
