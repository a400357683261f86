// This file must contain only truly operating-system independent code.
#include "sys/ProcessViewer.h"

#include "sys/KoSUB.h"
#include "sys/ProcessSearch.h"
#include "sys/UtilsText.h"

namespace sys {
namespace {

void Append(std::string& List, const std::string& Item) {
  List += ReplaceChar(Item, '|', '?');
  List += '|';
}

// Name and id of an item written name=id; the id follows the last "=", since a file name may
// hold "=" itself.
bool SplitNameAndId(const std::string& Item, std::string& Name, uint32_t& Id) {
  size_t equals = Item.rfind('=');
  if (equals == std::string::npos) return false;
  int64_t value = 0;
  if (!TryParseInt64(Item.substr(equals + 1), value) || value <= 0 || value > 0xFFFFFFFFll)
    return false;
  Name = Item.substr(0, equals);
  Id = static_cast<uint32_t>(value);
  return true;
}

}  // namespace

bool TProcessData::AddWindow(const ListedWindow& Window) {
  if (ListAll == 0 && SUB::HasItem(ProgramNames, Window.ProgramName)) return true;
  Append(ProcessIds, std::to_string(Window.ProcessId));
  Append(ProgramNames, Window.ProgramName);
  Append(ClassNames, Window.ClassName);
  Append(Windows, std::to_string(Window.Window));
  Append(ThreadIds, std::to_string(Window.ThreadId));
  Append(Titles, Window.Title);
  Append(VisibleFlags, Window.Visible ? "1" : "0");
  if (ListAll != 0) return true;
  return Window.ProgramName != TargetName && Window.ProcessId != TargetProcessId;
}

std::string TProcessData::ProgramList(bool WithIds) const {
  std::string list = "|";
  const int count = SUB::ItemCount(ProgramNames);
  for (int i = 0; i < count; ++i) {
    std::string name = SUB::GetItem(ProgramNames, i);
    if (name.empty()) continue;
    Append(list, WithIds ? name + "=" + SUB::GetItem(ProcessIds, i) : name);
  }
  return list;
}

bool ProcessListUsesPsapi(const WindowsVersion& V) { return IsXPVersion(V); }

uint32_t FindIdInProcessList(const std::string& List, const std::string& TargetName,
                             const std::string& TargetShortPath,
                             const std::function<std::string(const std::string&)>& ShortPathOf) {
  for (int i = SUB::ItemCount(List) - 1; i >= 0; --i) {
    std::string name;
    uint32_t id = 0;
    if (!SplitNameAndId(SUB::GetItem(List, i), name, id)) continue;
    if (ProcessNamesMatch(TargetName, name)) return id;
    if (!TargetShortPath.empty() && ShortPathsMatch(TargetShortPath, ShortPathOf(name))) return id;
  }
  return 0;
}

}  // namespace sys
