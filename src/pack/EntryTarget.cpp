// This file must contain only truly operating-system independent code.
#include "pack/EntryTarget.h"

#include <cstdint>
#include <vector>

#include "sys/KoSUB.h"
#include "sys/UtilsText.h"

namespace pack {
namespace {

// No double-byte code page uses a second byte below this; after a lead byte such a byte makes
// text that readers may split differently.
constexpr unsigned char kLowestTrailByte = 0x40;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Bytes of the character that starts at text[i]: 2 for a lead byte with a byte after it.
size_t CharLength(const std::string& text, size_t i, sys::LeadBytePredicate isLeadByte) {
  const bool lead = isLeadByte && isLeadByte(static_cast<unsigned char>(text[i]));
  return lead && i + 1 < text.size() ? 2 : 1;
}

// Item 1 as the file-age call writes it: signed or unsigned 32-bit decimal.
uint32_t ItemDate(const std::string& nameList) {
  const int64_t value = sys::SUB::GetItemInt64(nameList, 1, 0);
  if (value < INT32_MIN || value > static_cast<int64_t>(UINT32_MAX)) return 0;
  return static_cast<uint32_t>(value);
}

// The folder and file parts of name as the system reads them. False when the name can be read
// in more than one way: a lead byte ends it or is followed by a byte below kLowestTrailByte.
bool SplitName(const std::string& name, sys::LeadBytePredicate isLeadByte,
               std::vector<std::string>& parts) {
  parts.assign(1, std::string());
  for (size_t i = 0; i < name.size();) {
    const size_t n = CharLength(name, i, isLeadByte);
    if (n == 1 && isLeadByte && isLeadByte(static_cast<unsigned char>(name[i]))) return false;
    if (n == 2 && static_cast<unsigned char>(name[i + 1]) < kLowestTrailByte) return false;
    if (n == 1 && IsSeparator(name[i]))
      parts.emplace_back();
    else
      parts.back().append(name, i, n);
    i += n;
  }
  return true;
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

// Second bytes of double-byte characters are at least kLowestTrailByte, so the byte tests below
// cannot mistake one for a control, ":", "." or blank.
bool IsSafeSegment(const std::string& segment) {
  if (segment == "." || segment == "..") return true;
  for (unsigned char c : segment)
    if (c < 32 || c == ':') return false;
  // Trailing dots and blanks are dropped by Windows, so "..." or ".. " would act as "..".
  const char last = segment.back();
  return last != '.' && last != ' ' && !IsDeviceName(segment);
}

// Letters a-z of single-byte characters in upper case; double-byte characters stay as they are.
std::string FoldedPart(const std::string& part, sys::LeadBytePredicate isLeadByte) {
  std::string folded;
  for (size_t i = 0; i < part.size();) {
    const size_t n = CharLength(part, i, isLeadByte);
    const char c = part[i];
    if (n == 1 && c >= 'a' && c <= 'z')
      folded += static_cast<char>(c - 'a' + 'A');
    else
      folded.append(part, i, n);
    i += n;
  }
  return folded;
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

bool IsSafeEntryName(const std::string& name, sys::LeadBytePredicate isLeadByte) {
  std::vector<std::string> parts;
  if (name.empty() || IsSeparator(name[0]) || !SplitName(name, isLeadByte, parts)) return false;
  int depth = 0;
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

std::string EntryFileKey(const std::string& name, sys::LeadBytePredicate isLeadByte) {
  std::vector<std::string> parts;
  if (!IsSafeEntryName(name, isLeadByte) || !SplitName(name, isLeadByte, parts)) return "";
  std::vector<std::string> path;
  for (const std::string& part : parts) {
    if (part == "..")
      path.pop_back();  // a safe name never climbs above its folder
    else if (!part.empty() && part != ".")
      path.push_back(FoldedPart(part, isLeadByte));
  }
  std::string key;
  for (const std::string& part : path) key += (key.empty() ? "" : "\\") + part;
  return key;
}

std::string RunEntryProgram(const std::string& runEntry) {
  const size_t star = runEntry.find('*');
  return star == std::string::npos ? runEntry : sys::Trim(runEntry.substr(0, star));
}

size_t LastPathSeparator(const std::string& path, sys::LeadBytePredicate isLeadByte) {
  size_t last = std::string::npos;
  for (size_t i = 0; i < path.size(); i += CharLength(path, i, isLeadByte))
    if (CharLength(path, i, isLeadByte) == 1 && (IsSeparator(path[i]) || path[i] == ':')) last = i;
  return last;
}

std::string PathFileName(const std::string& path, sys::LeadBytePredicate isLeadByte) {
  const size_t cut = LastPathSeparator(path, isLeadByte);
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace pack
