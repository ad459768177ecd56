// Rules for typed values shared by the settings dialogs, the save and the command line.
#include "settings/ValueRules.h"

#include <gtest/gtest.h>

using quillora::settings::IsSafeInstitutionCode;
using quillora::settings::ParseDecimalInteger;

namespace {

struct IntegerCase {
    const char* text;
    std::optional<std::int64_t> value;
};

class DecimalTextTest : public testing::TestWithParam<IntegerCase> { };

TEST_P(DecimalTextTest, ReadsOnlyPlainDecimalIntegers)
{
    EXPECT_EQ(ParseDecimalInteger(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, DecimalTextTest,
                         testing::Values(IntegerCase{"0", 0}, IntegerCase{"007", 7}, IntegerCase{" 42", 42},
                                         IntegerCase{"42 ", std::nullopt}, IntegerCase{"+5", 5},
                                         IntegerCase{"-1", -1}, IntegerCase{"", std::nullopt},
                                         IntegerCase{"  ", std::nullopt}, IntegerCase{"abc", std::nullopt},
                                         IntegerCase{"1e3", std::nullopt}, IntegerCase{"0x10", std::nullopt},
                                         IntegerCase{"1.0", std::nullopt}, IntegerCase{"+-1", std::nullopt},
                                         IntegerCase{"++1", std::nullopt}, IntegerCase{"1 2", std::nullopt},
                                         IntegerCase{"99999999999999999999", std::nullopt}));

TEST(InstitutionCode, RefusesSeparatorsAndCharactersFileNamesCannotHold)
{
    for (const char* good : {"", "0012", "A-01_x", "医院１", "ソ表"})
        EXPECT_TRUE(IsSafeInstitutionCode(good)) << good;
    for (const char* bad :
         {"12/3", "12\\3", "..\\x", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "a\tb", "a\nb"})
        EXPECT_FALSE(IsSafeInstitutionCode(bad)) << bad;
}

} // namespace
