// The descriptor on real Windows files, and the shape of the built stub.exe.
#include <gtest/gtest.h>

#include "Processes.h"
#include "pack/GFileInfo.h"

namespace {

const std::string kStubExe = testkit::HostPathToWindows(STUB_EXE_UNIX_PATH);

TEST(StubImage, IsAProgramFileWithFreePackageEndWords) {
  pack::FileSource stub(kStubExe);
  ASSERT_TRUE(stub.IsOpen()) << kStubExe;
  EXPECT_TRUE(TGFileInfo::IsPEFile(stub));
  EXPECT_EQ(0u, TGFileInfo::ReadPackageEnd(stub));
  // The DOS stub area from 64 to 255 is free for the words that tools write there.
  uint8_t area[192];
  ASSERT_TRUE(stub.ReadAt(64, area, sizeof area));
  for (uint8_t b : area) ASSERT_EQ(0, b);
  // A bare stub carries no package and reads as an empty descriptor.
  TGFileInfo info(kStubExe);
  EXPECT_FALSE(info.HasPackage());
  EXPECT_FALSE(info.ThisIs_AutoUpdateProg());
}

TEST(Descriptor, FileLockedByAnotherHandleReadsAsEmpty) {
  const std::string folder = testkit::MakeScratchFolder("locked");
  const std::string copy = folder + "\\locked.exe";
  ASSERT_TRUE(testkit::CopyFileTo(kStubExe, copy));
  HANDLE lock = ::CreateFileA(copy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, lock);
  TGFileInfo info(copy);
  EXPECT_FALSE(info.HasPackage());
  pack::TPackTrailer trailer;
  EXPECT_FALSE(TGFileInfo::ReadTrailer(copy, trailer));
  ::CloseHandle(lock);
  ::DeleteFileA(copy.c_str());
  ::RemoveDirectoryA(folder.c_str());
}

TEST(Descriptor, ClusterSizeOfTheSystemDrive) {
  char windows[MAX_PATH];
  ::GetWindowsDirectoryA(windows, sizeof windows);
  const uint32_t cluster = TGFileInfo::GetClusterSize(windows);
  EXPECT_GE(cluster, 512u);
  EXPECT_EQ(0u, cluster & (cluster - 1)) << "a power of two";
  EXPECT_EQ(0u, TGFileInfo::GetClusterSize("Q:\\nowhere"));
}

}  // namespace
