// This file must contain only truly operating-system independent code.
#include "agent/InformFile.h"

#include "pack/GFileInfo.h"
#include "sys/ScrambleText.h"

namespace au {
namespace {

// The text after the n-th "|" of Text up to the next one (or to the end when Rest); empty when
// Text has fewer.
std::string Field(const std::string& Text, int N, bool Rest) {
  size_t start = 0;
  for (int i = 0; i < N; ++i) {
    start = Text.find('|', start);
    if (start == std::string::npos) return "";
    ++start;
  }
  if (Rest) return Text.substr(start);
  const size_t end = Text.find('|', start);
  return Text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

InformParts SplitInformFile(const std::string& Text) {
  const bool scrambled = Text.compare(0, std::char_traits<char>::length(sys::kScrambledMark),
                                      sys::kScrambledMark) == 0;
  const std::string plain = scrambled ? sys::ScrambleText(Text, false) : Text;
  return InformParts{TGFileInfo::Descramble(Field(plain, 1, false)), Field(plain, 4, true)};
}

}  // namespace au
