#pragma once
// The runtime error a call raises, for tests that look at its number and text.

#include "runtime/error.h"

#include <functional>

/// The error `f` raised; error 0 "no error" when it raised none.
inline rt::Error error_of(const std::function<void()>& f)
{
    try {
        f();
    } catch (const rt::Error& e) {
        return e;
    }
    return rt::Error(0, "", "no error");
}
