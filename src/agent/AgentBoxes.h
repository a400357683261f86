// The agent's message boxes: captions, charset and button texts from section "MsgBox" of the
// .original file, no time-out. Owner 0 puts the caption into the text as a heading, 1 does not,
// 2 also greys the box's Close command.
#pragma once

#include <cstdint>
#include <string>

namespace au {

constexpr uintptr_t kBoxWithHeading = 0;
constexpr uintptr_t kBoxWithoutHeading = 1;
constexpr uintptr_t kBoxWithoutClose = 2;

void AgentErrorBox(uintptr_t Owner, const std::string& Text);
void AgentAttentionBox(uintptr_t Owner, const std::string& Text);
// True when the answer is Yes.
bool AgentConfirm(uintptr_t Owner, const std::string& Text);

}  // namespace au
