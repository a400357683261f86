// This file must contain only truly operating-system independent code.
#include "stub/TempSpace.h"

#include <cctype>

#include "pack/GFileInfo.h"
#include "sys/FixedText.h"
#include "sys/UtilsText.h"

namespace stubsetup {

std::string FormatMB(double bytes) {
  const double mb = bytes > 0 ? bytes / 1048576 : 0;
  const int decimals = mb > 10 ? 1 : mb >= 1 ? 2 : 3;
  return sys::FixedText(mb, decimals);
}

std::string TempSpaceQuestion(const TGFileInfo& info, const std::string& workFolder,
                              double required, double available) {
  const std::string drive =
      workFolder.empty()
          ? ""
          : std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(workFolder[0])))) + ":";
  std::string message;
  if (info.NotifyTempDrive())
    message = info.GetLangString("s2", "Karst will extract files to your Temp Drive (<DRIVE>)<P>");
  // Equal amounts leave no room for anything else: that is short too.
  if (required >= available)
    message = info.GetLangString("s3", "Limited Free Space on your Temp Drive! (<DRIVE>)<P>");
  if (message.empty()) return "";
  message += info.GetLangString(
      "s4", "<P>Estimated space required on your Temp drive is: <T>  <SPACE_REQ> MB<P>");
  message += info.GetLangString("s5", "Free space available on your Temp drive is: <T>  <SPACE_AVAIL> MB<P>");
  message += info.GetLangString("s6", "<P>Continue with Setup?<P>");
  message = sys::ReplaceText(message, "<DRIVE>", drive, false);
  message = sys::ReplaceText(message, "<SPACE_REQ>", FormatMB(required), false);
  return sys::ReplaceText(message, "<SPACE_AVAIL>", FormatMB(available), false);
}

}  // namespace stubsetup
