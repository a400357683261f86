// Deleting files by mask and folder trees, attributes and linked folders included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Processes.h"
#include "sys/Files.h"

namespace {

class FileDelete : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = testkit::MakeScratchFolder("delete"); }
  void TearDown() override {
    ClearAttributesBelow(folder_);
    testkit::DeleteTree(folder_);
  }
  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
  // Creates a file with the given attributes.
  void Make(const std::string& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    ASSERT_TRUE(testkit::WriteWholeFile(Path(name), name));
    ASSERT_TRUE(::SetFileAttributesA(Path(name).c_str(), attributes));
  }
  void MakeFolder(const std::string& name) {
    ASSERT_TRUE(::CreateDirectoryA(Path(name).c_str(), nullptr));
  }
  static void ClearAttributesBelow(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      ::SetFileAttributesA((folder + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        ClearAttributesBelow(folder + "\\" + name);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }
  // A symbolic link at name to the folder target, which holds precious.bin; false where the
  // system makes no link that it reports as one and that leads to the target (creating links
  // needs a privilege on Windows; Wine shows host links as plain folders).
  bool MakeFolderLink(const std::string& name, const std::string& target) {
    const bool linked = ::CreateSymbolicLinkA(Path(name).c_str(), Path(target).c_str(),
                                              SYMBOLIC_LINK_FLAG_DIRECTORY);
    const DWORD attributes = ::GetFileAttributesA(Path(name).c_str());
    return linked && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           testkit::PathExists(Path(name + "\\precious.bin"));
  }
  static constexpr const char* kNoLinks =
      "no folder links on this system; the rule is tested natively (FolderRemoval)";
  std::string folder_;
};

TEST_F(FileDelete, DeleteFilesTakesEveryMatchingFileButNoFolder) {
  Make("a.txt");
  Make("hidden.txt", FILE_ATTRIBUTE_HIDDEN);
  Make("system.txt", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
  Make("keep.log");
  MakeFolder("folder.txt");
  EXPECT_TRUE(sys::DeleteFiles(Path("*.txt"), false));
  for (const char* gone : {"a.txt", "hidden.txt", "system.txt"})
    EXPECT_FALSE(testkit::PathExists(Path(gone))) << gone;
  EXPECT_TRUE(testkit::PathExists(Path("keep.log")));
  EXPECT_TRUE(testkit::PathExists(Path("folder.txt")));
  // Only the folder matches now: no file matched.
  EXPECT_FALSE(sys::DeleteFiles(Path("*.txt"), false));
  EXPECT_FALSE(sys::DeleteFiles(Path("*.none"), true));
}

TEST_F(FileDelete, ReadOnlyFilesGoOnlyWithClearedAttributes) {
  Make("ro.txt", FILE_ATTRIBUTE_READONLY);
  // A file matched counts, whether or not it could be deleted.
  EXPECT_TRUE(sys::DeleteFiles(Path("ro.*"), false));
  EXPECT_TRUE(testkit::PathExists(Path("ro.txt")));
  EXPECT_TRUE(sys::DeleteFiles(Path("ro.*"), true));
  EXPECT_FALSE(testkit::PathExists(Path("ro.txt")));
}

TEST_F(FileDelete, DeleteTreeRemovesNestedFoldersAndReportsWhetherTheFolderIsGone) {
  struct Case {
    const char* what;
    bool clearAttributes;
    DWORD deepFileAttributes;
    bool gone;
  } cases[] = {
      {"plain files", false, FILE_ATTRIBUTE_NORMAL, true},
      {"hidden and system files", false, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, true},
      {"read-only file stays without clearing", false, FILE_ATTRIBUTE_READONLY, false},
      {"read-only file goes with clearing", true, FILE_ATTRIBUTE_READONLY, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MakeFolder("tree");
    MakeFolder("tree\\a");
    MakeFolder("tree\\a\\b");
    MakeFolder("tree\\empty");
    Make("tree\\top.bin");
    Make("tree\\a\\mid.bin", FILE_ATTRIBUTE_HIDDEN);
    Make("tree\\a\\b\\deep.bin", c.deepFileAttributes);
    EXPECT_EQ(c.gone, sys::DeleteTree(Path("tree"), c.clearAttributes));
    EXPECT_EQ(c.gone, !testkit::PathExists(Path("tree")));
    EXPECT_EQ(c.gone, !testkit::PathExists(Path("tree\\a\\b\\deep.bin")));
    EXPECT_FALSE(testkit::PathExists(Path("tree\\top.bin")));
    EXPECT_FALSE(testkit::PathExists(Path("tree\\empty")));
    ClearAttributesBelow(folder_);
    testkit::DeleteTree(Path("tree"));
  }
}

TEST_F(FileDelete, DeleteTreeOfNothingIsFalse) {
  EXPECT_FALSE(sys::DeleteTree(Path("missing"), true));
  EXPECT_FALSE(sys::DeleteTree("", true));
  Make("file.bin");  // a file is no folder: left alone
  EXPECT_FALSE(sys::DeleteTree(Path("file.bin"), true));
  EXPECT_TRUE(testkit::PathExists(Path("file.bin")));
}

TEST_F(FileDelete, DeleteTreeUnlinksLinkedFoldersWithoutEnteringThem) {
  MakeFolder("outside");
  Make("outside\\precious.bin");
  MakeFolder("tree");
  if (!MakeFolderLink("tree\\link", "outside")) GTEST_SKIP() << kNoLinks;
  EXPECT_TRUE(sys::DeleteTree(Path("tree"), true));
  EXPECT_TRUE(testkit::PathExists(Path("outside\\precious.bin")));
  EXPECT_FALSE(testkit::PathExists(Path("tree\\link")));
}

TEST_F(FileDelete, DeleteTreeOfALinkedFolderRemovesOnlyTheLink) {
  MakeFolder("outside");
  Make("outside\\precious.bin", FILE_ATTRIBUTE_READONLY);
  if (!MakeFolderLink("link", "outside")) GTEST_SKIP() << kNoLinks;
  EXPECT_TRUE(sys::DeleteTree(Path("link"), true));
  EXPECT_FALSE(testkit::PathExists(Path("link")));
  EXPECT_TRUE(testkit::PathExists(Path("outside\\precious.bin")));
  EXPECT_EQ(DWORD{FILE_ATTRIBUTE_READONLY},
            ::GetFileAttributesA(Path("outside\\precious.bin").c_str()) & FILE_ATTRIBUTE_READONLY);
}

}  // namespace
