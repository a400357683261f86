// Run-time overrides of the agent's behaviour flags: eight bytes kept in memory for the whole
// process, one per flag. 255 lets the key of the .info file decide; any other value replaces
// the key, and the flag is then true only when the byte is 1. Other processes set them through
// control codes 20 to 25 of the agent's window, and a restarted agent receives them as the
// transient override list "|b0|b1|b2|b3|b4|b5|b6|b7|" on its command line.
#pragma once

#include <cstdint>
#include <string>

namespace au {

// Positions of the override bytes. AskBeforeCheck has no key in the .info file.
enum TransientFlagIndex : int {
  tfAskBeforeCheck = 0,
  tfRequestConfirmationBeforeDownload = 1,
  tfRequestConfirmationBeforeInstall = 2,
  tfBackgroundUpdate = 3,
  tfInformFinish = 4,
  tfRestartProcess = 5,
  tfRequestConfirmationBeforeDownloadForce = 6,
  tfRequestConfirmationBeforeInstallForce = 7,
};
constexpr int kTransientFlagCount = 8;
// The byte value that leaves the decision to the .info file; every byte starts with it.
constexpr uint8_t kKeyDecides = 255;

// The byte at Index; kKeyDecides for an index outside 0 to 7.
uint8_t GetTransientFlag(int Index);
// Sets the byte at Index; an index outside 0 to 7 changes nothing.
void SetTransientFlag(int Index, uint8_t Value);
// Every byte back to kKeyDecides, as at start.
void ResetTransientFlags();

// Control codes 20 to 25 set bytes 0 to 5 to the low byte of Argument. False (and nothing
// changed) for any other code.
bool SetTransientFlagByControlCode(uint32_t Code, int64_t Argument);

// True when the byte at Index replaces the key of the .info file (it is not kKeyDecides).
bool TransientFlagOverrides(int Index);
// The flag at Index with its override applied to KeyValue, the value read from the .info file.
bool ApplyTransientFlag(int Index, bool KeyValue);
// True only when byte 0 is 1.
bool AskBeforeCheck();

// The transient override list: "|" + byte 0 + "|" + ... + byte 7 + "|", bytes in decimal.
std::string FormatTransientFlags();
// Sets byte i from item i of the list (items counted from 0 after the leading delimiter). An item
// that is missing, empty or not a number leaves its byte alone; a number is stored through its
// low 8 bits (-1 gives 255).
void ParseTransientFlags(const std::string& Text);

}  // namespace au
