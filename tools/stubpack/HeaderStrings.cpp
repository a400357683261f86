// This file must contain only truly operating-system independent code.
#include "HeaderStrings.h"

#include <vector>

#include "pack/PackFormat.h"
#include "pack/Scramble.h"

namespace stubpack {
namespace {

constexpr char kSeparator = '|';

struct NamedItem {
  const char* what;
  std::string text;
};

bool JoinItems(const std::vector<NamedItem>& items, std::string& list, std::string& error) {
  bool allEmpty = true;
  for (const NamedItem& item : items) {
    if (item.text.find(kSeparator) != std::string::npos) {
      error = std::string(item.what) + " may not contain \"|\": " + item.text;
      return false;
    }
    allEmpty = allEmpty && item.text.empty();
  }
  list = std::string(1, kSeparator);
  if (allEmpty) return true;
  for (const NamedItem& item : items) list += item.text + kSeparator;
  return true;
}

bool IsDecimal(const std::string& text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

void AppendCounted(std::string& bytes, const std::string& text) {
  uint8_t count[4];
  pack::WriteLE32(count, static_cast<uint32_t>(text.size()));
  bytes.append(reinterpret_cast<const char*>(count), 4);
  bytes += text;
}

}  // namespace

std::string ScrambleToken(const std::string& plain) {
  if (plain.empty()) return std::string();
  uint32_t hash = 2166136261u;  // FNV-1a
  for (unsigned char c : plain) hash = (hash ^ c) * 16777619u;
  return pack::Scramble(plain, hash);
}

// Item 5 follows the five fixed items only when it is given.
std::vector<NamedItem> WithItem5(std::vector<NamedItem> items, const NamedItem& item5) {
  if (!item5.text.empty()) items.push_back(item5);
  return items;
}

bool BuildUpdateInfo(const UpdateInfoItems& items, std::string& list, std::string& error) {
  return JoinItems(WithItem5({{"the update info URL", items.url},
                              {"the info file name", items.infoFile},
                              {"the agent program name", items.agentExe},
                              {"the product token", ScrambleToken(items.productToken)},
                              {"hide-setup", items.hideSetup ? "1" : ""}},
                             {"the update public key", items.publicKey}),
                   list, error);
}

bool BuildWebSetupInfo(const WebSetupInfoItems& items, std::string& list, std::string& error) {
  if (!IsDecimal(items.size)) {
    error = "the web setup size must be a decimal byte count: " + items.size;
    return false;
  }
  return JoinItems(WithItem5({{"the web setup URL", items.url},
                              {"the web setup file name", items.fileName},
                              {"always-download", items.alwaysDownload ? "1" : ""},
                              {"the web setup token", ScrambleToken(items.token)},
                              {"the web setup size", items.size}},
                             {"the setup file's SHA-256", items.sha256}),
                   list, error);
}

bool SerializeHeaderStrings(const PackOptions& options, std::string& bytes, std::string& error) {
  std::string updateInfo, webSetupInfo;
  if (!BuildUpdateInfo(options.updateInfo, updateInfo, error) ||
      !BuildWebSetupInfo(options.webSetupInfo, webSetupInfo, error))
    return false;
  if (options.version < 3 && webSetupInfo.size() > 1) {
    error = "web setup items need package version 3; version 2 has no place for them";
    return false;
  }
  bytes.clear();
  AppendCounted(bytes, options.langData);
  AppendCounted(bytes, updateInfo);
  if (options.version >= 3) AppendCounted(bytes, webSetupInfo);
  return true;
}

}  // namespace stubpack
