// The WinINet calls of a download, bound at run time: the library is loaded from the system folder
// (it is no "known DLL", and a static import would be looked for beside the program first) on
// the first call that needs it, and each entry point is looked up by name on its own first call and kept. A call
// whose library or entry point cannot be found fails like the real call would (0, nullptr or
// FALSE), with ERROR_MOD_NOT_FOUND or ERROR_PROC_NOT_FOUND as the last error, and calls nothing.
// The binding lives until FreeWinInet at the end of the program.
// This file must contain only Win32 code.
#pragma once

#include <string>

#include "sys/Platform.h"

#include <wininet.h>

namespace inethttp {

class WinInetBinding {
 public:
  // A binding over Library; the program uses the shared one over "WinINet.dll".
  explicit WinInetBinding(std::string Library);
  ~WinInetBinding();
  WinInetBinding(const WinInetBinding&) = delete;
  WinInetBinding& operator=(const WinInetBinding&) = delete;

  // The binding of the whole program.
  static WinInetBinding& Shared();

  BOOL InternetGetConnectedState(DWORD* Flags, DWORD Reserved);
  BOOL InternetCloseHandle(HINTERNET Handle);
  HINTERNET InternetOpenA(const char* Agent, DWORD AccessType, const char* Proxy,
                          const char* ProxyBypass, DWORD Flags);
  HINTERNET InternetOpenUrlA(HINTERNET Session, const char* Url, const char* Headers,
                             DWORD HeadersLength, DWORD Flags, DWORD_PTR Context);
  BOOL HttpQueryInfoA(HINTERNET Request, DWORD InfoLevel, void* Buffer, DWORD* BufferLength,
                      DWORD* Index);
  BOOL InternetReadFile(HINTERNET Request, void* Buffer, DWORD BytesToRead, DWORD* BytesRead);
  BOOL InternetSetOptionA(HINTERNET Handle, DWORD Option, void* Buffer, DWORD BufferLength);
  BOOL InternetGetLastResponseInfoA(DWORD* Error, char* Buffer, DWORD* BufferLength);

  // Frees the library and forgets every entry point; a later call loads it again.
  void Free();

 private:
  enum Entry {
    kConnectedState,
    kCloseHandle,
    kOpen,
    kOpenUrl,
    kQueryInfo,
    kReadFile,
    kSetOption,
    kLastResponseInfo,
    kEntries
  };

  // The entry point, as the function type the caller knows it to have; nullptr when missing.
  template <typename Function>
  Function Bound(Entry Which) {
    // Through void(*)(), the one function type every other converts to without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(Resolve(Which)));
  }
  FARPROC Resolve(Entry Which);

  std::string library_;
  HMODULE module_ = nullptr;
  FARPROC entries_[kEntries] = {};
};

// Sessions and requests close through the binding, so that a closed library is never called.
struct InternetTraits {
  using Handle = HINTERNET;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { WinInetBinding::Shared().InternetCloseHandle(h); }
};

}  // namespace inethttp
