// Win32 code.
#include "LingerDialog.h"

#include <vector>

#include "EngineSettings.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace engine {
namespace {

// Long enough for a slow start under load; the stub waits for the engine meanwhile.
constexpr DWORD kWindowAppearTimeoutMs = 20000;
constexpr DWORD kPollMs = 50;
constexpr UINT_PTR kLingerTimer = 1;

class DialogWindow {
 public:
  bool Create(const std::string& ClassName, uint32_t LingerMs) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = ClassName.c_str();
    if (!::RegisterClassA(&wc)) return false;
    lingerMs_ = LingerMs;
    return ::CreateWindowExA(0, ClassName.c_str(), "Setup", WS_OVERLAPPED | WS_CAPTION,
                             CW_USEDEFAULT, CW_USEDEFAULT, 320, 120, nullptr, nullptr,
                             wc.hInstance, this) != nullptr;
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND Window, UINT Msg, WPARAM W, LPARAM L) {
    if (Msg == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(L);
      ::SetWindowLongPtrA(Window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<DialogWindow*>(::GetWindowLongPtrA(Window, GWLP_USERDATA));
    return self ? self->HandleMessage(Window, Msg, W, L) : ::DefWindowProcA(Window, Msg, W, L);
  }

  LRESULT HandleMessage(HWND Window, UINT Msg, WPARAM W, LPARAM L) {
    switch (Msg) {
      case WM_CREATE:
        ::SetTimer(Window, kLingerTimer, lingerMs_, nullptr);
        return 0;
      case WM_TIMER:
        ::KillTimer(Window, kLingerTimer);
        ::DestroyWindow(Window);
        return 0;
      case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(Window, Msg, W, L);
  }

  uint32_t lingerMs_ = 0;
};

sys::ScopedKernelHandle StartHiddenDetached(const std::string& CommandLine) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION pi{};
  std::vector<char> line(CommandLine.begin(), CommandLine.end());
  line.push_back('\0');
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        nullptr, &si, &pi))
    return sys::ScopedKernelHandle();
  ::CloseHandle(pi.hThread);
  return sys::ScopedKernelHandle(pi.hProcess);
}

}  // namespace

bool LeaveDialogBehind(const std::string& ExePath, const std::string& ThreadToken,
                       uint32_t LingerMs) {
  sys::ScopedKernelHandle copy = StartHiddenDetached(
      "\"" + ExePath + "\" " + DialogOnlyTail(LingerMs, ThreadToken));
  if (!copy) return false;
  const std::string className = DialogClassName(ThreadToken);
  for (DWORD waited = 0; waited < kWindowAppearTimeoutMs; waited += kPollMs) {
    if (::FindWindowA(className.c_str(), nullptr)) return true;
    // Returns early when the copy ended without its window.
    if (::WaitForSingleObject(copy.Get(), kPollMs) == WAIT_OBJECT_0)
      return ::FindWindowA(className.c_str(), nullptr) != nullptr;
  }
  return false;
}

int KeepDialogWindow(const std::string& ClassName, uint32_t LingerMs) {
  DialogWindow dialog;
  if (!dialog.Create(ClassName, LingerMs)) return 1;
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return 0;
}

}  // namespace engine
