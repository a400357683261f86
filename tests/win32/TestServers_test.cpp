// The local test servers seen from inside Wine through plain WinINet calls: the files they serve,
// nginx's own 404 page, HTTPS with the test CA, and what each fault route does on the wire.
#include "TestServers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Processes.h"
#include "sys/Platform.h"

#include <wininet.h>

namespace {

struct Answer {
  bool opened = false;
  DWORD error = 0;  // GetLastError() when the URL could not be opened
  DWORD status = 0;
  bool hasLength = false;
  bool readFailed = false;  // the body ended in a failed read, not in an empty one
  std::string length, contentType, lastModified, body;
};

bool Header(HINTERNET request, DWORD what, std::string& value) {
  char buffer[512];
  DWORD size = sizeof buffer - 1;
  DWORD index = 0;
  if (!::HttpQueryInfoA(request, what, buffer, &size, &index)) return false;
  value.assign(buffer, size);
  return true;
}

// One GET through WinINet, with no cache and no certificate leniency.
Answer Fetch(const std::string& url) {
  Answer a;
  HINTERNET session = ::InternetOpenA("stub-tests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  if (!session) {
    a.error = ::GetLastError();
    return a;
  }
  DWORD timeout = 30000;
  ::InternetSetOptionA(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
  ::InternetSetOptionA(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
  const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                      INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;
  HINTERNET request = ::InternetOpenUrlA(session, url.c_str(), nullptr, 0, flags, 0);
  if (!request) {
    a.error = ::GetLastError();
    ::InternetCloseHandle(session);
    return a;
  }
  a.opened = true;
  DWORD size = sizeof a.status;
  ::HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &a.status, &size,
                   nullptr);
  a.hasLength = Header(request, HTTP_QUERY_CONTENT_LENGTH, a.length);
  Header(request, HTTP_QUERY_CONTENT_TYPE, a.contentType);
  Header(request, HTTP_QUERY_LAST_MODIFIED, a.lastModified);
  char buffer[16384];
  DWORD got = 0;
  for (;;) {
    a.readFailed = !::InternetReadFile(request, buffer, sizeof buffer, &got);
    if (a.readFailed || got == 0) break;
    a.body.append(buffer, got);
  }
  ::InternetCloseHandle(request);
  ::InternetCloseHandle(session);
  return a;
}

// The bodies the fault server makes: byte i is i % 251.
std::string Pattern(size_t count) {
  std::string s(count, '\0');
  for (size_t i = 0; i < count; ++i) s[i] = static_cast<char>(i % 251);
  return s;
}

class TestServers : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!servers_.Load()) GTEST_SKIP() << "the test servers are not running (CTest starts them)";
  }

  // A file in the served folder, removed again by the test.
  std::string Publish(const std::string& name, const std::string& data) {
    const std::string path = servers_.wwwWindows + "\\" + name;
    EXPECT_TRUE(testkit::WriteWholeFile(path, data)) << path;
    published_.push_back(path);
    return name;
  }
  void TearDown() override {
    for (const std::string& path : published_) ::DeleteFileA(path.c_str());
  }

  testkit::TestServers servers_;
  std::vector<std::string> published_;
};

TEST_F(TestServers, EveryServerGivesTheSameFile) {
  ASSERT_EQ(servers_.wwwWindows.rfind("Z:\\", 0), 0u) << servers_.wwwWindows;
  // More than one read buffer, with every byte value in it.
  std::string data(200003, '\0');
  uint32_t x = 12345;
  for (char& c : data) c = static_cast<char>((x = x * 1103515245u + 12345u) >> 23);
  const std::string name = Publish("harness file.bin", data);

  struct Source {
    const char* what;
    int port;
    std::string path;
    bool chunked = false;  // no Content-Length
  };
  std::vector<Source> sources = {{"python", servers_.plain, "/harness%20file.bin"},
                                 {"nginx", servers_.nginx, "/harness%20file.bin"},
                                 {"faults", servers_.faults, "/file/harness%20file.bin"},
                                 {"faults chunked", servers_.faults,
                                  "/chunkedfile/harness%20file.bin", true}};
  if (servers_.nginxTls) sources.push_back({"nginx tls", servers_.nginxTls, "/harness%20file.bin"});
  for (const Source& s : sources) {
    const std::string url = servers_.Url(s.port, s.path);
    SCOPED_TRACE(std::string(s.what) + " " + url);
    const Answer a = Fetch(url);
    ASSERT_TRUE(a.opened) << "error " << a.error;
    EXPECT_EQ(a.status, 200u);
    if (s.chunked) {
      EXPECT_FALSE(a.hasLength) << a.length;
    } else {
      EXPECT_EQ(a.length, std::to_string(data.size()));
    }
    EXPECT_FALSE(a.readFailed);
    EXPECT_TRUE(a.body == data) << "got " << a.body.size() << " bytes";
  }
}

