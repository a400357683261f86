// This file must contain only truly operating-system independent code.
#include "pack/EntryTarget.h"

#include <cstdint>
#include <vector>

#include "sys/KoSUB.h"
#include "sys/UtilsText.h"

namespace pack {
namespace {

// Item 1 as the file-age call writes it: signed or unsigned 32-bit decimal.
uint32_t ItemDate(const std::string& nameList) {
  const int64_t value = sys::SUB::GetItemInt64(nameList, 1, 0);
  if (value < INT32_MIN || value > static_cast<int64_t>(UINT32_MAX)) return 0;
  return static_cast<uint32_t>(value);
}

std::vector<std::string> Segments(const std::string& name) {
  std::vector<std::string> parts(1);
  for (char c : name) {
    if (c == '\\' || c == '/')
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

bool IsDeviceName(const std::string& segment) {
  // Windows opens the device whatever extension or trailing blanks follow its name.
  std::string stem = sys::UpperCase(sys::TrimRight(segment.substr(0, segment.find('.'))));
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* device : kDevices)
    if (stem == device) return true;
  if (stem.size() != 4 || (stem.compare(0, 3, "COM") != 0 && stem.compare(0, 3, "LPT") != 0))
    return false;
  // Ports are numbered with a digit, or with a superscript digit of code page 1252.
  const unsigned char n = static_cast<unsigned char>(stem[3]);
  return (n >= '0' && n <= '9') || n == 0xB9 || n == 0xB2 || n == 0xB3;
}

bool IsSafeSegment(const std::string& segment) {
  if (segment == "." || segment == "..") return true;
  for (unsigned char c : segment)
    if (c < 32 || c == ':') return false;
  // Trailing dots and blanks are dropped by Windows, so "..." or ".. " would act as "..".
  const char last = segment.back();
  return last != '.' && last != ' ' && !IsDeviceName(segment);
}

}  // namespace

EntryTarget ReadEntryTarget(const std::string& nameList) {
  EntryTarget target;
  if (nameList.find('*') != std::string::npos) {
    target.setsRunEntry = true;
    target.runEntry = nameList;
  }
  const std::string item0 = sys::SUB::GetItem(nameList, 0);
  const size_t star = item0.find('*');
  if (star != std::string::npos) {
    target.setsRunEntry = true;
    target.runEntry = item0;
  }
  target.fileName = item0.substr(0, star);
  target.dosDate = ItemDate(nameList);
  return target;
}

bool IsSafeEntryName(const std::string& name) {
  if (name.empty() || name[0] == '\\' || name[0] == '/') return false;
  int depth = 0;
  const std::vector<std::string> parts = Segments(name);
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& segment = parts[i];
    if (segment.empty()) {
      if (i + 1 == parts.size()) return false;  // a folder, not a file
      continue;
    }
    if (!IsSafeSegment(segment)) return false;
    if (segment == "..") {
      if (--depth < 0) return false;
    } else if (segment != ".") {
      ++depth;
    }
  }
  // The file itself must be a name, not "." or "..".
  const std::string& last = parts.back();
  return last != "." && last != "..";
}

std::string PathFileName(const std::string& path) {
  const size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace pack
