// Downloads over WinINet from real servers on 127.0.0.1 (tests/servers/run-servers): whole files
// in chunks, URLs with and without a scheme, the failures that must leave DestFile alone, the
// abort flag, memory downloads, the size query, and the run-time binding of the library.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Processes.h"
#include "TestServers.h"
#include "net/ErrorPage.h"
#include "net/InetHTTP.h"
#include "net/InetRules.h"
#include "net/WinInetBinding.h"
#include "sys/Platform.h"
#include "ui/KoProgBar.h"

namespace {

using namespace inethttp;

// The body the fault server generates and the test files hold: byte i is i % 251.
std::string Pattern(size_t length) {
  std::string data(length, '\0');
  for (size_t i = 0; i < length; ++i) data[i] = static_cast<char>(i % 251);
  return data;
}

// The names of the files in folder, sorted by the system's order.
std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return names;
}

// What a download reported: its texts and the progress events it sent.
struct Outcome {
  std::string content, error;
  std::vector<std::string> steps;
  int32_t rangePosition = -1, rangeMaximum = -1;
};

// Called with the number of steps so far after each step; lets a test act in mid-download.
using StepHook = void (*)(size_t steps);

Outcome Download(const std::string& url, const std::string& dest, StepHook hook = nullptr) {
  Outcome out;
  bool rangeSeen = false;
  {
    koprogbar::TProgBar bar([&](int32_t kind, int32_t max, const std::string& text, int32_t,
                                int32_t position) {
      if (kind == koprogbar::kProgressStep) {
        out.steps.push_back(text);
        if (hook) hook(out.steps.size());
      } else if (!rangeSeen) {
        rangeSeen = true;
        out.rangePosition = position;
        out.rangeMaximum = max;
      }
    });
    HTTP_DownloadFile_Incremental(0, url, dest, &bar, out.content, out.error);
  }
  return out;
}

class InetHTTP : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!servers_.Load()) GTEST_SKIP() << "the local test servers are not running";
    folder_ = testkit::MakeScratchFolder("inet");
    SetDownloadAbort(false);
  }
  void TearDown() override {
    SetDownloadAbort(false);
    if (!folder_.empty()) testkit::DeleteTree(folder_);
    for (const std::string& name : served_) ::DeleteFileA(Served(name).c_str());
  }

  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
  std::string Served(const std::string& name) const { return servers_.wwwWindows + "\\" + name; }

  // A file in the served folder, named uniquely for this process; returns its name.
  std::string Serve(const std::string& tag, const std::string& data) {
    const std::string name = "inet_" + std::to_string(::GetCurrentProcessId()) + "_" + tag;
    EXPECT_TRUE(testkit::WriteWholeFile(Served(name), data));
    served_.push_back(name);
    return name;
  }
  std::string Fault(const std::string& route) const { return servers_.Url(servers_.faults, route); }

  testkit::TestServers servers_;
  std::string folder_;
  std::vector<std::string> served_;
};

TEST_F(InetHTTP, DownloadsWholeFilesChunkByChunk) {
  struct Case {
    const char* tag;
    size_t size;
    size_t steps;      // one per chunk with data; the final empty read moves nothing
    int32_t maximum;   // the chunks plus one
    const char* lastCounts;
  } cases[] = {
      {"fifty.bin", 50, 10, 11, "50/50 BytesArr"},
      {"mega.bin", 1048576, 128, 129, "1,024.0/1,024.0 KB"},
  };
  for (const Case& c : cases) {
    const std::string name = Serve(c.tag, Pattern(c.size));
    for (int port : {servers_.plain, servers_.nginx}) {
      const std::string url = servers_.Url(port, name);
      SCOPED_TRACE(url);
      const std::string dest = Path(c.tag);
      ASSERT_TRUE(testkit::WriteWholeFile(dest, "old content"));
      const Outcome out = Download(url, dest);
      EXPECT_EQ("", out.error);
      EXPECT_EQ("", out.content);
      EXPECT_TRUE(testkit::ReadWholeFile(dest) == Pattern(c.size)) << "content differs";
      EXPECT_EQ(c.steps, out.steps.size());
      EXPECT_EQ(1, out.rangePosition);
      EXPECT_EQ(c.maximum, out.rangeMaximum);
      ASSERT_FALSE(out.steps.empty());
      EXPECT_EQ(0u, out.steps.back().rfind(c.lastCounts, 0)) << out.steps.back();
      EXPECT_EQ(std::vector<std::string>{c.tag}, FilesIn(folder_));  // no temporary file left
      ::DeleteFileA(dest.c_str());
    }
  }
}