TEST_F(TestServers, HttpsTrustsTheTestAuthority) {
  if (!servers_.nginxTls) GTEST_SKIP() << "no HTTPS server (see the output of servers_start)";
  const std::string url = servers_.Url(servers_.nginxTls, "/no-such-file");
  ASSERT_EQ(url.rfind("https://127.0.0.1:", 0), 0u) << url;
  // The certificate must pass WinINet's own checks: no "ignore" flag is given.
  const Answer a = Fetch(url);
  ASSERT_TRUE(a.opened) << "error " << a.error;
  EXPECT_EQ(a.status, 404u);
}

TEST_F(TestServers, NginxAnswersUnknownPathsWithItsOwnPage) {
  const Answer a = Fetch(servers_.Url(servers_.nginx, "/no/such/file.exe"));
  ASSERT_TRUE(a.opened) << "error " << a.error;
  EXPECT_EQ(a.status, 404u);
  EXPECT_EQ(a.contentType.rfind("text/html", 0), 0u) << a.contentType;
  EXPECT_NE(a.body.find("<title>404 Not Found</title>"), std::string::npos) << a.body;
  EXPECT_NE(a.body.find("nginx"), std::string::npos) << a.body;
}

TEST_F(TestServers, FaultRoutesBehaveAsNamed) {
  enum Body { kWhole, kShorterPrefix, kErrorPage };
  struct Case {
    const char* path;
    const char* length;  // nullptr: no Content-Length at all
    size_t size;         // bytes announced or sent
    Body body;
    const char* lastModified;
  };
  const Case cases[] = {
      {"/len0/a.bin", "0", 0, kWhole, ""},
      {"/chunked/a.bin?size=70001", nullptr, 70001, kWhole, ""},
      // Cut inside a chunk and after one: Wine's WinINet ends both bodies with an empty read, as
      // it ends a whole one; nothing above it can tell them apart.
      {"/chunked/a.bin?size=70001&after=50000", nullptr, 70001, kShorterPrefix, ""},
      {"/chunked/a.bin?size=70001&after=65536", nullptr, 70001, kShorterPrefix, ""},
      {"/cut/a.bin?size=50000&after=20000", "50000", 50000, kShorterPrefix, ""},
      {"/slow/a.bin?size=3000&delay_ms=20&chunk=1000", "3000", 3000, kWhole, ""},
      {"/lastmod/a.bin?size=300", "300", 300, kWhole, "Wed, 01 May 2024 12:25:56 GMT"},
      {"/errorpage200/a.bin", "", 0, kErrorPage, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const Answer a = Fetch(servers_.Url(servers_.faults, c.path));
    ASSERT_TRUE(a.opened) << "error " << a.error;
    EXPECT_EQ(a.status, 200u);
    if (!c.length) {
      EXPECT_FALSE(a.hasLength) << a.length;
    } else if (*c.length) {
      EXPECT_EQ(a.length, c.length);
    }
    EXPECT_EQ(a.lastModified, c.lastModified);
    switch (c.body) {
      case kWhole:
        EXPECT_TRUE(a.body == Pattern(c.size)) << "got " << a.body.size() << " bytes";
        EXPECT_FALSE(a.readFailed);
        break;
      case kShorterPrefix:
        EXPECT_LT(a.body.size(), c.size);
        EXPECT_TRUE(a.body == Pattern(a.body.size()));
        break;
      case kErrorPage:
        EXPECT_TRUE(a.hasLength);
        EXPECT_EQ(a.length, std::to_string(a.body.size()));
        EXPECT_NE(a.body.find("<title>404 Not Found</title>"), std::string::npos) << a.body;
        break;
    }
  }
}

}  // namespace
