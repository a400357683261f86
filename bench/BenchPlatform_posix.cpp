// Plain POSIX files for the extraction: "\" in the extraction's paths becomes "/".
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "BenchPlatform.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

std::string Slashes(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

class StdioTarget final : public pack::UnPackTargetFile {
 public:
  explicit StdioTarget(std::FILE* file) : file_(file) {}
  ~StdioTarget() override { std::fclose(file_); }
  bool Write(const void* data, size_t n) override { return std::fwrite(data, 1, n, file_) == n; }
  void Close(uint32_t) override {}  // dates play no part in the timings

 private:
  std::FILE* file_;
};

class PosixFileHost final : public pack::UnPackHost {
 public:
  bool FileExists(const std::string& path) override { return fs::is_regular_file(Slashes(path)); }
  std::unique_ptr<pack::ByteSource> OpenRead(const std::string& path) override {
    std::unique_ptr<pack::FileSource> file(new pack::FileSource(Slashes(path)));
    if (!file->IsOpen()) return nullptr;
    return file;
  }
  bool CreateFolders(const std::string& path) override {
    std::error_code ec;
    fs::create_directories(Slashes(path), ec);
    return fs::is_directory(Slashes(path));
  }
  std::unique_ptr<pack::UnPackTargetFile> CreateNew(const std::string& path) override {
    std::FILE* file = std::fopen(Slashes(path).c_str(), "wbx");  // fails on an existing name
    if (!file) return nullptr;
    return std::unique_ptr<pack::UnPackTargetFile>(new StdioTarget(file));
  }
  std::unique_ptr<pack::UnPackTargetFile> OpenAppend(const std::string& path) override {
    std::FILE* file = std::fopen(Slashes(path).c_str(), "ab");
    if (!file) return nullptr;
    return std::unique_ptr<pack::UnPackTargetFile>(new StdioTarget(file));
  }
  bool WriteNewFile(const std::string& path, const std::string& data, uint32_t) override {
    std::FILE* file = std::fopen(Slashes(path).c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    return std::fclose(file) == 0 && ok;
  }
  uint32_t FileDate(const std::string&) override { return 0; }
  uint64_t FileSize(const std::string& path) override {
    std::error_code ec;
    const auto size = fs::file_size(Slashes(path), ec);
    return ec ? 0 : size;
  }
  double FreeBytes(const std::string&) override { return -1; }
  std::string LastErrorText() override { return "write failed"; }
  sys::LeadBytePredicate NameLeadBytes() override { return nullptr; }  // names read byte by byte
  void Pump() override {}
  // No window to keep alive: the fixed waits are counted, not waited for.
  void DelayPumping(uint32_t ms) override { PacingMs() += ms; }
  void ErrorBox(const std::string& text, int, const std::string&) override {
    std::fprintf(stderr, "error box: %s\n", text.c_str());
  }
  bool ConfirmOkCancel(const std::string&, const std::string&, int, const std::string&) override {
    return false;
  }
  void EjectCD(const std::string&) override {}
  void RegisterQueryCancelAutoPlay() override {}
  void Log(const std::string&) override {}
  uint64_t Milliseconds() override { return static_cast<uint64_t>(SecondsNow() * 1000); }
};

}  // namespace

uint64_t& PacingMs() {
  static uint64_t ms = 0;
  return ms;
}

std::unique_ptr<pack::UnPackHost> MakeFileHost() {
  return std::unique_ptr<pack::UnPackHost>(new PosixFileHost);
}

std::string NativePath(const std::string& path) { return path; }

std::string DispatchReport() { return std::string(); }  // no window here

uint64_t PeakMemoryBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<uint64_t>(usage.ru_maxrss) * 1024;  // Linux counts kilobytes
}

double SecondsNow() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace bench
