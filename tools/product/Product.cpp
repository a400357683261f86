// Product.exe: the installed product of the update tests. A titled main window and nothing
// else; it appends to Product.log beside itself how it started and how it was ended, so a test
// can tell a close request (WM_CLOSE) from a quit message (WM_QUIT) and from being terminated
// (a start without an end line).
#include <string>

#include "sys/Platform.h"

namespace {

constexpr char kClass[] = "StubTestProduct";
constexpr char kTitle[] = "Test Product";
bool g_closeRequested = false;

std::string LogPath() {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string log = path;
  return log.substr(0, log.find_last_of('\\') + 1) + "Product.log";
}

void Record(const std::string& line) {
  const HANDLE file = ::CreateFileA(LogPath().c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\r\n";
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
}

LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      g_closeRequested = true;
      Record("WM_CLOSE " + std::to_string(wParam) + " " + std::to_string(lParam));
      ::DestroyWindow(wnd);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
  Record(std::string("started ") + commandLine);
  WNDCLASSA wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.lpszClassName = kClass;
  ::RegisterClassA(&wc);
  HWND wnd = ::CreateWindowExA(0, kClass, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                               320, 200, nullptr, nullptr, instance, nullptr);
  ::ShowWindow(wnd, show);
  MSG msg;
  BOOL got;
  while ((got = ::GetMessageA(&msg, nullptr, 0, 0)) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  if (got == 0 && !g_closeRequested)
    Record("WM_QUIT " + std::to_string(msg.wParam) + " " + std::to_string(msg.lParam));
  Record("ended");
  return 0;
}
