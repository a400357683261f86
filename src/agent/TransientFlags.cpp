// This file must contain only truly operating-system independent code.
#include "agent/TransientFlags.h"

#include "sys/KoSUB.h"
#include "sys/UtilsText.h"

namespace au {
namespace {

constexpr uint32_t kFirstControlCode = 20;
constexpr uint32_t kLastControlCode = 25;

uint8_t TheFlags[kTransientFlagCount] = {kKeyDecides, kKeyDecides, kKeyDecides, kKeyDecides,
                                         kKeyDecides, kKeyDecides, kKeyDecides, kKeyDecides};

bool ValidIndex(int Index) { return Index >= 0 && Index < kTransientFlagCount; }

uint8_t LowByte(int64_t Value) { return static_cast<uint8_t>(static_cast<uint64_t>(Value) & 0xFF); }

}  // namespace

uint8_t GetTransientFlag(int Index) { return ValidIndex(Index) ? TheFlags[Index] : kKeyDecides; }

void SetTransientFlag(int Index, uint8_t Value) {
  if (ValidIndex(Index)) TheFlags[Index] = Value;
}

void ResetTransientFlags() {
  for (uint8_t& flag : TheFlags) flag = kKeyDecides;
}

bool SetTransientFlagByControlCode(uint32_t Code, int64_t Argument) {
  if (Code < kFirstControlCode || Code > kLastControlCode) return false;
  SetTransientFlag(static_cast<int>(Code - kFirstControlCode), LowByte(Argument));
  return true;
}

bool TransientFlagOverrides(int Index) { return GetTransientFlag(Index) != kKeyDecides; }

bool ApplyTransientFlag(int Index, bool KeyValue) {
  return TransientFlagOverrides(Index) ? GetTransientFlag(Index) == 1 : KeyValue;
}

bool AskBeforeCheck() { return GetTransientFlag(tfAskBeforeCheck) == 1; }

std::string FormatTransientFlags() {
  std::string list = "|";
  for (uint8_t flag : TheFlags) list += std::to_string(flag) + "|";
  return list;
}

void ParseTransientFlags(const std::string& Text) {
  for (int i = 0; i < kTransientFlagCount; ++i) {
    int64_t value = 0;
    const std::string item = sys::SUB::GetItem(Text, i);
    if (!item.empty() && sys::TryParseInt64(item, value)) TheFlags[i] = LowByte(value);
  }
}

}  // namespace au
