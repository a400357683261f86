#include "agent/InformAddress.h"

#include <algorithm>

#include "sys/UtilsText.h"

namespace au {
namespace {

bool IsPlainUrlChar(char c) { return c > ' ' && c < 0x7F && c != '"'; }

// The length of the scheme part including "://"; 0 when it is neither http nor https.
size_t WebSchemeLength(const std::string& Address) {
  for (const char* scheme : {"http://", "https://"})
    if (sys::StartsWith(Address, scheme, true)) return std::string(scheme).size();
  return 0;
}

}  // namespace

bool IsOpenableWebAddress(const std::string& Address) {
  const size_t scheme = WebSchemeLength(Address);
  if (scheme == 0 || Address.size() <= scheme || Address[scheme] == '/') return false;
  return std::all_of(Address.begin(), Address.end(), IsPlainUrlChar);
}

std::string OpenableWebAddress(const std::string& Address) {
  const std::string trimmed = sys::Trim(Address);
  return IsOpenableWebAddress(trimmed) ? trimmed : std::string();
}

}  // namespace au
