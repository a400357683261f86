// Test fixture: the private-profile functions in memory, installed through au::SetIniAccess.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "agent/UpdateFilesIni.h"
#include "sys/UtilsText.h"

// An in-memory stand-in for the private-profile functions: names compare without regard to case,
// an absent or empty value gives the default, and every call is counted per file.
struct FakeIni {
  inline static std::map<std::string, std::string> values;  // "file\nsection\nkey" -> value
  inline static std::set<std::string> readOnly;
  inline static std::map<std::string, int> reads;
  inline static std::vector<std::string> writes;  // "file|section|key=value", in order

  static std::string Slot(const std::string& file, const std::string& section,
                          const std::string& key) {
    return sys::LowerCase(file + "\n" + section + "\n" + key);
  }
  static void Put(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value) {
    values[Slot(file, section, key)] = value;
  }
  static std::string Get(const std::string& file, const std::string& section,
                         const std::string& key) {
    auto found = values.find(Slot(file, section, key));
    return found == values.end() ? "<absent>" : found->second;
  }

  static std::string ReadString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& def) {
    ++reads[file];
    if (section.empty() || key.empty()) return def;
    auto found = values.find(Slot(file, section, key));
    return found == values.end() || found->second.empty() ? def : found->second;
  }
  static int64_t ReadInteger(const std::string& file, const std::string& section,
                             const std::string& key, int64_t def) {
    int64_t value = def;
    return sys::TryParseInt64(ReadString(file, section, key, std::to_string(def)), value) ? value
                                                                                          : def;
  }
  static bool WriteString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) {
    if (file.empty() || section.empty() || key.empty() || readOnly.count(file)) return false;
    writes.push_back(file + "|" + section + "|" + key + "=" + value);
    Put(file, section, key, value);
    return true;
  }
  static bool WriteInteger(const std::string& file, const std::string& section,
                           const std::string& key, int64_t value) {
    return WriteString(file, section, key, std::to_string(value));
  }

  static au::IniAccess Access() {
    au::IniAccess access;
    access.ReadString = ReadString;
    access.ReadInteger = ReadInteger;
    access.WriteString = WriteString;
    access.WriteInteger = WriteInteger;
    return access;
  }
  static void Clear() {
    values.clear();
    readOnly.clear();
    reads.clear();
    writes.clear();
  }
};
