// This file must contain only truly operating-system independent code.
#include "sys/PrivateFolder.h"

namespace sys {

std::string PrivateFolderAccessText(const std::string& userSid) {
  // OICI: files and subfolders created inside get the same entries.
  return "D:P(A;OICI;FA;;;" + userSid + ")(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
}

}  // namespace sys
