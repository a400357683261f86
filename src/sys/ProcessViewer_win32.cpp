// This file must contain only Win32 code.
#include "sys/ProcessViewer.h"

#include <map>
#include <set>

#include "sys/Platform.h"
#include "sys/ProcessApi.h"
#include "sys/ProcessSearch.h"
#include "sys/WindowInfo.h"

namespace sys {
namespace {

std::string Item(const std::string& Name, uint32_t Id, bool WithIds) {
  return WithIds ? Name + "=" + std::to_string(Id) : Name;
}

std::string PsapiProgramList(const WindowsVersion& V, bool FullPaths, bool WithIds) {
  std::string list = "|";
  for (uint32_t id : EnumProcessIds()) {
    std::string name = SystemProcessName(id, V);
    ProcessModuleNames names;
    if (name.empty() && ProcessModuleNamesOf(id, names))
      name = FullPaths ? names.FullPath : ProcessFileName(names.FullPath);
    if (!name.empty()) list += Item(name, id, WithIds) + "|";
  }
  return list;
}

struct WindowListing {
  TProcessData Data;
  std::map<uint32_t, std::string> ProgramOf;  // process id to program file, from the snapshot
  std::set<uint32_t> WithWindow;
};

BOOL CALLBACK ListWindow(HWND Window, LPARAM Param) {
  auto& listing = *reinterpret_cast<WindowListing*>(Param);
  ListedWindow listed;
  DWORD processId = 0;
  listed.ThreadId = ::GetWindowThreadProcessId(Window, &processId);
  listed.ProcessId = processId;
  auto program = listing.ProgramOf.find(processId);
  if (program != listing.ProgramOf.end()) listed.ProgramName = program->second;
  listed.ClassName = WindowClassText(Window);
  listed.Window = reinterpret_cast<uintptr_t>(Window);
  listed.Title = WindowCaptionText(Window);
  listed.Visible = ::IsWindowVisible(Window) != 0;
  listing.WithWindow.insert(processId);
  return listing.Data.AddWindow(listed) ? TRUE : FALSE;
}

std::string WindowProgramList(bool WithIds) {
  WindowListing listing;
  std::vector<SnapshotEntry> snapshot = ProcessSnapshot();
  for (const SnapshotEntry& entry : snapshot) listing.ProgramOf[entry.ProcessId] = entry.ExeFile;
  ::EnumWindows(ListWindow, reinterpret_cast<LPARAM>(&listing));
  // Programs without a window come first, so that a search reading from the end still prefers
  // a process with windows, while a console or background program counts as running too.
  std::string list = "|";
  for (const SnapshotEntry& entry : snapshot) {
    bool windowless = !listing.WithWindow.count(entry.ProcessId);
    if (entry.ProcessId != 0 && !entry.ExeFile.empty() && windowless)
      list += Item(entry.ExeFile, entry.ProcessId, WithIds) + "|";
  }
  return list + listing.Data.ProgramList(WithIds).substr(1);
}

}  // namespace

std::string GetProcessList(bool FullPaths, bool WithIds) {
  const WindowsVersion version = GetWindowsVersion();
  if (ProcessListUsesPsapi(version)) return PsapiProgramList(version, FullPaths, WithIds);
  return WindowProgramList(WithIds);
}

}  // namespace sys
