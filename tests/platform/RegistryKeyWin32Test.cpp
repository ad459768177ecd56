// The registry store on Windows, against the registry itself (under Wine, the prefix's).
#include "platform/RegistryKey.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace quillora::platform {
namespace {

// Each test works below a key of its own and removes it afterwards.
class RegistryKeyWin32Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        key = std::string("\\Software\\QuilloraTest\\") + info->name();
        removeKey();
    }
    void TearDown() override { removeKey(); }
    void removeKey() const
    {
        const std::wstring path(key.begin() + 1, key.end());
        RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    }
    // The stored REG_SZ text, as the registry's own UTF-16.
    std::wstring storedText(const wchar_t* name) const
    {
        const std::wstring path(key.begin() + 1, key.end());
        wchar_t buffer[256] = {};
        DWORD size = sizeof buffer;
        RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size);
        return buffer;
    }

    std::string key;
};

TEST_F(RegistryKeyWin32Test, OpenWithoutCreateNeedsAnExistingKey)
{
    EXPECT_FALSE(RegistryKey::Exists(key));
    EXPECT_EQ(RegistryKey::Open(key, false), nullptr);
    ASSERT_NE(RegistryKey::Open(key, true), nullptr);
    EXPECT_TRUE(RegistryKey::Exists(key));
    EXPECT_NE(RegistryKey::Open(key, false), nullptr);
    EXPECT_TRUE(RegistryKey::BackingFile(key).empty());
}

TEST_F(RegistryKeyWin32Test, TypedValuesRoundTripWithTextInCp932)
{
    const std::string cp932Text = "\x83\x4A\x83\x8B\x83\x65 A"; // "カルテ A"
    const std::uint8_t bytes[] = {0, 1, 0xFE};
    {
        auto reg = RegistryKey::Open(key, true);
        ASSERT_NE(reg, nullptr);
        reg->WriteDword("Count", 0x01020304);
        reg->WriteString("Title", cp932Text);
        reg->WriteBinary("Shape", bytes);
        ASSERT_TRUE(reg->Flush());
    }
    EXPECT_EQ(storedText(L"Title"), L"\u30AB\u30EB\u30C6 A");

    auto reg = RegistryKey::Open(key, false);
    ASSERT_NE(reg, nullptr);
    EXPECT_EQ(reg->Read("Count"), makeDwordValue(0x01020304));
    EXPECT_EQ(reg->Read("title"), makeStringValue(RegType::Sz, cp932Text)); // names ignore case
    EXPECT_EQ(reg->Read("Shape"), (RegValue{RegType::Binary, {0, 1, 0xFE}}));
    EXPECT_EQ(reg->Read("Missing"), std::nullopt);
}

TEST_F(RegistryKeyWin32Test, WritesStayPendingUntilFlush)
{
    auto reg = RegistryKey::Open(key, true);
    ASSERT_NE(reg, nullptr);
    reg->WriteDword("Count", 7);
    EXPECT_EQ(reg->Read("Count"), makeDwordValue(7));
    EXPECT_EQ(RegistryKey::Open(key, false)->Read("Count"), std::nullopt);
    reg.reset(); // the destructor flushes what is pending
    EXPECT_EQ(RegistryKey::Open(key, false)->Read("Count"), makeDwordValue(7));
}

} // namespace
} // namespace quillora::platform
