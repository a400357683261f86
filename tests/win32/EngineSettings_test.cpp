// How the setup engine's configuration keys and command-line switches combine into one run.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "EngineSettings.h"

namespace {

using Keys = std::map<std::string, std::string>;

engine::EngineSettings Read(const Keys& keys, const std::string& tail) {
  return engine::ReadSettings(
      [&](const std::string& key) {
        auto it = keys.find(key);
        return it == keys.end() ? std::string() : it->second;
      },
      tail);
}

TEST(EngineSettings, SwitchesWinOverKeysAndUnreadableValuesFallBack) {
  const Keys all = {{"TargetDir", "%TEMP%\\App"}, {"ExitCode", "3"},
                    {"Fail", "1"},                {"DialogMs", "250"},
                    {"Record", "runs.txt"},       {"OriginalFile", " A.original "}};
  struct Case {
    const char* what;
    Keys keys;
    std::string tail;
    engine::EngineSettings expected;
  } cases[] = {
      {"nothing configured", {}, "", {}},
      {"keys only", all, "", {"%TEMP%\\App", 3, true, 250, "runs.txt", "A.original", "", false}},
      {"switches win, quotes go",
       all,
       "/Target=\"C:\\Program Files\\App\" /ExitCode=7 /DialogMs=1500 /Record= /TH_ID=_42",
       {"C:\\Program Files\\App", 7, true, 1500, "", "A.original", "_42", false}},
      {"a stub's command line sets only the token",
       {},
       "/S /hide /TH_ID=_99 /OriginExe=\"C:\\My Setups\\Setup.exe\" /AutoUpdateProg",
       {"", 0, false, 0, "", "", "_99", false}},
      {"unreadable switch numbers leave the keys", all, "/ExitCode=abc /DialogMs=",
       {"%TEMP%\\App", 3, true, 250, "runs.txt", "A.original", "", false}},
      {"unreadable and negative key numbers",
       {{"ExitCode", "x"}, {"DialogMs", "-5"}}, "", {"", 0, false, 0, "", "", "", false}},
      {"exit code -1 is the 32-bit all-ones code",
       {}, "/ExitCode=-1", {"", 0xFFFFFFFFu, false, 0, "", "", "", false}},
      {"only the exact 1 fails", {{"Fail", "yes"}}, "", {}},
      {"01 is no 1 either", {{"Fail", "01"}}, "/Failure", {}},
      {"the switch fails", {}, "/S /Fail /TH_ID=_5", {"", 0, true, 0, "", "", "_5", false}},
      {"the dialog copy ignores the configuration",
       all, engine::DialogOnlyTail(1500, "_7"), {"", 0, false, 1500, "", "", "_7", true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const engine::EngineSettings s = Read(c.keys, c.tail);
    EXPECT_EQ(c.expected.targetDir, s.targetDir);
    EXPECT_EQ(c.expected.exitCode, s.exitCode);
    EXPECT_EQ(c.expected.fail, s.fail);
    EXPECT_EQ(c.expected.dialogMs, s.dialogMs);
    EXPECT_EQ(c.expected.recordPath, s.recordPath);
    EXPECT_EQ(c.expected.originalFile, s.originalFile);
    EXPECT_EQ(c.expected.threadToken, s.threadToken);
    EXPECT_EQ(c.expected.dialogOnly, s.dialogOnly);
  }
}

}  // namespace
