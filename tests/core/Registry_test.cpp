#include "sys/Registry.h"

#include <gtest/gtest.h>

#include <string>

using namespace sys;

namespace {

TEST(RegistryRoots, LongAndShortNamesInAnyCase) {
  struct Case {
    std::string name;
    RegRoot want;
  } cases[] = {
      {"HKEY_CLASSES_ROOT", RegRoot::ClassesRoot},    {"hkcr", RegRoot::ClassesRoot},
      {"HKEY_CURRENT_USER", RegRoot::CurrentUser},    {"HKCU", RegRoot::CurrentUser},
      {"hkey_local_machine", RegRoot::LocalMachine},  {"HKLM", RegRoot::LocalMachine},
      {"HKEY_USERS", RegRoot::Users},                 {"HKU", RegRoot::Users},
      {"HKEY_CURRENT_CONFIG", RegRoot::CurrentConfig}, {"HkCc", RegRoot::CurrentConfig},
      {"HKEY_DYN_DATA", RegRoot::DynData},            {"HKDD", RegRoot::DynData},
      {"HKLM2", RegRoot::CurrentUser},                {"", RegRoot::CurrentUser},
      {"Software", RegRoot::CurrentUser},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RegRootFromName(c.name), c.want);
  }
  EXPECT_EQ(RegRootName(RegRoot::LocalMachine), "HKEY_LOCAL_MACHINE");
  EXPECT_EQ(RegRootName(RegRoot::DynData), "HKEY_DYN_DATA");
}

TEST(RegistryPaths, SplitIntoRootAndSubKey) {
  struct Case {
    std::string path;
    RegRoot root;
    std::string subKey;
  } cases[] = {
      {"HKLM\\SOFTWARE\\Microsoft", RegRoot::LocalMachine, "SOFTWARE\\Microsoft"},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft", RegRoot::LocalMachine, "SOFTWARE\\Microsoft"},
      {"  hkcu\\Software\\X  ", RegRoot::CurrentUser, "Software\\X"},
      {"Software\\Vendor", RegRoot::CurrentUser, "Software\\Vendor"},
      {"HKEY_USERS", RegRoot::Users, ""},
      {"HKCR\\", RegRoot::ClassesRoot, ""},
      {"HKNONE\\Software", RegRoot::CurrentUser, "Software"},  // unknown root names
      {"", RegRoot::CurrentUser, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    RegPath p = SplitRegPath(c.path);
    EXPECT_EQ(p.Root, c.root);
    EXPECT_EQ(p.SubKey, c.subKey);
  }
}

TEST(RegistryValues, DataShownAsText) {
  using namespace std::string_literals;
  constexpr uint32_t kSz = 1, kBinary = 3;
  struct Case {
    uint32_t type;
    std::string data, want;
  } cases[] = {
      {kRegDword, "\x2A\0\0\0"s, "42"},
      {kRegDword, "\xFF\xFF\xFF\xFF"s, "4294967295"},
      {kRegDword, "\x01\x02"s, "\x01\x02"},  // not 4 bytes: read as text
      {kRegMultiSz, "a\0b\0\0"s, "a<0>b"},
      {kRegMultiSz, "one\0\0two\0\0"s, "one<0><0>two"},
      {kRegMultiSz, "\0\0"s, ""},
      {kRegMultiSz, "x\0"s, "x"},
      {kSz, "text\0"s, "text"},
      {kSz, "text"s, "text"},
      {kBinary, "ab\0cd"s, "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.want);
    EXPECT_EQ(RegValueText(c.type, c.data), c.want);
  }
}

TEST(RegistryPaths, RegisteredInformationLiesUnderWindowsNTOnNT) {
  EXPECT_EQ(RegisteredInfoPath(true),
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
  EXPECT_EQ(RegisteredInfoPath(false),
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
}

}  // namespace
