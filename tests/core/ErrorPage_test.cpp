#include "net/ErrorPage.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

using inethttp::ErrorPageMessage;
using inethttp::IsHtmlErrorPage;
using inethttp::kErrorPageWindow;

namespace {

namespace fs = std::filesystem;

const char kBinaryBytes[] = "MZ\x90\0\x03\0\0\0\x04\0\0\0\xff\xff\0\0\xb8\0<\x01\x80\xfe";
const std::string kBinary(kBinaryBytes, sizeof kBinaryBytes - 1);

TEST(ErrorPage, TitleWith404OrAnHtmlHeadTitleOpeningMakesAnErrorPage) {
  struct Case {
    const char* what;
    std::string text;
    bool expected;
  } cases[] = {
      {"A: 404 in the title", "<html><title>404 Not Found</title></html>", true},
      {"A: any letter case", "<TiTlE>Error 404 - Not Found</tItLe>", true},
      {"A: title with attributes", "<!DOCTYPE html>\n<title lang=\"en\">404</title>", true},
      {"B: html, head, title", "<HTML><HEAD><TITLE>Welcome</TITLE></HEAD><BODY>", true},
      {"B: lower case, text between", "<html>\n <head>\n  <title>Index of /</title>", true},
      {"404 only after the title", "<title>Not Found</title><p>Error 404</p>", false},
      {"404 before the title", "<!-- 404 --><title>Not Found</title>", false},
      {"title never closed", "<html><head><title>404 Not Found", false},
      {"head before html", "<head><html><title>Page</title>", false},
      {"title before head", "<html><title>Page</title><head>", false},
      {"html tag with attributes", "<html lang=\"en\"><head><title>Page</title>", false},
      {"plain text", "404 File Not Found", false},
      {"a description file", "[Update]\nVersion=2.0\nURL=http://host/404/setup.exe\n", false},
      {"empty", "", false},
      {"binary", kBinary, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.expected, IsHtmlErrorPage("", c.text));
  }
}

TEST(ErrorPage, OnlyTheFirst1000CharactersAreExamined) {
  const std::string page = "<title>404</title>";
  struct Case {
    size_t padding;
    bool expected;
  } cases[] = {
      {0, true},
      {kErrorPageWindow - page.size(), true},       // the closing tag ends on the last character
      {kErrorPageWindow - page.size() + 1, false},  // its last character is cut off
      {kErrorPageWindow, false},                    // the title starts after the window
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.padding);
    EXPECT_EQ(c.expected, IsHtmlErrorPage("", std::string(c.padding, ' ') + page));
  }
}

class ErrorPageFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) / ("errorpage_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  std::string Write(const std::string& name, const std::string& data) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary).write(data.data(), static_cast<std::streamsize>(data.size()));
    return path.string();
  }
  fs::path dir_;
};

const std::string kPage = "<HTML><HEAD><TITLE>Not Found</TITLE></HEAD></HTML>";

TEST_F(ErrorPageFile, AnExistingFileIsExaminedInsteadOfTheText) {
  struct Case {
    const char* what;
    std::string fileName;
    std::string text;
    bool expected;
  } cases[] = {
      {"page on disk, no text", Write("page.htm", kPage), "", true},
      {"page at the start of a large file", Write("large.exe", kPage + std::string(1 << 20, 'x')),
       "", true},
      {"binary file, page as text", Write("setup.exe", kBinary), kPage, false},
      {"empty file, page as text", Write("empty.exe", ""), kPage, false},
      {"page beyond the window", Write("late.htm", std::string(kErrorPageWindow, '\n') + kPage),
       "", false},
      {"missing file: the text counts", (dir_ / "missing.exe").string(), kPage, true},
      {"folder: the text counts", dir_.string(), kPage, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.expected, IsHtmlErrorPage(c.fileName, c.text));
  }
}

TEST_F(ErrorPageFile, MessageNamesTheUrlForAnErrorPageAndIsTheDefaultOtherwise) {
  const std::string url = "http://updates.example.com/app/setup.exe";
  const std::string notFound = "<B>404 File Not Found...</B><P><P>URL:  " + url +
                               ".<P><P>Please make sure the file is available and access is "
                               "allowed to this file.";
  struct Case {
    const char* what;
    std::string fileName;
    std::string text;
    std::string expected;
  } cases[] = {
      {"page on disk", Write("page.htm", kPage), "", notFound},
      {"page in memory", "", "<title>404</title>", notFound},
      {"binary file", Write("setup.exe", kBinary), "", "Bad Secret Token!"},
      {"nothing downloaded", "", "", "Bad Secret Token!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string message = "left over";
    ErrorPageMessage(c.fileName, c.text, url, message, "Bad Secret Token!");
    EXPECT_EQ(c.expected, message);
  }
}

TEST(ErrorPage, MessageMayBeTheStringPassedAsUrlOrDefault) {
  std::string text = "http://host/a.exe";
  ErrorPageMessage("", "<title>404</title>", text, text, "unused");
  EXPECT_EQ(0u, text.find("<B>404 File Not Found...</B><P><P>URL:  http://host/a.exe.<P><P>"));
  text = "Bad Secret Token!";
  ErrorPageMessage("", "MZ", "http://host/a.exe", text, text);
  EXPECT_EQ("Bad Secret Token!", text);
}

}  // namespace
