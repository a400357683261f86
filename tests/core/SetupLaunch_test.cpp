// The rules of a setup run that need no system: the engine's command line, the switches a span
// copy must not pass on, the temp drive question and its megabyte figures, the choice of an
// alternative work drive, the choice of a folder name nobody has taken, the access list of such
// a folder, and the span copy's arguments.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "PackageImage.h"
#include "pack/GFileInfo.h"
#include "stub/EngineCommand.h"
#include "stub/SpanCopy.h"
#include "stub/TempSpace.h"
#include "stub/WorkFolder.h"
#include "sys/PrivateFolder.h"

namespace {

using stubsetup::EngineCommandInputs;

const char kWork[] = "C:\\Temp\\SETUP_1";
const char kStub[] = "D:\\Setup.exe";
const char kOrigin[] = " /OriginExe=\"D:\\Setup.exe\"";

TEST(EngineCommand, BuildsTheEngineCallFromTheRunEntryAndTheStubsArguments) {
  struct Case {
    const char* runEntry;
    const char* extra;
    bool agent;
    std::string expected;
  } cases[] = {
      {"Engine.exe*/S", "/hide", false, std::string(kWork) + "\\Engine.exe /hide /S /TH_ID=_42" + kOrigin},
      {" Engine.exe * /S ", "  /hide ", false,
       std::string(kWork) + "\\Engine.exe /hide /S /TH_ID=_42" + kOrigin},
      {"Engine.exe*", "", false, std::string(kWork) + "\\Engine.exe /TH_ID=_42" + kOrigin},
      // Without "*" the entry is the name as it stands and only the stub's arguments follow.
      {"Engine.exe", "/x", false, std::string(kWork) + "\\Engine.exe /x /TH_ID=_42" + kOrigin},
      {"Engine.exe*/S", "", true,
       std::string(kWork) + "\\Engine.exe /S /TH_ID=_42" + kOrigin + " /AutoUpdateProg"},
      // A span copy already names the stub the user started: once is enough.
      {"Engine.exe*/S", "/OriginExe=\"E:\\First.exe\"", false,
       std::string(kWork) + "\\Engine.exe /OriginExe=\"E:\\First.exe\" /S /TH_ID=_42"},
      // The disk-set switches never reach the engine.
      {"Engine.exe*/S",
       "/SpanCdLvl=2 /SpanDiskFName1=\"E:\\Setup.exe.001\" /OriginExe=\"E:\\Setup.exe\"", false,
       std::string(kWork) + "\\Engine.exe /OriginExe=\"E:\\Setup.exe\" /S /TH_ID=_42"},
  };
  for (const Case& c : cases) {
    EngineCommandInputs in;
    in.workFolder = kWork;
    in.runEntry = c.runEntry;
    in.extraArguments = c.extra;
    in.threadToken = stubsetup::ThreadToken(42);
    in.exePath = kStub;
    in.isAgent = c.agent;
    EXPECT_EQ(c.expected, stubsetup::EngineCommandLine(in)) << c.runEntry << " + " << c.extra;
    EXPECT_EQ(std::string(kWork) + "\\Engine.exe", stubsetup::EngineProgramPath(in));
  }
}

TEST(EngineCommand, RemovesTheFirstSwitchUpToTheNextSlash) {
  struct Case {
    const char* line;
    const char* expected;
  } cases[] = {
      {"E.exe /a /SpanCdLvl=2 /b", "E.exe /a /b"},
      {"E.exe /a /SpanCdLvl=2", "E.exe /a "},
      {"E.exe /SpanCdLvl=2 /SpanCdLvl=3 /b", "E.exe /SpanCdLvl=3 /b"},
      {"E.exe /spancdlvl=2 /b", "E.exe /spancdlvl=2 /b"},  // exact case only
      {"E.exe /SpanCdLvl=a/b /c", "E.exe /b /c"},           // a slash in the value ends it too
      {"E.exe /b", "E.exe /b"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, stubsetup::RemoveFirstSwitch(c.line, "/SpanCdLvl=")) << c.line;
}

TEST(EngineCommand, NamesTieTheEngineToThisThread) {
  EXPECT_EQ("AutoUpdateAtomTokenByKarst_7", stubsetup::SuccessAtomName(stubsetup::ThreadToken(7)));
  EXPECT_EQ(".SDialog_Class_Name._7", stubsetup::EngineDialogClass(stubsetup::ThreadToken(7)));
}

TEST(TempSpace, FormatsMegabytesWithDecimalsByMagnitude) {
  const double mb = 1048576;
  struct Case {
    double bytes;
    const char* text;
  } cases[] = {{0, "0.000"},       {-5, "0.000"},         {mb / 2, "0.500"}, {1.5 * mb, "1.50"},
               {10 * mb, "10.00"}, {10.5 * mb, "10.5"}, {2048 * mb, "2048.0"}};
  for (const Case& c : cases) EXPECT_EQ(c.text, stubsetup::FormatMB(c.bytes)) << c.bytes;
}

TGFileInfo Descriptor(bool notifyTempDrive, const std::string& langData = "|") {
  testimg::Package p;
  p.langData = langData;
  if (notifyTempDrive) p.trailer.bytes[pack::at::Flags] = pack::kNotifyTempDrive;
  TGFileInfo info;
  info.Create(pack::MemorySource(p.Build()));
  return info;
}

TEST(TempSpace, AsksOnlyWhenThereIsSomethingToSay) {
  const double mb = 1048576;
  const std::string figures =
      "<P>Estimated space required on your Temp drive is: <T>  1.00 MB<P>"
      "Free space available on your Temp drive is: <T>  2.00 MB<P><P>Continue with Setup?<P>";
  struct Case {
    bool notify;
    double required, available;
    std::string expected;
  } cases[] = {
      {false, mb, 2 * mb, ""},
      {true, mb, 2 * mb, "Karst will extract files to your Temp Drive (D:)<P>" + figures},
      // Short of space: the warning replaces the notice; equal amounts are short too.
      {true, 2 * mb, 2 * mb,
       "Limited Free Space on your Temp Drive! (D:)<P><P>Estimated space required on your Temp "
       "drive is: <T>  2.00 MB<P>Free space available on your Temp drive is: <T>  2.00 MB<P><P>"
       "Continue with Setup?<P>"},
      {false, 3 * mb, 2 * mb,
       "Limited Free Space on your Temp Drive! (D:)<P><P>Estimated space required on your Temp "
       "drive is: <T>  3.00 MB<P>Free space available on your Temp drive is: <T>  2.00 MB<P><P>"
       "Continue with Setup?<P>"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, stubsetup::TempSpaceQuestion(Descriptor(c.notify), "d:\\Temp\\SETUP_1",
                                                       c.required, c.available));
  // No work folder, no drive letter.
  EXPECT_NE(std::string::npos,
            stubsetup::TempSpaceQuestion(Descriptor(true), "", mb, 2 * mb).find("Drive ()"));
}

TEST(WorkFolderChoice, TheRoomiestOfCDAndETakesOverOnlyFromAnotherDrive) {
  struct Case {
    char current;
    double c, d, e;
    char expected;
  } cases[] = {
      {'C', 10, 20, 5, 'D'},  {'c', 10, 20, 5, 'D'}, {'C', 20, 10, 5, 0},
      {'C', 10, 10, 10, 0},   // a tie goes to the earlier letter
      {'D', 10, 10, 5, 'C'},  {'T', 0, 0, 0, 0},     // no drive showed free space
      {'T', 0, 0, 1, 'E'},    {'E', 5, 5, 9, 0},
  };
  for (const Case& c : cases) {
    const double free[stubglob::kAltDriveCount] = {c.c, c.d, c.e};
    EXPECT_EQ(c.expected, stubglob::ChooseAltDrive(c.current, free))
        << c.current << " " << c.c << "/" << c.d << "/" << c.e;
  }
  EXPECT_EQ("D:\\TEMP", stubglob::AltTempRootFor('D', false));
  EXPECT_EQ("D:\\TEMP\\TEMP", stubglob::AltTempRootFor('D', true));
  EXPECT_EQ("D:\\TEMP_12345", stubglob::AltWorkFolderFor("D:\\TEMP", 12345));
  EXPECT_EQ("C:\\Temp\\SETUP_24312", stubglob::WorkFolderFor("C:\\Temp\\", 24312));
  EXPECT_EQ("C:\\Temp\\SETUP_0", stubglob::WorkFolderFor("C:\\Temp", 0));
}

TEST(WorkFolderChoice, ATakenNameIsPassedOverForTheNextNumber) {
  EXPECT_EQ("C:\\Temp\\SETUP_24312", stubglob::WorkFolderCandidate("C:\\Temp\\", 24312, 0));
  EXPECT_EQ("C:\\Temp\\SETUP_24313", stubglob::WorkFolderCandidate("C:\\Temp\\", 24312, 1));
  EXPECT_EQ("C:\\Temp\\SETUP_0", stubglob::WorkFolderCandidate("C:\\Temp", 65535, 1));

  struct Case {
    const char* what;
    std::set<std::string> taken;
    std::string failing;  // a name whose creation fails for another reason
    int tries;
    std::string made;
    int attempts;
  } cases[] = {
      {"free first name", {}, "", 5, "F0", 1},
      {"taken names are skipped", {"F0", "F1"}, "", 5, "F2", 3},
      {"every name taken", {"F0", "F1", "F2"}, "", 3, "", 3},
      {"a failure ends the search", {"F0"}, "F1", 5, "", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> asked;
    const std::string made = stubglob::CreateFirstFreeFolder(
        [](int i) { return "F" + std::to_string(i); }, c.tries, [&](const std::string& name) {
          asked.push_back(name);
          if (c.taken.count(name)) return sys::NewFolder::kNameTaken;
          return name == c.failing ? sys::NewFolder::kFailed : sys::NewFolder::kCreated;
        });
    EXPECT_EQ(c.made, made);
    EXPECT_EQ(c.attempts, static_cast<int>(asked.size()));
  }
}

TEST(WorkFolderChoice, ThePrivateAccessListNamesOnlyTheUserSystemAndAdministrators) {
  EXPECT_EQ("D:P(A;OICI;FA;;;S-1-5-21-1-2-3-1000)(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)",
            sys::PrivateFolderAccessText("S-1-5-21-1-2-3-1000"));
}

TEST(SpanCopy, RunsFromTheWorkFolderWithTheFirstVolumeOfTheDisk) {
  EXPECT_EQ("C:\\W\\Y_Setup.exe", stubwin::SpanCopyPath("C:\\W", "D:\\Disk 1\\Setup.exe"));
  EXPECT_EQ("/x /SpanCdLvl=2 /SpanDiskFName1=\"D:\\Setup.exe.001\" /OriginExe=\"D:\\Setup.exe\"",
            stubwin::SpanCopyArguments("/x", kStub));
  EXPECT_EQ("/SpanCdLvl=2 /SpanDiskFName1=\"D:\\Setup.exe.001\" /OriginExe=\"D:\\Setup.exe\"",
            stubwin::SpanCopyArguments("", kStub));
}

}  // namespace
