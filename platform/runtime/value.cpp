#include "value.h"

#include "error.h"
#include "number_text.h"
#include "object.h"

#include <cmath>
#include <limits>

namespace rt {
namespace {

Error mismatch() { return Error(errTypeMismatch, "ZEB", "Type mismatch"); }
Error overflow() { return Error(errOverflow, "ZEB", "Overflow"); }

template <typename Int>
Int rounded(double d)
{
    if (std::isnan(d))
        throw overflow();
    const double r = std::nearbyint(d); // the default rounding mode rounds half to even
    if (r < std::numeric_limits<Int>::min() || r > std::numeric_limits<Int>::max())
        throw overflow();
    return static_cast<Int>(r);
}

} // namespace

bool Value::to_bool() const
{
    switch (kind()) {
    case Kind::Empty: return false;
    case Kind::Boolean: return std::get<bool>(data_);
    case Kind::Text: {
        const auto& s = std::get<std::string>(data_);
        if (s == "True" || s == "true") return true;
        if (s == "False" || s == "false") return false;
        return to_double() != 0.0;
    }
    case Kind::Object:
    case Kind::Array: throw mismatch();
    default: return to_double() != 0.0;
    }
}

double Value::to_double() const
{
    switch (kind()) {
    case Kind::Empty: return 0.0;
    case Kind::Boolean: return std::get<bool>(data_) ? -1.0 : 0.0;
    case Kind::Integer: return std::get<std::int16_t>(data_);
    case Kind::Long: return std::get<std::int32_t>(data_);
    case Kind::Double: return std::get<double>(data_);
    case Kind::Text: {
        const auto& s = std::get<std::string>(data_);
        std::size_t used = 0;
        try {
            const double d = std::stod(s, &used);
            if (s.find_first_not_of(" \t", used) == std::string::npos)
                return d;
        } catch (const std::exception&) {
        }
        throw mismatch();
    }
    default: throw mismatch();
    }
}

std::int16_t Value::to_int16() const
{
    if (kind() == Kind::Integer)
        return std::get<std::int16_t>(data_);
    return rounded<std::int16_t>(to_double());
}

std::int32_t Value::to_int32() const
{
    if (kind() == Kind::Long)
        return std::get<std::int32_t>(data_);
    return rounded<std::int32_t>(to_double());
}

std::string Value::to_text() const
{
    switch (kind()) {
    case Kind::Empty: return "";
    case Kind::Boolean: return std::get<bool>(data_) ? "True" : "False";
    case Kind::Integer: return std::to_string(std::get<std::int16_t>(data_));
    case Kind::Long: return std::to_string(std::get<std::int32_t>(data_));
    case Kind::Double: return general_number(std::get<double>(data_));
    case Kind::Text: return std::get<std::string>(data_);
    default: throw mismatch();
    }
}

std::shared_ptr<Object> Value::to_object() const
{
    if (kind() != Kind::Object || !std::get<std::shared_ptr<Object>>(data_))
        throw Error(errObjectNotSet, "ZEB", "Object variable not set");
    return std::get<std::shared_ptr<Object>>(data_);
}

const std::vector<Value>& Value::to_array() const
{
    if (kind() != Kind::Array)
        throw mismatch();
    return std::get<std::vector<Value>>(data_);
}

} // namespace rt
