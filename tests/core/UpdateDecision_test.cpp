// The update decision over in-memory description files: each test of the chain, where it stops,
// and the text of every code.
#include "agent/UpdateDecision.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

#include "AgentFilesScope.h"
#include "FakeIni.h"
#include "AgentPackageImage.h"
#include "pack/GFileInfo.h"

namespace {

const char kFolder[] = "C:\\Program Files\\MyApp\\";
const std::string kOriginal = std::string(kFolder) + "Tool.original";
const std::string kInfo = std::string(kFolder) + "Tool.info";
constexpr int64_t kNow = 3'900'000'000;

// Values of the two files; every row starts from a publication that passes the whole chain.
struct Files {
  std::map<std::string, std::string> original = {
      {"VersionOriginal", "3"}, {"Stamp", "100"}, {"ReAskSecondsInterval", "0"},
      {"ReAskSecondsLast", "0"}};
  std::map<std::string, std::string> info = {
      {"VersionNew", "4"}, {"Stamp", "101"}, {"ValidVersions", ""}};
};

class UpdateDecision : public ::testing::Test {
 protected:
  void SetUp() override { FakeIni::Clear(); }
  void TearDown() override { FakeIni::Clear(); }

  void Write(const Files& files) {
    FakeIni::Clear();
    for (const auto& [key, value] : files.original)
      FakeIni::Put(kOriginal, "OriginalSetup", key, value);
    for (const auto& [key, value] : files.info) FakeIni::Put(kInfo, "NewSetup", key, value);
  }

  TGFileInfo descriptor_ = testimg::AgentDescriptor("TOKEN");

 private:
  AgentFilesScope scope_{FakeIni::Access(), kFolder, &descriptor_};
};

TEST_F(UpdateDecision, ChainStopsAtTheFirstTestThatFails) {
  struct Case {
    const char* what;
    std::map<std::string, std::string> original, info;
    bool fetched = true, userAsked = false, sizeOK = true;
    int code;
  } cases[] = {
      {"everything passes", {}, {}, true, false, true, 6},
      {"the .info file was not fetched", {}, {}, false, false, true, 0},
      {"no installed version", {{"VersionOriginal", ""}}, {}, true, false, true, 1},
      {"installed version -1", {{"VersionOriginal", "-1"}}, {}, true, false, true, 1},
      {"same stamp, re-ask 0", {}, {{"Stamp", "100"}}, true, false, true, 2},
      {"same stamp, the user asked", {}, {{"Stamp", "100"}}, true, true, true, 6},
      {"same version", {}, {{"VersionNew", "3"}}, true, false, true, 3},
      {"older version", {}, {{"VersionNew", "2"}}, true, false, true, 3},
      {"3,4 does not list 34", {{"VersionOriginal", "34"}}, {{"VersionNew", "40"}, {"ValidVersions", "3,4"}}, true, false, true, 4},
      {"3,4 lists 4", {{"VersionOriginal", "4"}}, {{"VersionNew", "5"}, {"ValidVersions", "3,4"}}, true, false, true, 6},
      {"a blank before the item", {}, {{"ValidVersions", "2, 3"}}, true, false, true, 4},
      {"a leading zero", {}, {{"ValidVersions", "03"}}, true, false, true, 4},
      {"the size differs", {}, {}, true, false, false, 5},
  };
  for (const Case& c : cases) {
    Files files;
    for (const auto& [k, v] : c.original) files.original[k] = v;
    for (const auto& [k, v] : c.info) files.info[k] = v;
    Write(files);
    bool sizeAsked = false;
    const int code = au::UpdateDecisionCode(c.fetched, c.userAsked, kNow, [&] {
      sizeAsked = true;
      return c.sizeOK;
    });
    EXPECT_EQ(c.code, code) << c.what;
    // The size test may ask a server: only a publication that passed the rest gets there.
    EXPECT_EQ(c.code >= 5, sizeAsked) << c.what;
  }
}

TEST_F(UpdateDecision, HandledStampIsOfferedAgainOnlyStrictlyAfterTheInterval) {
  struct Case {
    int64_t interval, last;
    int code;
  } cases[] = {
      {3600, kNow - 3600, 2},  // exactly the interval ago: not yet
      {3600, kNow - 3601, 6},  // one second later: due
      {3600, kNow, 2},
      {0, 0, 2},               // 0: never again
      {-5, 0, 2},
      {INT64_MAX, INT64_MAX, 2},  // a sum beyond the range lies beyond every clock
  };
  for (const Case& c : cases) {
    Files files;
    files.info["Stamp"] = "100";
    files.original["ReAskSecondsInterval"] = std::to_string(c.interval);
    files.original["ReAskSecondsLast"] = std::to_string(c.last);
    Write(files);
    EXPECT_EQ(c.code, au::UpdateDecisionCode(true, false, kNow, [] { return true; }))
        << c.interval << " " << c.last;
    EXPECT_EQ(c.code == 6, au::IsReAskDue(kNow));
  }
}

TEST_F(UpdateDecision, VersionListIsMatchedAsWritten) {
  struct Case {
    const char* valid;
    const char* installed;
    bool listed;
  } cases[] = {
      {"", "7", true},     {"7", "7", true},       {"1,7,9", "7", true},  {"17", "7", false},
      {"1,71", "7", false}, {"7 ", "7", false},    {"1,,7", "7", true},   {"-1", "-1", true},
  };
  for (const Case& c : cases) {
    Files files;
    files.info["ValidVersions"] = c.valid;
    files.original["VersionOriginal"] = c.installed;
    Write(files);
    EXPECT_EQ(c.listed, au::IsValidVersion()) << "\"" << c.valid << "\" " << c.installed;
  }
}

TEST(UpdateDecisionText, EachCodeHasItsText) {
  const char* texts[] = {"Error downloading .INFO file",
                         "Error reading .ORIGINAL file",
                         "Too early for retesting",
                         "New version is not higher then old version",
                         "\"Valid for version\" mismatch",
                         "Download file size error",
                         "OK"};
  for (int code = 0; code <= 6; ++code) EXPECT_EQ(texts[code], au::DecisionText(code));
  EXPECT_EQ("", au::DecisionText(7));
  EXPECT_EQ("", au::DecisionText(-1));
}

}  // namespace
