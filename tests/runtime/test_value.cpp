#include "runtime/error.h"
#include "runtime/number_text.h"
#include "runtime/value.h"

#include <gtest/gtest.h>

using rt::Value;

namespace {

int error_number_of(const std::function<void()>& f)
{
    try {
        f();
    } catch (const rt::Error& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(Value, IntegersRoundHalfToEvenAndOverflowRaisesError6)
{
    EXPECT_EQ(Value(2.5).to_int16(), 2);
    EXPECT_EQ(Value(3.5).to_int16(), 4);
    EXPECT_EQ(Value(-2.5).to_int16(), -2);
    EXPECT_EQ(Value(32767.4).to_int16(), 32767);
    EXPECT_EQ(error_number_of([] { Value(32767.5).to_int16(); }), rt::errOverflow);
    EXPECT_EQ(error_number_of([] { Value(-32768.6).to_int16(); }), rt::errOverflow);
    EXPECT_EQ(error_number_of([] { Value(std::int32_t(40000)).to_int16(); }), rt::errOverflow);
    EXPECT_EQ(Value(std::int32_t(-32768)).to_int16(), -32768);
    EXPECT_EQ(error_number_of([] { Value(2147483647.5).to_int32(); }), rt::errOverflow);
}

TEST(Value, TextConvertsOnlyWhenItIsANumber)
{
    EXPECT_EQ(Value("12").to_int16(), 12);
    EXPECT_DOUBLE_EQ(Value(" 1.5 ").to_double(), 1.5);
    EXPECT_EQ(error_number_of([] { Value("abc").to_double(); }), rt::errTypeMismatch);
    EXPECT_EQ(error_number_of([] { Value("12abc").to_int32(); }), rt::errTypeMismatch);
    EXPECT_EQ(Value(std::int16_t(7)).to_text(), "7");
    EXPECT_EQ(Value().to_text(), "");
}

TEST(Value, AnyNonZeroNumberOrTrueIsYes)
{
    EXPECT_FALSE(Value(0).to_bool());
    EXPECT_FALSE(Value().to_bool());
    EXPECT_TRUE(Value(-3).to_bool());
    EXPECT_TRUE(Value(0.25).to_bool());
    EXPECT_TRUE(Value("True").to_bool());
    EXPECT_EQ(Value(true).to_int16(), -1);
}

TEST(Value, MissingObjectAndWrongKindRaise)
{
    EXPECT_EQ(error_number_of([] { Value().to_object(); }), rt::errObjectNotSet);
    EXPECT_EQ(error_number_of([] { Value(std::shared_ptr<rt::Object>()).to_object(); }), rt::errObjectNotSet);
    EXPECT_EQ(error_number_of([] { Value("x").to_array(); }), rt::errTypeMismatch);
    EXPECT_EQ(Value(std::vector<Value>{Value(1), Value("a")}).to_array().size(), 2u);
}

TEST(GeneralNumber, FifteenSignificantDigitsWithoutTrailingZeros)
{
    EXPECT_EQ(rt::general_number(0.1 + 0.2), "0.3");
    EXPECT_EQ(rt::general_number(38.0), "38");
    EXPECT_EQ(rt::general_number(-1.25), "-1.25");
    EXPECT_EQ(rt::general_number(1e20), "1E+20");
    EXPECT_EQ(rt::general_number(1.5e-7), "1.5E-7");
    EXPECT_EQ(rt::general_number(123456789012345678.0), "1.23456789012346E+17");
    EXPECT_EQ(rt::general_number(0.0), "0");
}

TEST(Value, AReferenceToNoObjectIsNothingAndOnlyThat)
{
    EXPECT_TRUE(rt::Value(std::shared_ptr<rt::Object>()).is_nothing());
    EXPECT_FALSE(rt::Value().is_nothing());
    EXPECT_FALSE(rt::Value(std::int32_t{0}).is_nothing());
    EXPECT_FALSE(rt::Value("").is_nothing());
}
