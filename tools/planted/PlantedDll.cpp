// A library that stands in for a copy planted beside a program under the name of a system
// library: being loaded leaves the marker file "<its own path>.loaded", and then the load fails
// (DllMain answers FALSE), as a copy that is no real library would make it.
#include "sys/Platform.h"

namespace {

constexpr char kMarkerSuffix[] = ".loaded";

void LeaveMarker(HINSTANCE self) {
  char path[MAX_PATH + sizeof kMarkerSuffix] = {};
  const DWORD length = ::GetModuleFileNameA(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  ::lstrcatA(path, kMarkerSuffix);
  HANDLE marker = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker != INVALID_HANDLE_VALUE) ::CloseHandle(marker);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  LeaveMarker(self);
  return FALSE;
}
