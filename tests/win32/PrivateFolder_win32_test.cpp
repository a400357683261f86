// Private folders: made anew, never over an existing name, with an access list of their own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FolderAccess.h"
#include "Processes.h"
#include "sys/PrivateFolder.h"

namespace {

class PrivateFolder : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = testkit::MakeScratchFolder("private"); }
  void TearDown() override { testkit::DeleteTree(folder_); }
  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
  std::string folder_;
};

// Wine turns a folder's access list into mode bits and afterwards reports a list of its own
// (the user and SYSTEM, not protected), so the list can only be read back on Windows.
bool RunsUnderWine() {
  const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

TEST_F(PrivateFolder, OnlyTheUserSystemAndAdministratorsMayOpenIt) {
  ASSERT_EQ(sys::NewFolder::kCreated, sys::CreatePrivateFolder(Path("work")));
  if (RunsUnderWine()) GTEST_SKIP() << "Wine keeps no access list for folders";
  const testkit::FolderAccess access = testkit::ReadFolderAccess(Path("work"));
  ASSERT_TRUE(access.read);
  EXPECT_TRUE(access.isProtected);
  EXPECT_TRUE(access.ownedBySetup);
  const std::vector<std::string> expected = {testkit::CurrentUserSid(), testkit::kSystemSid,
                                             testkit::kAdministratorsSid};
  EXPECT_EQ(expected, access.allowed);
  EXPECT_EQ(0, access.otherEntries);
}

TEST_F(PrivateFolder, AnExistingNameIsLeftAloneAndAMissingParentFails) {
  ASSERT_TRUE(::CreateDirectoryA(Path("folder").c_str(), nullptr));
  ASSERT_TRUE(testkit::WriteWholeFile(Path("folder\\left.txt"), "left"));
  ASSERT_TRUE(testkit::WriteWholeFile(Path("file"), "file"));
  EXPECT_EQ(sys::NewFolder::kNameTaken, sys::CreatePrivateFolder(Path("folder")));
  EXPECT_EQ(sys::NewFolder::kNameTaken, sys::CreatePrivateFolder(Path("file")));
  EXPECT_EQ("left", testkit::ReadWholeFile(Path("folder\\left.txt")));
  EXPECT_EQ("file", testkit::ReadWholeFile(Path("file")));
  EXPECT_FALSE(testkit::ReadFolderAccess(Path("folder")).isProtected);
  EXPECT_EQ(sys::NewFolder::kFailed, sys::CreatePrivateFolder(Path("missing\\work")));
}

}  // namespace
