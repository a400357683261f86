// The local HTTP servers that CTest starts around the Windows-side tests
// (tests/servers/run-servers): their ports on 127.0.0.1 and the folder they serve.
#pragma once

#include <string>

namespace testkit {

struct TestServers {
  int plain = 0;     // python3 http.server on the served folder
  int nginx = 0;     // nginx over HTTP on the same folder (its own 404 page for unknown paths)
  int nginxTls = 0;  // nginx over HTTPS with the test CA; 0 when there is no HTTPS
  int faults = 0;    // tests/servers/fault_server.py (routes listed at its top)
  // The served folder, as a Windows path (Z:\...); shared by every test, so give files unique names.
  std::string wwwWindows;

  // Reads servers.ini: the Unix path in STUB_SERVERS_INI, which a group of tests running beside
  // others is given for servers of its own (scripts/wine-shard), else the one given to the test
  // program at compile time. False when the servers are not running: tests then skip.
#ifdef SERVERS_INI_UNIX_PATH
  bool Load() { return LoadFrom(IniUnixPath(SERVERS_INI_UNIX_PATH)); }
#endif
  bool LoadFrom(const std::string& iniUnixPath);
  static std::string IniUnixPath(const std::string& builtIn);

  // "http://127.0.0.1:<port>/<path>"; https for the TLS port of nginx.
  std::string Url(int port, const std::string& path) const;
};

}  // namespace testkit
