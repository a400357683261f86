#include "TestServers.h"

#include "Processes.h"
#include "sys/Platform.h"

namespace testkit {

std::string TestServers::IniUnixPath(const std::string& builtIn) {
  char path[MAX_PATH] = "";
  const DWORD n = ::GetEnvironmentVariableA("STUB_SERVERS_INI", path, sizeof path);
  return (n > 0 && n < sizeof path) ? std::string(path, n) : builtIn;
}

bool TestServers::LoadFrom(const std::string& iniUnixPath) {
  *this = TestServers();
  const std::string ini = HostPathToWindows(iniUnixPath);
  if (::GetFileAttributesA(ini.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  auto port = [&](const char* key) {
    return static_cast<int>(::GetPrivateProfileIntA("Servers", key, 0, ini.c_str()));
  };
  plain = port("Plain");
  nginx = port("Nginx");
  nginxTls = port("NginxTls");
  faults = port("Faults");
  char folder[MAX_PATH] = "";
  ::GetPrivateProfileStringA("Servers", "WwwWindows", "", folder, sizeof folder, ini.c_str());
  wwwWindows = folder;
  return plain && nginx && faults && !wwwWindows.empty();
}

std::string TestServers::Url(int port, const std::string& path) const {
  const char* scheme = (port != 0 && port == nginxTls) ? "https" : "http";
  return std::string(scheme) + "://127.0.0.1:" + std::to_string(port) +
         (path.empty() || path[0] != '/' ? "/" : "") + path;
}

}  // namespace testkit
