// This file must contain only Win32 code.
#include "pack/GFileInfo.h"
#include "stub/TempSpace.h"
#include "sys/Files.h"
#include "ui/KoMsgBox.h"
#include "ui/MsgBoxModel.h"

namespace stubsetup {

bool CheckTempSpace(const std::string& workFolder, const TGFileInfo& info) {
  const std::string question = TempSpaceQuestion(info, workFolder, info.GetSpaceRequired(workFolder),
                                                 sys::DiskFree(workFolder));
  if (question.empty()) return true;
  return komsgbox::ConfirmYesNo(0, question, info.GetLangString("Confirm", "Confirm"), 0,
                                info.GetCharset(),
                                info.GetLangString("BtnText", komsgbox::kDefaultButtonTexts));
}

}  // namespace stubsetup
