#include "office_env.h"

#include <gtest/gtest.h>

namespace {

class OfficeEnvironment : public testing::Environment {
public:
    void TearDown() override { office.reset(); }
    std::unique_ptr<PrivateOffice> office;
};

OfficeEnvironment* environment()
{
    static OfficeEnvironment* env = [] {
        auto* e = new OfficeEnvironment; // gtest owns it once added
        testing::AddGlobalTestEnvironment(e);
        return e;
    }();
    return env;
}

// Registered before the tests run, so the office ends after them.
const bool registered = (environment(), true);

} // namespace

PrivateOffice& test_office()
{
    auto* env = environment();
    if (!env->office)
        env->office = std::make_unique<PrivateOffice>();
    return *env->office;
}
