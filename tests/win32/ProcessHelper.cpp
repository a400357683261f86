// The helper modes run by a copy of the test program, and the making of that copy.
#include "ProcessHelper.h"

#include <gtest/gtest.h>

namespace prochelper {
namespace {

// The owner ends the helper with wParam * 100 + lParam, so the exit code tells which message
// reached it with which values.
LRESULT CALLBACK OwnerProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_CLOSE || Msg == kEndMessage) {
    ::PostQuitMessage(static_cast<int>(WParam * 100 + LParam));
    return 0;
  }
  return ::DefWindowProcA(Window, Msg, WParam, LParam);
}

LRESULT CALLBACK OwnedProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_CLOSE || Msg == kEndMessage) {
    ::PostQuitMessage(kOwnedWindowExit);
    return 0;
  }
  return ::DefWindowProcA(Window, Msg, WParam, LParam);
}

void RegisterHelperClass(const char* Name, WNDPROC Proc) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = Name;
  ::RegisterClassA(&wc);
}

// A hidden untitled owner window and a visible titled window that it owns; the exit code is
// that of the quit message.
int RunWindowsHelper() {
  RegisterHelperClass(kOwnerClass, OwnerProc);
  RegisterHelperClass(kOwnedClass, OwnedProc);
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  HWND owner = ::CreateWindowA(kOwnerClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                               nullptr, instance, nullptr);
  ::CreateWindowA(kOwnedClass, kOwnedTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                  owner, nullptr, instance, nullptr);
  MSG msg{};
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void WriteOut(const std::string& Text) {
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), Text.data(), static_cast<DWORD>(Text.size()),
              &written, nullptr);
}

// Reads standard input to its end, then says so.
int RunStdinHelper() {
  char buffer[256];
  DWORD read = 0;
  while (::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &read, nullptr) &&
         read > 0) {
  }
  WriteOut("eof");
  return 0;
}

// Talks until it is ended from outside.
int RunChattyHelper() {
  for (;;) {
    WriteOut("tick\r\n");
    ::Sleep(20);
  }
}

// Set by a plain helper once it runs: its modules are loaded and can be read by others.
std::string PlainReadyEventName(DWORD pid) { return "ProcHelperReady_" + std::to_string(pid); }

bool PlainHelperReady(DWORD pid) {
  sys::ScopedKernelHandle ready(::OpenEventA(SYNCHRONIZE, FALSE, PlainReadyEventName(pid).c_str()));
  return ready && ::WaitForSingleObject(ready.Get(), 0) == WAIT_OBJECT_0;
}

int RunHelper(const std::string& Mode) {
  if (Mode == "windows") return RunWindowsHelper();
  if (Mode == "plain") {  // no window at all, until it is ended from outside
    ::CreateEventA(nullptr, TRUE, TRUE, PlainReadyEventName(::GetCurrentProcessId()).c_str());
    for (;;) ::Sleep(1000);
  }
  if (Mode == "stdin") return RunStdinHelper();
  if (Mode == "chatty") return RunChattyHelper();
  if (Mode == "exit259") return 259;  // the code that otherwise means "still active"
  return 1;
}

// A copy started as a helper does its work before the tests would start, and ends there.
[[maybe_unused]] const bool kRanAsHelper = [] {
  std::string line = ::GetCommandLineA();
  size_t at = line.find(kHelperSwitch);
  if (at == std::string::npos) return false;
  std::string mode = line.substr(at + sizeof kHelperSwitch - 1);
  ::ExitProcess(static_cast<UINT>(RunHelper(mode.substr(0, mode.find(' ')))));
  return true;
}();

HelperCopy MakeCopy() {
  HelperCopy copy;
  copy.Folder = testkit::MakeScratchFolder("process");
  char self[MAX_PATH];
  ::GetModuleFileNameA(nullptr, self, sizeof self);
  copy.Name = "ProcHelper" + std::to_string(::GetCurrentProcessId()) + ".exe";
  copy.Path = copy.Folder + "\\" + copy.Name;
  testkit::CopyFileTo(self, copy.Path);
  return copy;
}

bool copyMade = false;

// Removes the copy after the last test, whichever suite made it.
class CopyRemoval : public ::testing::Environment {
 public:
  void TearDown() override {
    if (copyMade) testkit::DeleteTree(Copy().Folder);
  }
};

[[maybe_unused]] ::testing::Environment* const kCopyRemoval =
    ::testing::AddGlobalTestEnvironment(new CopyRemoval);

}  // namespace

const HelperCopy& Copy() {
  static const HelperCopy copy = MakeCopy();
  copyMade = true;
  return copy;
}

Helper::~Helper() {
  if (started && Running()) ::TerminateProcess(started.process.Get(), 1);
}

bool Helper::Start(const std::string& Mode) {
  started = testkit::StartProcess("\"" + Copy().Path + "\" " + kHelperSwitch + Mode);
  if (!started) return false;
  // Started is not yet running: a program just created has not loaded its modules, and a search
  // by path (through them) would not find it yet, the more so through an emulator.
  if (Mode == "plain")
    return testkit::BecomesTrue([&] { return PlainHelperReady(started.pid); }, 20000);
  return Mode != "windows" || testkit::WaitForWindowClass(kOwnedClass, 20000) != nullptr;
}

bool Helper::Running() const {
  return ::WaitForSingleObject(started.process.Get(), 0) == WAIT_TIMEOUT;
}

int64_t Helper::ExitCode() {
  uint32_t code = 0;
  bool ended = testkit::WaitForExit(started, 20000, code);
  if (ended) started.process.Reset();
  return ended ? code : -1;
}

}  // namespace prochelper
