#include "PublishedUpdate.h"

#include <gtest/gtest.h>

#include "BoxDriver.h"

namespace scenario {
namespace {

const std::string kProductExe = testkit::HostPathToWindows(PRODUCT_EXE_UNIX_PATH);
const std::string kEngine = testkit::HostPathToWindows(ENGINE_EXE_UNIX_PATH);

}  // namespace

void PublishedUpdate::SetUp() {
  InstalledAgent::SetUp();
  if (!servers_.Load()) GTEST_SKIP() << "the local test servers are not running";
  published_ = "story_" + std::to_string(::GetCurrentProcessId());
  web_ = servers_.wwwWindows + "\\" + published_;
  ::CreateDirectoryA(web_.c_str(), nullptr);
}

void PublishedUpdate::TearDown() {
  testkit::EndProcessesWithWindowClass(kProductClass);
  InstalledAgent::TearDown();
  if (!web_.empty()) testkit::DeleteTree(web_);
}

std::string PublishedUpdate::BuildUpdate(const std::vector<std::string>& extraOptions) {
  const std::string update = folder_ + "\\update";
  ::CreateDirectoryA(update.c_str(), nullptr);
  EXPECT_TRUE(testkit::CopyFileTo(kEngine, update + "\\Engine.exe"));
  EXPECT_TRUE(testkit::CopyFileTo(kProductExe, update + "\\Product.exe"));
  EXPECT_TRUE(testkit::WriteWholeFile(update + "\\version2.txt", "2"));
  EXPECT_TRUE(testkit::WriteWholeFile(update + "\\Engine.ini",
                                      "[Engine]\r\nTargetDir=" + product_ + "\r\n"));
  std::vector<std::string> options = ProductOptions(UpdateUrl());
  options.insert(options.end(), extraOptions.begin(), extraOptions.end());
  options.insert(options.end(), {"--dir", update, "--run", "Engine.exe*/S"});
  return Pack("Update2.exe", options);
}

std::string PublishedUpdate::UpdateInfoText(const std::string& image,
                                            const std::string& extraKeys) const {
  return "[NewSetup]\r\nDownloadURL_UPDATE=" + UpdateUrl() +
         "\r\nNameOfUpdateFile=Update2.exe\r\nSizeOfUpdateFile=" + std::to_string(image.size()) +
         "\r\n" + extraKeys;
}

void PublishedUpdate::Publish(const std::string& updateImage, const std::string& infoText) {
  ASSERT_TRUE(testkit::WriteWholeFile(web_ + "\\Update2.exe", updateImage));
  ASSERT_TRUE(testkit::WriteWholeFile(web_ + "\\Tool.info", infoText));
}

void PublishedUpdate::Answer(uint32_t pid, const std::string& says, const std::string& button) {
  const HWND box = testkit::WaitForBox(testkit::kPatienceMs, pid);
  ASSERT_TRUE(box) << "no box saying " << says << "\n" << viewer_.Text() << "\nTool.info:\n"
                   << testkit::ReadWholeFile(product_ + "\\Tool.info") << "\nX_Tool.log:\n"
                   << AgentLog();
  testkit::BoxReport report;
  ASSERT_TRUE(testkit::ReadBox(box, report));
  EXPECT_NE(std::string::npos, report.text.find(says)) << report.Describe();
  EXPECT_TRUE(testkit::AnswerBox(box, testkit::BoxAnswer::Click(button)));
  EXPECT_TRUE(testkit::WaitForBoxGone(box, testkit::kPatienceMs));
}

std::string PublishedUpdate::Original(const char* key) const {
  char value[64] = "";
  ::GetPrivateProfileStringA("OriginalSetup", key, "", value, sizeof value,
                             (product_ + "\\Tool.original").c_str());
  return value;
}

size_t PublishedUpdate::ProductStarts() const {
  const std::string log = testkit::ReadWholeFile(product_ + "\\Product.log");
  size_t n = 0;
  for (size_t at = log.find("started"); at != std::string::npos; at = log.find("started", at + 1))
    ++n;
  return n;
}

uint32_t PublishedUpdate::ReplacementOf(uint32_t copy) {
  EXPECT_TRUE(WaitForProcessEnd(copy));
  uint32_t next = 0;
  const bool came = testkit::BecomesTrue([&] {
    next = ProcessOf(::FindWindowA(kXCopyClass, nullptr));
    return next != 0 && next != copy;
  });
  return came ? next : 0;
}

}  // namespace scenario
