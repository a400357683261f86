// Registry reads against the real registry: test keys live under HKCU\Software\StubTests and are
// removed again after each test.
#include "sys/Registry.h"

#include <gtest/gtest.h>

#include <string>

#include "sys/Accounts.h"
#include "sys/Platform.h"
#include "sys/UtilsText.h"

namespace {

using namespace std::string_literals;

const char kParentKey[] = "Software\\StubTests";
const char kTestKey[] = "Software\\StubTests\\Registry";

std::string EnvironmentValue(const char* name) {
  char buffer[512];
  DWORD length = ::GetEnvironmentVariableA(name, buffer, sizeof buffer);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

class RegistryRead : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    ::RegCloseKey(key_);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kParentKey);  // only when no one else left keys there
  }
  void Set(const std::string& name, DWORD type, const std::string& data) {
    ASSERT_EQ(::RegSetValueExA(key_, name.c_str(), 0, type,
                               reinterpret_cast<const BYTE*>(data.data()),
                               static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
  }

  HKEY key_ = nullptr;
};

TEST_F(RegistryRead, EveryFormOfThePathReadsTheSameKey) {
  Set("Name", REG_SZ, "hello\0"s);
  const std::string paths[] = {
      "HKEY_CURRENT_USER\\Software\\StubTests\\Registry",
      "HKCU\\Software\\StubTests\\Registry",
      "hkcu\\software\\stubtests\\registry",
      "Software\\StubTests\\Registry",  // no root: HKEY_CURRENT_USER
      "  HKCU\\Software\\StubTests\\Registry  ",
  };
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    EXPECT_EQ(sys::RegReadString(path, "Name", "dflt"), "hello");
    EXPECT_EQ(sys::RegReadString(path, "Name", "dflt", true), "hello") << "64-bit view";
  }
}

TEST_F(RegistryRead, ValueTypesAsText) {
  Set("Dword", REG_DWORD, "\x2A\0\0\0"s);
  Set("BigDword", REG_DWORD, "\xFE\xFF\xFF\xFF"s);
  Set("Multi", REG_MULTI_SZ, "a\0b\0\0"s);
  Set("Expand", REG_EXPAND_SZ, "%TEMP%\\x\0"s);
  Set("Binary", REG_BINARY, "ab\0cd"s);
  Set("", REG_SZ, "default value\0"s);
  Set("Empty", REG_SZ, ""s);
  struct Case {
    std::string name, want;
  } cases[] = {
      {"Dword", "42"},        {"BigDword", "4294967294"}, {"Multi", "a<0>b"},
      {"Expand", "%TEMP%\\x"}, {"Binary", "ab"},           {"", "default value"},
      {"Empty", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(sys::RegReadString(kTestKey, c.name, "dflt"), c.want);
  }
}

TEST_F(RegistryRead, WhatCannotBeReadGivesTheDefault) {
  Set("Fits", REG_SZ, std::string(10240, 'f') + '\0');
  Set("TooLong", REG_SZ, std::string(10241, 't') + '\0');
  EXPECT_EQ(sys::RegReadString(kTestKey, "Fits", "dflt"), std::string(10240, 'f'));
  EXPECT_EQ(sys::RegReadString(kTestKey, "TooLong", "dflt"), "dflt");
  EXPECT_EQ(sys::RegReadString(kTestKey, "Missing", "dflt"), "dflt");
  EXPECT_EQ(sys::RegReadString("HKCU\\Software\\StubTests\\NoSuchKey", "Name", "dflt"), "dflt");
  EXPECT_EQ(sys::RegReadString("HKCU", "NoSuchValueAtTheRoot", "dflt"), "dflt");
}

TEST(RegistryMachine, LongAndShortRootNamesReadTheSameValue) {
  const std::string subKey = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  std::string longForm = sys::RegReadString("HKEY_LOCAL_MACHINE" + subKey, "CurrentVersion", "");
  EXPECT_FALSE(longForm.empty());
  EXPECT_EQ(sys::RegReadString("HKLM" + subKey, "CurrentVersion", "dflt"), longForm);
}

TEST(RegisteredNames, OwnerAndOrganisationFromTheRegistry) {
  const std::string path = sys::RegisteredInfoPath(true);
  std::string owner = sys::Trim(sys::RegReadString(path, "RegisteredOwner", ""));
  // No owner, or an empty one, is the logged-on user.
  EXPECT_EQ(sys::GetRegisteredOwner(), owner.empty() ? sys::CurrentUserName() : owner);
  EXPECT_FALSE(sys::GetRegisteredOwner().empty());
  EXPECT_EQ(sys::GetRegisteredOrganization(),
            sys::Trim(sys::RegReadString(path, "RegisteredOrganization", "")));
}

TEST(AccountNames, UserComputerAndDomainAsTheSystemKnowsThem) {
  EXPECT_EQ(sys::CurrentUserName(), EnvironmentValue("USERNAME"));
  EXPECT_EQ(sys::ComputerName(), EnvironmentValue("COMPUTERNAME"));
  EXPECT_FALSE(sys::CurrentUserName().empty());
  EXPECT_EQ(sys::UserDomainName(), EnvironmentValue("USERDOMAIN"));
}

}  // namespace
