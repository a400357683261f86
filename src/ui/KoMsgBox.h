// The stub's own modal message box. Every question and error report of the stub goes through it
// rather than the system box: its text carries the small mark-up of ui/Markup.h, captions and
// button texts come from the caller (language data or an update description), it can answer by
// itself after a time-out, and right-to-left languages are laid out right-aligned.
//
// The flags word and the result codes are those of the system message box (ui/MsgBoxModel.h).
// The box runs its own message loop on the calling thread, so timers and messages of the
// thread's other windows keep being dispatched while it is up. The window that was active (or
// the window passed as Owner) is disabled while the box is up, and enabled and activated again
// when it closes.
#pragma once

#include <cstdint>
#include <string>

#include "ui/Markup.h"
#include "ui/MsgBoxModel.h"

namespace komsgbox {

// Owner: 0 = the caption also heads the text in bold; 1 = no heading; 2 = like 1, and the box's
// Close command is greyed; 3 or more = the window handle of the parent. Below 3 the active
// window is the parent.
// TimeoutMs: 0 = none; otherwise the box answers with its leftmost button when it runs out.
// Charset: the language's charset; 177 (Hebrew) and 178 (Arabic) read right to left.
// ButtonTexts: "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|" or a translation in that order.
// Returns the chosen button's code, or 0 when the box was closed without a choice.
int ShowMsgBox(uintptr_t Owner, const std::string& Text, const std::string& Caption, int TimeoutMs,
               uint32_t Flags, int Charset, const std::string& ButtonTexts);

// Front-ends: an empty Caption becomes "Error", "Attention" or "Confirm", empty ButtonTexts the
// default list.
void ErrorBox(uintptr_t Owner, const std::string& Text, const std::string& Caption, int Charset,
              const std::string& ButtonTexts);
void AttentionBox(uintptr_t Owner, const std::string& Text, const std::string& Caption,
                  int TimeoutMs, int Charset, const std::string& ButtonTexts);
// True when the answer is Yes (also when the time-out answers).
bool ConfirmYesNo(uintptr_t Owner, const std::string& Text, const std::string& Caption,
                  int TimeoutMs, int Charset, const std::string& ButtonTexts);
// True when the answer is OK.
bool ConfirmOkCancel(uintptr_t Owner, const std::string& Text, const std::string& Caption,
                     int Charset, const std::string& ButtonTexts);

// The font of later boxes: face name and charset always, the point size only when not 0.
// Until called: "Tahoma", 8 points, DEFAULT_CHARSET.
void SetMsgBoxFont(const std::string& FontName, int FontSize, int Charset);

}  // namespace komsgbox