TEST_F(InetHTTP, UrlsWithAndWithoutASchemeReachTheServer) {
  const std::string name = Serve("scheme.bin", Pattern(3000));
  const std::string hostAndPath = "127.0.0.1:" + std::to_string(servers_.nginx) + "/" + name;
  std::vector<std::string> urls = {
      hostAndPath,
      "http://" + hostAndPath,
      "HTTP://" + hostAndPath,
  };
  if (servers_.nginxTls != 0) {
    urls.push_back(servers_.Url(servers_.nginxTls, name));
    urls.push_back("HTTPS://127.0.0.1:" + std::to_string(servers_.nginxTls) + "/" + name);
  }
  for (const std::string& url : urls) {
    SCOPED_TRACE(url);
    const Outcome out = Download(url, "");
    EXPECT_EQ("", out.error);
    EXPECT_TRUE(out.content == Pattern(3000)) << "content of " << out.content.size() << " bytes";
  }
  if (servers_.nginxTls == 0) GTEST_SKIP() << "no HTTPS server: only the http forms ran";
}

TEST_F(InetHTTP, MemoryDownloadFillsContentAndWritesNoFile) {
  const std::string page = servers_.Url(servers_.faults, "/errorpage200/missing.exe");
  struct Case {
    std::string url;
    size_t size;
  } cases[] = {
      {Fault("/lastmod/info.ini?size=777"), 777},
      {Fault("/chunked/info.ini?size=9000"), 9000},  // no length: taken as it comes
  };
  ::SetCurrentDirectoryA(folder_.c_str());  // a stray relative write would land here
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    const Outcome out = Download(c.url, "");
    EXPECT_EQ("", out.error);
    EXPECT_TRUE(out.content == Pattern(c.size)) << out.content.size() << " bytes";
  }
  // A page served in place of a file is data like any other; its reader tells it apart.
  const Outcome out = Download(page, "");
  EXPECT_EQ("", out.error);
  EXPECT_TRUE(IsHtmlErrorPage("", out.content));
  EXPECT_TRUE(FilesIn(folder_).empty());
}

TEST_F(InetHTTP, MemoryDownloadRefusesMoreDataThanItKeeps) {
  // A server that streams without end (no length announced) or announces too much cannot fill
  // the memory of the agent.
  const std::string over = std::to_string(inethttp::kLongestDownloadInMemory + 1);
  for (const std::string& url : {Fault("/chunked/info.ini?size=" + over), Fault("/lastmod/info.ini?size=" + over)}) {
    SCOPED_TRACE(url);
    const Outcome out = Download(url, "");
    EXPECT_NE(std::string::npos,
              out.error.find(" --- Error downloading file (More than 16 MB of data)"))
        << out.error;
  }
}

TEST_F(InetHTTP, FailuresBeforeTheDataLeaveDestFileAlone) {
  const std::string len0 = Fault("/len0/empty.exe");
  const std::string deaf = "http://127.0.0.1:1/nobody.exe";  // no server listens on port 1
  struct Case {
    std::string url;
    std::string error;
  } cases[] = {
      {len0, len0 + " --- File Not Found !"},
      {deaf, "Unable to open Internet Connection: " + deaf},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    const std::string dest = Path("Setup.exe");
    ASSERT_TRUE(testkit::WriteWholeFile(dest, "old content"));
    const Outcome out = Download(c.url, dest);
    EXPECT_EQ(c.error, out.error);
    EXPECT_EQ("old content", testkit::ReadWholeFile(dest));
    EXPECT_EQ(std::vector<std::string>{"Setup.exe"}, FilesIn(folder_));
    EXPECT_TRUE(out.steps.empty());
  }
}

