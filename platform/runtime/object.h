#pragma once
// A late-bound object: its members are reached by their names.

#include <string_view>
#include <vector>

namespace rt {

class Value;

/// An object whose properties and methods are called by name, as an automation client does.
class Object {
public:
    virtual ~Object() = default;

    /// Calls the method `name` with `args`; a property without arguments is read.
    virtual Value call(std::string_view name, const std::vector<Value>& args) = 0;
    /// Reads the property `name`.
    virtual Value get(std::string_view name) = 0;
    /// Writes the property `name`.
    virtual void set(std::string_view name, const Value& value) = 0;
};

} // namespace rt
