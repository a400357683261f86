// Whether the update or notice that a freshly fetched .info file describes is to be acted on
// now: a fixed chain of tests over the .original and the .info file, stopping at the first that
// fails. The number of tests passed is the result code; only 6 ("OK") lets the check go on.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace au {

enum DecisionCode : int {
  kInfoNotFetched = 0,
  kOriginalUnreadable = 1,
  kTooEarly = 2,
  kNotHigher = 3,
  kVersionMismatch = 4,
  kSizeMismatch = 5,
  kDecisionOK = 6,
};

// The text logged (and shown in an interactive check) for a code; empty outside 0 to 6.
std::string DecisionText(int Code);

// A handled publication may be offered again: the re-ask interval is above 0 and Now is
// strictly later than the last ask plus the interval.
bool IsReAskDue(int64_t Now);

// The installed version is one the update applies to: "ValidVersions" is empty, or lists it
// as written (compared as text, so " 4" and "04" do not list 4).
bool IsValidVersion();

// The chain. UserAsked: the user asked for this check, so a handled stamp does not stop it.
// DownloadSizeOK is called only when every earlier test passed: it may ask a server.
int UpdateDecisionCode(bool InfoFetched, bool UserAsked, int64_t Now,
                       const std::function<bool()>& DownloadSizeOK);

// Windows only (UpdateDecision_win32.cpp): the chain with the agent's own state, the clock and
// the real size test, logged. True exactly when Code is 6.
bool GetOkToPerformAU(bool InfoFetched, int& Code, std::string& Text);

}  // namespace au
