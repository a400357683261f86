// This file must contain only Win32 code.
#include "net/WinInetBinding.h"

#include <utility>

#include "net/DownloadAbort.h"
#include "sys/LibraryEntry.h"

namespace inethttp {
namespace {

// Names of the entry points, in the order of WinInetBinding::Entry.
constexpr const char* kEntryNames[] = {
    "InternetGetConnectedState", "InternetCloseHandle", "InternetOpenA",
    "InternetOpenUrlA",          "HttpQueryInfoA",      "InternetReadFile",
    "InternetSetOptionA",        "InternetGetLastResponseInfoA",
};

using ConnectedStateFn = BOOL(WINAPI*)(DWORD*, DWORD);
using CloseHandleFn = BOOL(WINAPI*)(HINTERNET);
using OpenFn = HINTERNET(WINAPI*)(const char*, DWORD, const char*, const char*, DWORD);
using OpenUrlFn = HINTERNET(WINAPI*)(HINTERNET, const char*, const char*, DWORD, DWORD,
                                     DWORD_PTR);
using QueryInfoFn = BOOL(WINAPI*)(HINTERNET, DWORD, void*, DWORD*, DWORD*);
using ReadFileFn = BOOL(WINAPI*)(HINTERNET, void*, DWORD, DWORD*);
using SetOptionFn = BOOL(WINAPI*)(HINTERNET, DWORD, void*, DWORD);
using LastResponseInfoFn = BOOL(WINAPI*)(DWORD*, char*, DWORD*);

}  // namespace

WinInetBinding::WinInetBinding(std::string Library) : library_(std::move(Library)) {}

WinInetBinding::~WinInetBinding() { Free(); }

WinInetBinding& WinInetBinding::Shared() {
  static WinInetBinding binding("WinINet.dll");
  return binding;
}

FARPROC WinInetBinding::Resolve(Entry Which) {
  if (entries_[Which]) return entries_[Which];
  if (!module_) module_ = ::LoadLibraryA(sys::SystemLibraryPath(library_).c_str());
  if (!module_) {
    ::SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  entries_[Which] = ::GetProcAddress(module_, kEntryNames[Which]);
  if (!entries_[Which]) ::SetLastError(ERROR_PROC_NOT_FOUND);
  return entries_[Which];
}

void WinInetBinding::Free() {
  for (FARPROC& entry : entries_) entry = nullptr;
  if (module_) ::FreeLibrary(module_);
  module_ = nullptr;
}

BOOL WinInetBinding::InternetGetConnectedState(DWORD* Flags, DWORD Reserved) {
  auto call = Bound<ConnectedStateFn>(kConnectedState);
  return call ? call(Flags, Reserved) : FALSE;
}

BOOL WinInetBinding::InternetCloseHandle(HINTERNET Handle) {
  auto call = Bound<CloseHandleFn>(kCloseHandle);
  return call ? call(Handle) : FALSE;
}

HINTERNET WinInetBinding::InternetOpenA(const char* Agent, DWORD AccessType, const char* Proxy,
                                        const char* ProxyBypass, DWORD Flags) {
  auto call = Bound<OpenFn>(kOpen);
  return call ? call(Agent, AccessType, Proxy, ProxyBypass, Flags) : nullptr;
}

HINTERNET WinInetBinding::InternetOpenUrlA(HINTERNET Session, const char* Url,
                                           const char* Headers, DWORD HeadersLength,
                                           DWORD Flags, DWORD_PTR Context) {
  auto call = Bound<OpenUrlFn>(kOpenUrl);
  return call ? call(Session, Url, Headers, HeadersLength, Flags, Context) : nullptr;
}

BOOL WinInetBinding::HttpQueryInfoA(HINTERNET Request, DWORD InfoLevel, void* Buffer,
                                    DWORD* BufferLength, DWORD* Index) {
  auto call = Bound<QueryInfoFn>(kQueryInfo);
  return call ? call(Request, InfoLevel, Buffer, BufferLength, Index) : FALSE;
}

BOOL WinInetBinding::InternetReadFile(HINTERNET Request, void* Buffer, DWORD BytesToRead,
                                      DWORD* BytesRead) {
  auto call = Bound<ReadFileFn>(kReadFile);
  return call ? call(Request, Buffer, BytesToRead, BytesRead) : FALSE;
}

BOOL WinInetBinding::InternetSetOptionA(HINTERNET Handle, DWORD Option, void* Buffer,
                                        DWORD BufferLength) {
  auto call = Bound<SetOptionFn>(kSetOption);
  return call ? call(Handle, Option, Buffer, BufferLength) : FALSE;
}

BOOL WinInetBinding::InternetGetLastResponseInfoA(DWORD* Error, char* Buffer,
                                                  DWORD* BufferLength) {
  auto call = Bound<LastResponseInfoFn>(kLastResponseInfo);
  return call ? call(Error, Buffer, BufferLength) : FALSE;
}

// Called when the main window's message loop has ended: no download runs any more.
void FreeWinInet() { WinInetBinding::Shared().Free(); }

}  // namespace inethttp
