// This file must contain only Win32 code.
#include "agent/AgentBoxes.h"

#include "agent/UpdateFiles.h"
#include "ui/KoMsgBox.h"

namespace au {

void AgentErrorBox(uintptr_t Owner, const std::string& Text) {
  komsgbox::ErrorBox(Owner, Text, original::Error(), original::CharSet(), original::BtnText());
}

void AgentAttentionBox(uintptr_t Owner, const std::string& Text) {
  komsgbox::AttentionBox(Owner, Text, original::Attention(), 0, original::CharSet(),
                         original::BtnText());
}

bool AgentConfirm(uintptr_t Owner, const std::string& Text) {
  return komsgbox::ConfirmYesNo(Owner, Text, original::Confirm(), 0, original::CharSet(),
                                original::BtnText());
}

}  // namespace au
