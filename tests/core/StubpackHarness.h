// Test harness of stubpack: a scratch folder per test, whole files, and stubpack's command line
// called in-process.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "StubpackCli.h"
#include "sys/Host.h"

namespace stubpacktest {

namespace fs = std::filesystem;

// A folder of its own for each test, removed afterwards.
class Scratch {
 public:
  Scratch() {
    static std::atomic<int> counter{0};
    dir_ = fs::temp_directory_path() /
           ("stubpack_test_" + std::to_string(sys::ProcessId()) + "_" + std::to_string(counter++));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    const fs::path path = dir_ / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

 private:
  fs::path dir_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct CliResult {
  int code = -1;
  std::string out, err;
};

inline CliResult Stubpack(std::vector<std::string> args) {
  args.insert(args.begin(), "stubpack");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  CliResult result;
  result.code =
      stubpack::StubpackMain(static_cast<int>(argv.size()), argv.data(), result.out, result.err);
  return result;
}

// Data that deflate cannot shrink.
inline std::string RandomBytes(size_t n, uint32_t seed) {
  std::string bytes(n, '\0');
  for (char& c : bytes) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 16);
  }
  return bytes;
}

}  // namespace stubpacktest