TEST_F(InetHTTP, CutConnectionKeepsDestFileAndTheDataSoFar) {
  const std::string url = Fault("/cut/part.bin?size=50000&after=20000");
  const std::string dest = Path("part.bin");
  ASSERT_TRUE(testkit::WriteWholeFile(dest, "old content"));
  // Leftovers of earlier attempts (the file's name, "." and digits) go first; a file that merely
  // begins alike stays, be it part.bin.old or part.bin2.1.
  ASSERT_TRUE(testkit::WriteWholeFile(dest + ".123", "leftover"));
  ASSERT_TRUE(testkit::WriteWholeFile(dest + ".old", "not ours"));
  ASSERT_TRUE(testkit::WriteWholeFile(Path("part.bin2.1"), "other"));
  const Outcome out = Download(url, dest);
  EXPECT_EQ(0u, out.error.rfind(UrlFileName(url) + " --- Error downloading file", 0)) << out.error;
  EXPECT_EQ("old content", testkit::ReadWholeFile(dest));
  const std::vector<std::string> expected = {"part.bin", "part.bin.50000", "part.bin.old",
                                             "part.bin2.1"};
  EXPECT_EQ(expected, FilesIn(folder_));
  EXPECT_TRUE(testkit::ReadWholeFile(dest + ".50000") == Pattern(20000));
}

TEST_F(InetHTTP, ChunkedDownloadReplacesDestFileAtItsMarkedEnd) {
  // No Content-Length: the closing chunk marks the end, and the file is whole there.
  const std::string served = Serve("chunkedfile.bin", Pattern(20000));
  const struct Case {
    std::string url;
    size_t size;
  } cases[] = {
      {Fault("/chunked/chunked.bin?size=30000"), 30000},
      {Fault("/chunked/chunked.bin?size=1"), 1},
      {Fault("/chunkedfile/" + served), 20000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    const std::string dest = Path("chunked.bin");
    ASSERT_TRUE(testkit::WriteWholeFile(dest, "old content"));
    ASSERT_TRUE(testkit::WriteWholeFile(dest + ".4294967295", "leftover of an earlier attempt"));
    const Outcome out = Download(c.url, dest);
    EXPECT_EQ("", out.error);
    EXPECT_TRUE(testkit::ReadWholeFile(dest) == Pattern(c.size)) << "content differs";
    EXPECT_EQ(std::vector<std::string>{"chunked.bin"}, FilesIn(folder_));  // no temporary file
    EXPECT_FALSE(out.steps.empty());
  }
}

// Sets the abort flag once the download has moved two steps.
void AbortAfterTwoSteps(size_t steps) {
  if (steps == 2) SetDownloadAbort(true);
}

void CALLBACK AbortFromTimer(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  SetDownloadAbort(true);
}

TEST_F(InetHTTP, AbortStopsTheDownloadAndKeepsDestFile) {
  enum class Source { Before, Sink, Timer };
  struct Case {
    const char* name;
    Source source;
  } cases[] = {{"set before", Source::Before}, {"progress sink", Source::Sink},
               {"timer", Source::Timer}};
  const std::string url = Fault("/slow/slow.bin?size=100000&delay_ms=20&chunk=2000");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetDownloadAbort(c.source == Source::Before);
    if (c.source == Source::Timer) ::SetTimer(nullptr, 0, 1, AbortFromTimer);
    const std::string dest = Path("slow.bin");
    ASSERT_TRUE(testkit::WriteWholeFile(dest, "old content"));
    const Outcome out = Download(url, dest, c.source == Source::Sink ? AbortAfterTwoSteps : nullptr);
    EXPECT_EQ("Download Aborted", out.error);
    EXPECT_EQ("old content", testkit::ReadWholeFile(dest));
    const std::string part = testkit::ReadWholeFile(dest + ".100000");
    EXPECT_TRUE(part == Pattern(part.size()));
    EXPECT_LT(part.size(), 100000u);
    // A flag set before the start or by the sink stops the loop right after that chunk.
    const size_t expectedSteps = c.source == Source::Before ? 1 : c.source == Source::Sink ? 2 : 0;
    if (expectedSteps != 0) {
      EXPECT_EQ(expectedSteps, out.steps.size());
    }
    SetDownloadAbort(false);
  }
}

