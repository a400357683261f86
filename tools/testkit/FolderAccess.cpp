#include "FolderAccess.h"

#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

#include <sddl.h>

namespace testkit {
namespace {

std::string SidText(PSID sid) {
  char* text = nullptr;
  if (!sid || !::ConvertSidToStringSidA(sid, &text)) return "";
  const sys::ScopedLocalMemory owned(text);
  return text;
}

}  // namespace

std::string CurrentUserSid() {
  HANDLE raw = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) return "";
  const sys::ScopedKernelHandle token(raw);
  DWORD size = 0;
  ::GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
  std::string buffer(size, '\0');
  if (size == 0 || !::GetTokenInformation(token.Get(), TokenUser, &buffer[0], size, &size))
    return "";
  return SidText(reinterpret_cast<TOKEN_USER*>(&buffer[0])->User.Sid);
}

FolderAccess ReadFolderAccess(const std::string& path) {
  FolderAccess access;
  const SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION;
  DWORD size = 0;
  ::GetFileSecurityA(path.c_str(), what, nullptr, 0, &size);
  std::string buffer(size, '\0');
  if (size == 0 || !::GetFileSecurityA(path.c_str(), what, &buffer[0], size, &size)) return access;
  const PSECURITY_DESCRIPTOR descriptor = &buffer[0];
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  PSID owner = nullptr;
  if (!::GetSecurityDescriptorControl(descriptor, &control, &revision) ||
      !::GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) || !present || !dacl ||
      !::GetSecurityDescriptorOwner(descriptor, &owner, &defaulted))
    return access;
  access.read = true;
  access.isProtected = (control & SE_DACL_PROTECTED) != 0;
  const std::string ownerSid = SidText(owner);
  access.ownedBySetup = ownerSid == CurrentUserSid() || ownerSid == kAdministratorsSid;
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    if (!::GetAce(dacl, i, &ace)) continue;
    const ACE_HEADER* header = static_cast<const ACE_HEADER*>(ace);
    if (header->AceType == ACCESS_ALLOWED_ACE_TYPE)
      access.allowed.push_back(SidText(&static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart));
    else
      ++access.otherEntries;
  }
  return access;
}

}  // namespace testkit
