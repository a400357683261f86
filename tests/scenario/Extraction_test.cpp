// Extraction as a user meets it: real volume files on disk, the real disk prompt and error box
// (answered by the box driver from a second thread while this thread runs the extraction and
// the box's modal loop), real file dates, folders and write failures.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "BoxDriver.h"
#include "StubRunner.h"
#include "pack/UnPack.h"
#include "stub/UnPackWinHost.h"
#include "sys/Files.h"

namespace scenario {
namespace {

using testkit::BoxAnswer;
using testkit::BoxReport;

constexpr unsigned kBoxWaitMs = testkit::kPatienceMs;
const char kPrompt[] = "Please insert <B>DISK #<DISK_NUM></B> and press OK to continue";
constexpr uint32_t kEntryDate = 0x58A1633C;  // 2024-05-01 12:25:56

// One box the driver expects: what to do before answering it, and the answer.
struct BoxStep {
  std::function<void()> before;
  BoxAnswer answer;
};

// Answers the boxes of this process in order, keeping what each showed.
class BoxScript {
 public:
  explicit BoxScript(std::vector<BoxStep> steps) : steps_(std::move(steps)) {
    thread_ = std::thread([this] { Drive(); });
  }
  ~BoxScript() { Join(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  const std::vector<BoxReport>& Seen() {
    Join();
    return seen_;
  }

 private:
  void Drive() {
    for (const BoxStep& step : steps_) {
      const HWND box = testkit::WaitForBox(kBoxWaitMs, ::GetCurrentProcessId());
      if (!box) return;
      BoxReport report;
      testkit::ReadBox(box, report);
      seen_.push_back(report);
      if (step.before) step.before();
      testkit::AnswerBox(box, step.answer);
      if (!testkit::WaitForBoxGone(box, testkit::kPatienceMs)) ::PostMessageA(box, WM_CLOSE, 0, 0);
    }
  }

  std::vector<BoxStep> steps_;
  std::vector<BoxReport> seen_;
  std::thread thread_;
};

// Data that deflate cannot shrink, so that the volumes split where the sizes say.
std::string Noise(size_t n, uint32_t seed) {
  std::string s(n, '\0');
  for (char& c : s) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 24);
  }
  return s;
}

class ExtractionScenario : public StubScenario {
 protected:
  void SetUp() override {
    StubScenario::SetUp();
    input_ = folder_ + "\\in";
    dest_ = folder_ + "\\out\\product";
    disks_ = folder_ + "\\disks";
    ::CreateDirectoryA(input_.c_str(), nullptr);
    ::CreateDirectoryA(disks_.c_str(), nullptr);
  }

  void Input(const std::string& name, const std::string& data) {
    files_.emplace_back(name, data);
    ASSERT_TRUE(testkit::WriteWholeFile(input_ + "\\" + name, data));
  }

  // A stored package spanning three volumes behind the real stub (later volumes hold no program,
  // so they take more of the files), with Engine.exe to run; the later volumes wait in the "disks" folder until a prompt hands them over.
  std::string SpannedSet() {
    Input("Engine.exe", Noise(20000, 1));
    Input("part1.bin", Noise(300000, 2));
    Input("part2.bin", Noise(300000, 3));
    Input("part3.bin", Noise(300000, 4));
    const std::string stubBytes = testkit::ReadWholeFile(kStubExe);
    const std::string volumeSize = std::to_string(stubBytes.size() + 200000);
    const std::string first =
        Pack("Setup.exe", {"--store", "--dir", input_, "--run", "Engine.exe*/S", "--volume-size",
                           volumeSize, "--date", std::to_string(kEntryDate)});
    for (const char* k : {".002", ".003"}) {
      EXPECT_TRUE(testkit::PathExists(first + k));
      ::MoveFileA((first + k).c_str(), (disks_ + "\\Setup.exe" + k).c_str());
    }
    EXPECT_FALSE(testkit::PathExists(first + ".004"));
    return first;
  }

  std::function<void()> Insert(const std::string& volume) {
    const std::string from = disks_ + "\\" + volume, to = folder_ + "\\" + volume;
    return [from, to] { ::CopyFileA(from.c_str(), to.c_str(), FALSE); };
  }

  pack::ExtractResult Extract(const std::string& package, bool forcePrompt = false,
                              const std::string& agent = "") {
    pack::ExtractArgs args;
    args.PackagePath = package;
    args.DestFolder = dest_;
    args.AgentExeName = agent;
    args.ForcePrompt = forcePrompt;
    args.Caption = "Attention";
    args.DiskPrompt = kPrompt;
    args.FailedWrites = &failedWrites_;
    args.Progress = [this](int32_t kind, int32_t, const std::string&, int32_t, int32_t) {
      steps_ += kind == 1;
    };
    return pack::ExtractPackage(host_, args);
  }