TEST_F(InetHTTP, LastModifiedEntersTheTemporaryName) {
  // Stopped after its first chunk, the download leaves its temporary file to be seen.
  const std::string dest = Path("dated.bin");
  SetDownloadAbort(true);
  const Outcome out = Download(Fault("/lastmod/dated.bin?size=500"), dest);
  EXPECT_EQ("Download Aborted", out.error);
  // 500 + the DOS date-time of Wed, 01 May 2024 12:25:56.
  EXPECT_EQ(std::vector<std::string>{"dated.bin.1486972208"}, FilesIn(folder_));
  EXPECT_TRUE(testkit::ReadWholeFile(dest + ".1486972208") == Pattern(50));

  SetDownloadAbort(false);
  const Outcome whole = Download(Fault("/lastmod/dated.bin?size=500"), dest);
  EXPECT_EQ("", whole.error);
  EXPECT_TRUE(testkit::ReadWholeFile(dest) == Pattern(500));
  EXPECT_EQ(std::vector<std::string>{"dated.bin"}, FilesIn(folder_));
}

TEST_F(InetHTTP, GetFileSizeReportsTheAnnouncedLength) {
  const std::string name = Serve("sized.bin", Pattern(12345));
  struct Case {
    std::string url;
    int64_t size;
  } cases[] = {
      {servers_.Url(servers_.plain, name), 12345},
      {servers_.Url(servers_.nginx, name), 12345},
      {"127.0.0.1:" + std::to_string(servers_.nginx) + "/" + name, 12345},
      {Fault("/lastmod/x.bin?size=4321"), 4321},
      {Fault("/chunked/x.bin?size=4321"), -1},  // no length announced
      {"http://127.0.0.1:1/nobody.bin", -1},     // nobody listens
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(c.size, HTTP_GetFileSize(c.url));
  }
}

TEST_F(InetHTTP, FreedLibraryIsLoadedAgainOnNeed) {
  FreeWinInet();
  const Outcome out = Download(Fault("/lastmod/again.bin?size=64"), "");
  EXPECT_EQ("", out.error);
  EXPECT_TRUE(out.content == Pattern(64));
}

TEST(InetHTTPConnection, BothFormsAgreeAndAConnectionHasNoErrorText) {
  std::string error = "stale";
  const bool connected = IsInternetConnected(error);
  EXPECT_EQ(connected, IsInternetConnected());
  if (connected) {
    EXPECT_EQ("", error);
  }
}

TEST(InetHTTPBinding, MissingLibraryOrEntryFailsWithoutACall) {
  struct Case {
    const char* library;
    DWORD error;
  } cases[] = {{"NoSuchInternetLibrary.dll", ERROR_MOD_NOT_FOUND},
               {"kernel32.dll", ERROR_PROC_NOT_FOUND}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.library);
    WinInetBinding binding(c.library);
    DWORD flags = 0, read = 0, size = 4;
    char buffer[4];
    EXPECT_FALSE(binding.InternetGetConnectedState(&flags, 0));
    EXPECT_EQ(c.error, ::GetLastError());
    EXPECT_EQ(nullptr, binding.InternetOpenA("HTTP_Connect_2", 0, "", nullptr, 0));
    EXPECT_EQ(nullptr, binding.InternetOpenUrlA(nullptr, "http://127.0.0.1/", nullptr, 0, 0, 0));
    EXPECT_FALSE(binding.HttpQueryInfoA(nullptr, 0, buffer, &size, nullptr));
    EXPECT_FALSE(binding.InternetReadFile(nullptr, buffer, 4, &read));
    EXPECT_FALSE(binding.InternetSetOptionA(nullptr, INTERNET_OPTION_CONNECT_TIMEOUT, &flags,
                                            sizeof flags));
    EXPECT_FALSE(binding.InternetGetLastResponseInfoA(&flags, buffer, &size));
    EXPECT_FALSE(binding.InternetCloseHandle(nullptr));
    EXPECT_EQ(c.error, ::GetLastError());
  }
}

TEST(InetHTTPBinding, SharedBindingReachesTheLibrary) {
  WinInetBinding binding("WinINet.dll");
  HINTERNET session = binding.InternetOpenA("HTTP_Connect_2", INTERNET_OPEN_TYPE_PRECONFIG, "",
                                            nullptr, 0);
  ASSERT_NE(nullptr, session);
  EXPECT_TRUE(binding.InternetCloseHandle(session));
}

}  // namespace
