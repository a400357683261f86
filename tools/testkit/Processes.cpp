#include "Processes.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace testkit {

void PumpFor(unsigned ms) {
  const DWORD until = ::GetTickCount() + ms;
  do {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (static_cast<int>(until - ::GetTickCount()) > 0);
}

bool BecomesTrue(const std::function<bool()>& what, unsigned timeoutMs) {
  const DWORD until = ::GetTickCount() + timeoutMs;
  while (!what()) {
    if (static_cast<int>(until - ::GetTickCount()) <= 0) return false;
    PumpFor(50);
  }
  return true;
}

bool EndProcessesWithWindowClass(const std::string& className) {
  return BecomesTrue([&] {
    HWND wnd = ::FindWindowA(className.c_str(), nullptr);
    if (!wnd) return true;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    sys::ScopedKernelHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    if (process) {
      ::TerminateProcess(process.Get(), 9);
      ::WaitForSingleObject(process.Get(), kPatienceMs);
    }
    return false;
  });
}

std::string SelfRemovalBatchPath() {
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  return std::string(temp) + "_DEL_ME_.BAT";
}

bool GoneWithin(const std::string& path, unsigned timeoutMs) {
  return BecomesTrue([&] { return !PathExists(path); }, timeoutMs);
}

Started StartProcess(const std::string& commandLine, const std::string& folder) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  Started started;
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi))
    return started;
  ::CloseHandle(pi.hThread);
  started.process.Reset(pi.hProcess);
  started.pid = pi.dwProcessId;
  return started;
}

bool WaitForExit(const Started& p, unsigned timeoutMs, uint32_t& exitCode) {
  const DWORD until = ::GetTickCount() + timeoutMs;
  HANDLE h = p.process.Get();
  for (;;) {
    DWORD left = static_cast<DWORD>(until - ::GetTickCount());
    if (static_cast<int>(left) <= 0) return false;
    DWORD r = ::MsgWaitForMultipleObjects(1, &h, FALSE, left, QS_ALLINPUT);
    if (r == WAIT_OBJECT_0) break;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  DWORD code = 0;
  ::GetExitCodeProcess(h, &code);
  exitCode = code;
  PumpFor(50);  // blocks sent just before the end
  return true;
}

int64_t RunToEnd(const std::string& commandLine, unsigned timeoutMs) {
  Started p = StartProcess(commandLine);
  if (!p) return -1;
  uint32_t code = 0;
  if (!WaitForExit(p, timeoutMs, code)) {
    ::TerminateProcess(p.process.Get(), 1);
    return -1;
  }
  return code;
}

HWND WaitForWindowClass(const std::string& className, unsigned timeoutMs) {
  const DWORD until = ::GetTickCount() + timeoutMs;
  for (;;) {
    if (HWND w = ::FindWindowA(className.c_str(), nullptr)) return w;
    if (static_cast<int>(until - ::GetTickCount()) <= 0) return nullptr;
    PumpFor(50);
  }
}

std::string HostPathToWindows(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string MakeScratchFolder(const std::string& tag) {
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  static unsigned counter = 0;
  std::string folder = std::string(temp) + "stubtest_" + tag + "_" +
                       std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++counter);
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool CopyFileTo(const std::string& from, const std::string& to) {
  return ::CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool WriteWholeFile(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  return static_cast<bool>(out);
}

bool PathExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void DeleteTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) DeleteTree(path);
      else ::DeleteFileA(path.c_str());
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
  }
  ::RemoveDirectoryA(folder.c_str());
}

uint32_t OpenForWritingError(const std::string& path) {
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return ::GetLastError();
  ::CloseHandle(h);
  return 0;
}

uint32_t DeleteError(const std::string& path) {
  return ::DeleteFileA(path.c_str()) ? 0 : ::GetLastError();
}

}  // namespace testkit