  void ExpectAllFilesOut() {
    for (const auto& f : files_) {
      EXPECT_EQ(f.second, testkit::ReadWholeFile(dest_ + "\\" + f.first)) << f.first;
      EXPECT_EQ(kEntryDate, sys::FileAge(dest_ + "\\" + f.first)) << f.first;
    }
  }

  std::string input_, dest_, disks_;
  std::vector<std::pair<std::string, std::string>> files_;
  stubwin::UnPackWinHost host_;
  uint32_t failedWrites_ = 0;
  int steps_ = 0;
};

TEST_F(ExtractionScenario, LaterDisksArriveAfterThePromptsAndEverythingIsExtracted) {
  const std::string setup = SpannedSet();
  // The first OK comes before the disk is in: the same prompt must come back.
  BoxScript script({{nullptr, BoxAnswer::Click("OK")},
                    {Insert("Setup.exe.002"), BoxAnswer::Click("OK")},
                    {Insert("Setup.exe.003"), BoxAnswer::Key(VK_RETURN)}});
  const pack::ExtractResult result = Extract(setup);
  const auto& seen = script.Seen();

  ASSERT_EQ(3u, seen.size());
  for (size_t i = 0; i < seen.size(); ++i) {
    const std::string disk = i < 2 ? "DISK #2" : "DISK #3";
    EXPECT_NE(std::string::npos, seen[i].text.find("Please insert " + disk)) << seen[i].Describe();
    EXPECT_EQ(std::vector<std::string>({"ATTENTION", disk}), seen[i].BoldTexts());
    EXPECT_EQ(std::vector<std::string>({"OK", "Cancel"}), seen[i].ButtonNames());
  }
  EXPECT_TRUE(result.Ok);
  EXPECT_FALSE(result.Damaged);
  EXPECT_EQ("Engine.exe*/S", result.RunEntry);
  ExpectAllFilesOut();
  // One step per new file (readme.txt too) and one after each wait for a disk.
  EXPECT_EQ(static_cast<int>(files_.size()) + 1 + 2, steps_);
}

TEST_F(ExtractionScenario, DecliningADiskLeavesNothingToRun) {
  const std::string setup = SpannedSet();
  BoxScript script({{Insert("Setup.exe.002"), BoxAnswer::Click("OK")},
                    {nullptr, BoxAnswer::Click("Cancel")}});
  const pack::ExtractResult result = Extract(setup);
  EXPECT_EQ(2u, script.Seen().size());
  EXPECT_TRUE(result.RunEntry.empty());
  EXPECT_TRUE(testkit::PathExists(dest_ + "\\Engine.exe"));  // written from the first volume
}

TEST_F(ExtractionScenario, ForcePromptAsksEvenForDisksThatArePresent) {
  const std::string setup = SpannedSet();
  Insert("Setup.exe.002")();
  Insert("Setup.exe.003")();
  {
    // Without ForcePrompt present volumes are read without a question.
    const pack::ExtractResult quiet = Extract(setup);
    EXPECT_EQ("Engine.exe*/S", quiet.RunEntry);
  }
  testkit::DeleteTree(folder_ + "\\out");
  BoxScript script({{nullptr, BoxAnswer::Click("OK")}, {nullptr, BoxAnswer::Click("OK")}});
  const pack::ExtractResult result = Extract(setup, true);
  EXPECT_EQ(2u, script.Seen().size());
  EXPECT_EQ("Engine.exe*/S", result.RunEntry);
  ExpectAllFilesOut();
}

TEST_F(ExtractionScenario, FailedWritesShowOneBoxWithTheSizeReport) {
  Input("a.bin", "first");
  Input("b.bin", "second");
  const std::string setup = Pack("Setup.exe", {"--dir", input_});
  // Folders standing where the files should go make both writes fail.
  ASSERT_TRUE(sys::ForceDirectories(dest_ + "\\a.bin"));
  ASSERT_TRUE(sys::ForceDirectories(dest_ + "\\b.bin"));
  BoxScript script({{nullptr, BoxAnswer::Click("OK")}});
  const pack::ExtractResult result = Extract(setup);
  const auto& seen = script.Seen();
  ASSERT_EQ(1u, seen.size());
  EXPECT_NE(std::string::npos, seen[0].text.find(dest_ + "\\a.bin")) << seen[0].Describe();
  EXPECT_NE(std::string::npos, seen[0].text.find("Unable to save Extracted File!"));
  EXPECT_NE(std::string::npos, seen[0].text.find("Data Size:"));
  EXPECT_NE(std::string::npos, seen[0].text.find("5 Bytes"));
  EXPECT_EQ(2u, failedWrites_);
  EXPECT_TRUE(result.Ok);
  EXPECT_EQ("A file of the sample product.\r\n", testkit::ReadWholeFile(dest_ + "\\readme.txt"));
}

TEST_F(ExtractionScenario, SubFoldersAreCreatedInsideTheDestination) {
  ::CreateDirectoryA((input_ + "\\docs").c_str(), nullptr);
  ::CreateDirectoryA((input_ + "\\docs\\en").c_str(), nullptr);
  Input("docs\\en\\guide.txt", "guide");
  const std::string setup = Pack("Setup.exe", {"--dir", input_});
  EXPECT_TRUE(Extract(setup).Ok);
  EXPECT_EQ("guide", testkit::ReadWholeFile(dest_ + "\\docs\\en\\guide.txt"));
}

TEST_F(ExtractionScenario, AgentCopyIsTheStubWithItsHeaderAndTheAgentMark) {
  const std::string setup = Pack("Setup.exe", {"--make-agent-copy", "--agent-exe", "Agent.exe"});
  EXPECT_TRUE(Extract(setup, false, "Agent.exe").Ok);
  const std::string agent = testkit::ReadWholeFile(dest_ + "\\Agent.exe");
  const std::string stubBytes = testkit::ReadWholeFile(kStubExe);
  ASSERT_GT(agent.size(), stubBytes.size() + 74);
  EXPECT_EQ(0, agent.compare(0, 252, stubBytes, 0, 252));
  EXPECT_EQ(std::string(4, '\0'), agent.substr(252, 4));
  EXPECT_EQ(1, agent[agent.size() - 74 + 69]);
  EXPECT_EQ(sys::FileAge(setup), sys::FileAge(dest_ + "\\Agent.exe"));
}

// A window of this thread that notes when a close request reaches it.
class CloseWatcher {
 public:
  CloseWatcher() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "ExtractionCloseWatcher";
    ::RegisterClassA(&wc);  // a second registration fails harmlessly
    window_ = ::CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~CloseWatcher() { ::DestroyWindow(window_); }
  HWND Get() const { return window_; }
  // What the handler saw: the caller's count when the request arrived, -1 before.
  int countAtClose = -1;
  const int* count = nullptr;

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CloseWatcher*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (self && msg == WM_CLOSE) {
      if (self->countAtClose < 0) self->countAtClose = *self->count;
      return 0;
    }
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
  }
  HWND window_ = nullptr;
};

TEST_F(ExtractionScenario, ACloseRequestIsAnsweredWhileTheExtractionStillRuns) {
  // Sixteen files of 4 MiB that deflate to almost nothing: each block is a piece or two, and
  // the window must get its turn while their output is written.
  const int kFiles = 16;
  for (int i = 0; i < kFiles; ++i)
    Input("f" + std::to_string(i) + ".bin", std::string(size_t{4} << 20, static_cast<char>('a' + i)));
  const std::string setup = Pack("Setup.exe", {"--zlib", "--dir", input_});
  CloseWatcher watcher;
  ASSERT_NE(watcher.Get(), nullptr);
  watcher.count = &steps_;
  pack::ExtractArgs args;
  args.PackagePath = setup;
  args.DestFolder = dest_;
  args.FailedWrites = &failedWrites_;
  // The request comes as the first file begins, as a user's click would, from the queue.
  args.Progress = [&](int32_t kind, int32_t, const std::string&, int32_t, int32_t) {
    if (kind == 1 && ++steps_ == 1) ::PostMessageA(watcher.Get(), WM_CLOSE, 0, 0);
  };
  const pack::ExtractResult result = pack::ExtractPackage(host_, args);
  EXPECT_TRUE(result.Ok);
  EXPECT_EQ(kFiles + 1, steps_);  // the sample's readme.txt too
  // Answered by the extraction's own dispatching, before its last file had begun.
  EXPECT_GE(watcher.countAtClose, 1);
  EXPECT_LT(watcher.countAtClose, kFiles);
}

TEST_F(ExtractionScenario, ACorruptBlockEndsWithTheZlibErrorAndReleasesTheFile) {
  Input("big.txt", std::string(200000, 'x') + Noise(1000, 9));
  const std::string setup = Pack("Setup.exe", {"--zlib", "--dir", input_});
  std::string image = testkit::ReadWholeFile(setup);
  // Damage the deflate data of the last entry, well inside its block.
  const size_t at = image.size() - 74 - 200;
  image[at] = static_cast<char>(image[at] ^ 0x55);
  image[at + 1] = static_cast<char>(image[at + 1] ^ 0x55);
  ASSERT_TRUE(testkit::WriteWholeFile(setup, image));
  const pack::ExtractResult result = Extract(setup);
  EXPECT_NE("", result.ZlibError);
  EXPECT_FALSE(result.Ok);
  // Nothing keeps the partial file open.
  EXPECT_TRUE(::DeleteFileA((dest_ + "\\big.txt").c_str()) || !testkit::PathExists(dest_ + "\\big.txt"));
}

}  // namespace
}  // namespace scenario
