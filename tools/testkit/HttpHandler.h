// A handler for "http" addresses in the test prefix's registry: the test program itself, started
// by the shell with the address, writes the address down and ends. Tests see which address a
// program opened without a browser.
#pragma once

#include <string>

namespace testkit {

// For the life of the scope, "http" addresses open in the recording handler, which appends each
// address, unquoted, as one line to recordFile; the handler registered before comes back after.
class HttpHandlerScope {
 public:
  explicit HttpHandlerScope(const std::string& recordFile);
  ~HttpHandlerScope();
  HttpHandlerScope(const HttpHandlerScope&) = delete;
  HttpHandlerScope& operator=(const HttpHandlerScope&) = delete;
  bool ok() const { return ok_; }

 private:
  bool had_ = false;
  bool ok_ = false;
  std::string previous_;
};

}  // namespace testkit
