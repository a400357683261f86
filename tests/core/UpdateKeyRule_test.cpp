// Which update packages may follow a signed installation: the key an update brings along must be
// the running one, or the new one that the verified .info file names.
#include "agent/UpdateKeyRule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace {

using pack::CheckVerdict;

// A key text whose digits repeat Digit: distinct digits give distinct keys.
std::string KeyOf(char Digit) { return "04" + std::string(128, Digit); }

std::string UpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

TEST(CheckUpdateKeyContinuity, Verdicts) {
  const std::string running = KeyOf('a'), next = KeyOf('b'), other = KeyOf('c');
  const struct {
    const char* what;
    std::string running, update, named;
    CheckVerdict verdict;
  } cases[] = {
      {"unsigned installation, unsigned update", "", "", "", CheckVerdict::kNotRequired},
      {"unsigned installation, signed update", "", other, "", CheckVerdict::kNotRequired},
      {"same key", running, running, "", CheckVerdict::kVerified},
      {"same key in upper case", running, UpperCase(running), "", CheckVerdict::kVerified},
      {"same key while a new one is named", running, running, next, CheckVerdict::kVerified},
      {"the named new key", running, next, next, CheckVerdict::kVerified},
      {"the named new key, named in upper case", running, next, UpperCase(next),
       CheckVerdict::kVerified},
      {"update without key", running, "", "", CheckVerdict::kUpdateWithoutKey},
      {"update without key while a new one is named", running, "", next,
       CheckVerdict::kUpdateWithoutKey},
      {"another key, none named", running, other, "", CheckVerdict::kUnannouncedKey},
      {"another key than the named one", running, other, next, CheckVerdict::kUnannouncedKey},
      {"update key no key text", running, "04", "04", CheckVerdict::kUnannouncedKey},
      {"named key no key text", running, next, next.substr(1), CheckVerdict::kUnannouncedKey},
      {"running key no key text", running.substr(1), running.substr(1), "",
       CheckVerdict::kBadKey},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.verdict, au::CheckUpdateKeyContinuity(c.running, c.update, c.named)) << c.what;
}

TEST(CheckUpdateKeyContinuity, RefusalsAreFailedChecks) {
  EXPECT_FALSE(pack::Passes(CheckVerdict::kUpdateWithoutKey));
  EXPECT_FALSE(pack::Passes(CheckVerdict::kUnannouncedKey));
  EXPECT_STRNE(pack::CheckVerdictText(CheckVerdict::kUpdateWithoutKey),
               pack::CheckVerdictText(CheckVerdict::kUnannouncedKey));
}

}  // namespace
