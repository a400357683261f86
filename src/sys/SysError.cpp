// This file must contain only truly operating-system independent code.
#include "sys/SysError.h"

namespace sys {

std::string FailureLine(const std::string& Place, const std::string& Detail,
                        const std::string& Message) {
  std::string detail = Detail.empty() ? std::string() : " --- " + Detail;
  return " --- " + Place + detail + " --- " + Message;
}

std::string ValueReportLine(const std::string& A, const std::string& B, const std::string& C,
                            const std::string& D) {
  return "[" + A + "]  [" + B + "]  [" + C + "]  [" + D + "]";
}

}  // namespace sys
