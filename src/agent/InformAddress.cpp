// This file must contain only truly operating-system independent code.
#include "agent/InformAddress.h"

#include <algorithm>

#include "sys/UtilsText.h"

namespace au {
namespace {

bool IsPlainUrlChar(char c) { return c > ' ' && c < 0x7F && c != '"'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSchemeChar(char c) {
  return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '+' || c == '-' || c == '.';
}

// The length of the scheme part including "://"; 0 when it is neither http nor https.
size_t WebSchemeLength(const std::string& Address) {
  for (const char* scheme : {"http://", "https://"})
    if (sys::StartsWith(Address, scheme, true)) return std::string(scheme).size();
  return 0;
}

// Digits up to the end or to the path, query or fragment: the port of "host:8080/x".
bool IsPortAt(const std::string& Address, size_t from) {
  const size_t end = Address.find_first_of("/?#", from);
  const size_t stop = end == std::string::npos ? Address.size() : end;
  return stop > from && std::all_of(Address.begin() + from, Address.begin() + stop, IsAsciiDigit);
}

// A scheme name (a letter, then letters, digits, "+", "-" and ".") and ":" in front of
// everything else, unless what follows the colon is a port. A drive ("C:\x") has one too.
bool HasScheme(const std::string& Address) {
  const size_t colon = Address.find(':');
  if (colon == std::string::npos || colon == 0 || !IsAsciiLetter(Address[0])) return false;
  if (!std::all_of(Address.begin(), Address.begin() + colon, IsSchemeChar)) return false;
  return !IsPortAt(Address, colon + 1);
}

}  // namespace

bool IsOpenableWebAddress(const std::string& Address) {
  const size_t scheme = WebSchemeLength(Address);
  if (scheme == 0 || Address.size() <= scheme || Address[scheme] == '/') return false;
  return std::all_of(Address.begin(), Address.end(), IsPlainUrlChar);
}

std::string OpenableWebAddress(const std::string& Address) {
  const std::string trimmed = sys::Trim(Address);
  if (trimmed.empty()) return std::string();
  if (HasScheme(trimmed)) return IsOpenableWebAddress(trimmed) ? trimmed : std::string();
  const bool hostFirst = IsAsciiLetter(trimmed[0]) || IsAsciiDigit(trimmed[0]);
  const std::string web = "http://" + trimmed;
  return hostFirst && IsOpenableWebAddress(web) ? web : std::string();
}

NoticePlan PlanNotice(bool HasBody, const std::string& WebAddress) {
  NoticePlan plan;
  plan.address = OpenableWebAddress(WebAddress);
  if (HasBody)
    plan.show = NoticeShow::kWindow;
  else if (!plan.address.empty())
    plan.show = NoticeShow::kOpen;
  else if (!sys::Trim(WebAddress).empty())
    plan.show = NoticeShow::kRefused;
  plan.countsAsShown = plan.show != NoticeShow::kNothing;
  return plan;
}

}  // namespace au
