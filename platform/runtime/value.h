#pragma once
// The loosely typed value that crosses late-bound calls.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace rt {

class Object;

/// A value that is empty, a boolean, a 16- or 32-bit integer, a double, a text,
/// an object or an array of values.
class Value {
public:
    enum class Kind { Empty, Boolean, Integer, Long, Double, Text, Object, Array };

    Value() = default;
    Value(bool b) : data_(b) {}
    Value(std::int16_t i) : data_(i) {}
    Value(std::int32_t i) : data_(i) {}
    Value(double d) : data_(d) {}
    Value(std::string s) : data_(std::move(s)) {}
    Value(const char* s) : data_(std::string(s)) {}
    Value(std::shared_ptr<rt::Object> o) : data_(std::move(o)) {}
    Value(std::vector<Value> a) : data_(std::move(a)) {}

    /// Which kind of value this is.
    Kind kind() const noexcept { return static_cast<Kind>(data_.index()); }
    bool is_empty() const noexcept { return kind() == Kind::Empty; }
    /// Whether this is an object reference that refers to no object.
    bool is_nothing() const noexcept
    {
        const auto* o = std::get_if<std::shared_ptr<rt::Object>>(&data_);
        return o && !*o;
    }

    /// The value as yes/no: zero and false are false, any other number and true are true.
    bool to_bool() const;
    /// The value as a 16-bit integer, rounded half to even; overflow raises error 6.
    std::int16_t to_int16() const;
    /// The value as a 32-bit integer, rounded half to even; overflow raises error 6.
    std::int32_t to_int32() const;
    /// The value as a double.
    double to_double() const;
    /// The value as text; numbers in their general form.
    std::string to_text() const;
    /// The object held; anything else raises a type mismatch.
    std::shared_ptr<rt::Object> to_object() const;
    /// The elements of an array; anything else raises a type mismatch.
    const std::vector<Value>& to_array() const;

private:
    std::variant<std::monostate, bool, std::int16_t, std::int32_t, double, std::string,
                 std::shared_ptr<rt::Object>, std::vector<Value>>
        data_;
};

} // namespace rt
