// Extraction speed and memory, run on demand (bench/run-extract runs every step natively and
// under Wine):
//   extract_bench corpus DIR MIB      mixed input of MIB mebibytes packed by stubpack in 1 MiB
//                                     entries into DIR/mixedMIB.pkg
//   extract_bench zeros DIR MIB       one entry of MIB mebibytes of zeros in DIR/zerosMIB.pkg
//   extract_bench throughput PKG OUT  the extraction against plain zlib inflate of the same
//                                     streams into the same folder, best of five each
//   extract_bench peak PKG OUT        one extraction; the process's peak memory
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchPlatform.h"
#include "EntryBlock.h"
#include "HeaderStrings.h"
#include "PackWriter.h"
#include "pack/PackFormat.h"
#include "pack/UnPack.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMiB = 1u << 20;
constexpr size_t kFileSize = 4 * kMiB;
// Each side runs this often, in turns; the best time counts, so that other load matters less.
constexpr int kRounds = 5;

int Fail(const std::string& what) {
  std::fprintf(stderr, "extract_bench: %s\n", what.c_str());
  return 1;
}

// ---- corpus -----------------------------------------------------------------------------------

uint32_t NextRandom(uint32_t& seed) {
  seed = seed * 1103515245u + 12345u;
  return seed >> 8;
}

// Words of an English-like text: compresses about three to one.
std::string Text(size_t n, uint32_t seed) {
  static const char* const kWords[] = {"setup", "file", "the", "of", "volume", "package",
                                       "extract", "window", "agent", "update", "and", "a",
                                       "product", "install", "folder", "version", "to", "is"};
  std::string s;
  s.reserve(n + 16);
  while (s.size() < n) {
    s += kWords[NextRandom(seed) % (sizeof kWords / sizeof kWords[0])];
    s += NextRandom(seed) % 12 == 0 ? ".\r\n" : " ";
  }
  s.resize(n);
  return s;
}

// Stands for already-compressed data: deflate cannot shrink it, so it is stored.
std::string Noise(size_t n, uint32_t seed) {
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(NextRandom(seed));
  return s;
}

// Long runs of zeros with a few bytes between them, as in program images and databases.
std::string Sparse(size_t n, uint32_t seed) {
  std::string s(n, '\0');
  for (size_t at = 0; at < n; at += 4096 + NextRandom(seed) % 4096) s[at] = 'x';
  return s;
}

int MakeCorpus(const std::string& dir, size_t mib) {
  const std::string in = dir + "/mixed-input";
  fs::remove_all(in);
  fs::create_directories(in);
  stubpack::PackOptions options;
  options.outPath = dir + "/mixed" + std::to_string(mib) + ".pkg";
  options.level = 6;
  for (size_t i = 0; i < mib * kMiB / kFileSize; ++i) {
    const uint32_t seed = static_cast<uint32_t>(i + 1);
    const std::string data =
        i % 3 == 0 ? Text(kFileSize, seed) : i % 3 == 1 ? Noise(kFileSize, seed) : Sparse(kFileSize, seed);
    stubpack::PackFile file;
    file.source = in + "/f" + std::to_string(i) + ".bin";
    file.target = "f" + std::to_string(i) + ".bin";
    std::ofstream(file.source, std::ios::binary).write(data.data(), static_cast<std::streamsize>(data.size()));
    options.files.push_back(file);
  }
  stubpack::PackResult result;
  std::string error;
  if (!stubpack::WritePackage(options, result, error)) return Fail(error);
  fs::remove_all(in);
  std::printf("%s: %zu entries, %llu bytes\n", options.outPath.c_str(), result.entryCount,
              static_cast<unsigned long long>(fs::file_size(options.outPath)));
  return 0;
}

std::string Word(uint32_t value) {
  uint8_t raw[4];
  pack::WriteLE32(raw, value);
  return std::string(reinterpret_cast<const char*>(raw), 4);
}

// stubpack keeps entries small; this package holds one entry far larger, deflated as a stream.
int MakeZeros(const std::string& dir, size_t mib) {
  const std::string path = dir + "/zeros" + std::to_string(mib) + ".pkg";
  stubpack::PackOptions options;
  std::string header, error;
  if (!stubpack::SerializeHeaderStrings(options, header, error)) return Fail(error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << header << Word(0);  // the block's Length follows once known
  z_stream z{};
  deflateInit(&z, 9);
  std::string text = "|zeros.bin|0|";
  text += '\0';
  std::vector<unsigned char> zeros(kMiB), buffer(kMiB);
  uint64_t bodySize = 0;
  // Step 0 feeds the name list, steps 1 to mib a mebibyte of zeros each, the last one finishes.
  for (size_t i = 0; i <= mib + 1; ++i) {
    const bool first = i == 0, last = i == mib + 1;
    z.next_in = first ? reinterpret_cast<Bytef*>(&text[0]) : zeros.data();
    z.avail_in = first ? static_cast<uInt>(text.size()) : last ? 0 : static_cast<uInt>(kMiB);
    do {
      z.next_out = buffer.data();
      z.avail_out = static_cast<uInt>(buffer.size());
      deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
      const size_t n = buffer.size() - z.avail_out;
      out.write(reinterpret_cast<const char*>(buffer.data()), static_cast<std::streamsize>(n));
      bodySize += n;
    } while (z.avail_out == 0);
  }
  deflateEnd(&z);
  pack::TPackTrailer trailer;
  trailer.bytes[pack::at::Version] = options.version;
  trailer.SetWord(pack::at::PackageStart, 0);
  trailer.SetWord(pack::at::FilesCount, 1);
  trailer.SetWord(pack::at::Magic, pack::kMagic);
  trailer.SetWord(pack::at::VolumeChecksum, pack::kNoChecksum);
  trailer.SetWord(pack::at::TrailerSize, pack::kTrailerSize);
  out.write(reinterpret_cast<const char*>(trailer.bytes), sizeof trailer.bytes);
  out.seekp(static_cast<std::streamoff>(header.size()));
  out << Word(static_cast<uint32_t>(bodySize));
  out.close();
  std::printf("%s: %llu bytes\n", path.c_str(), static_cast<unsigned long long>(fs::file_size(path)));
  return out ? 0 : Fail("cannot write " + path);
}

// ---- plain zlib: the same blocks, inflated and written without the extraction -----------------

class PlainWriter {
 public:
  explicit PlainWriter(std::string dest) : dest_(std::move(dest)) {}
  ~PlainWriter() { Close(); }
  // The entry text arrives in pieces: name list, byte 0, data.
  void Text(const unsigned char* p, size_t n) {
    if (!file_ && inName_) {
      const unsigned char* zero = static_cast<const unsigned char*>(std::memchr(p, 0, n));
      const size_t nameBytes = zero ? static_cast<size_t>(zero - p) : n;
      name_.append(reinterpret_cast<const char*>(p), nameBytes);
      if (!zero) return;
      Open();
      p += nameBytes + 1;
      n -= nameBytes + 1;
    }
    if (file_) std::fwrite(p, 1, n, file_);
  }
  void EndEntry() {
    Close();
    name_.clear();
    inName_ = true;
  }

 private:
  void Open() {
    inName_ = false;
    const size_t end = name_.find('|', 1);
    const std::string target = name_.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    file_ = std::fopen((dest_ + "/" + target).c_str(), "ab");
  }
  void Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
  }
  std::string dest_, name_;
  bool inName_ = true;
  std::FILE* file_ = nullptr;
};

bool InflateBlock(const std::vector<unsigned char>& body, PlainWriter& writer,
                  std::vector<unsigned char>& out) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return false;
  z.next_in = const_cast<unsigned char*>(body.data());
  z.avail_in = static_cast<uInt>(body.size());
  int rc = Z_OK;
  while (rc == Z_OK) {
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    rc = inflate(&z, Z_NO_FLUSH);
    writer.Text(out.data(), out.size() - z.avail_out);
  }
  inflateEnd(&z);
  return rc == Z_STREAM_END;
}

bool PlainExtract(const std::string& package, const std::string& dest) {
  std::FILE* in = std::fopen(package.c_str(), "rb");
  if (!in) return false;
  pack::TPackTrailer trailer;
  std::fseek(in, -static_cast<long>(pack::kTrailerSize), SEEK_END);
  const long end = std::ftell(in);
  bool ok = std::fread(trailer.bytes, 1, sizeof trailer.bytes, in) == sizeof trailer.bytes;
  std::fseek(in, static_cast<long>(trailer.PackageStart()), SEEK_SET);
  fs::create_directories(dest);
  PlainWriter writer(dest);
  std::vector<unsigned char> body, out(256 * 1024);
  for (int block = 0; ok && std::ftell(in) < end; ++block) {
    unsigned char word[4];
    ok = std::fread(word, 1, 4, in) == 4;
    const int32_t length = static_cast<int32_t>(pack::ReadLE32(word));
    body.resize(length < 0 ? 0u - static_cast<uint32_t>(length) : static_cast<uint32_t>(length));
    ok = ok && std::fread(body.data(), 1, body.size(), in) == body.size();
    if (!ok || block < trailer.Version()) continue;
    if (length > 0)
      ok = InflateBlock(body, writer, out);
    else
      writer.Text(body.data(), body.size());
    writer.EndEntry();
  }
  std::fclose(in);
  return ok;
}

// ---- the extraction ---------------------------------------------------------------------------

bool StubExtract(const std::string& package, const std::string& dest) {
  std::unique_ptr<pack::UnPackHost> host = bench::MakeFileHost();
  uint32_t failedWrites = 0;
  pack::ExtractArgs args;
  args.PackagePath = package;
  args.DestFolder = dest;
  args.FailedWrites = &failedWrites;
  const pack::ExtractResult result = pack::ExtractPackage(*host, args);
  return result.Ok && !result.Damaged && failedWrites == 0;
}

double Timed(bool (*extract)(const std::string&, const std::string&), const std::string& package,
             const std::string& dest, bool& ok) {
  fs::remove_all(dest);
  const double start = bench::SecondsNow();
  ok = extract(package, dest) && ok;
  return bench::SecondsNow() - start;
}

uint64_t FolderBytes(const std::string& dir) {
  uint64_t n = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    if (entry.is_regular_file()) n += entry.file_size();
  return n;
}

int Throughput(const std::string& package, const std::string& dest) {
  double plain = 1e30, stub = 1e30;
  bool ok = true;
  uint64_t plainBytes = 0, stubBytes = 0;
  for (int round = 0; round < kRounds; ++round) {
    plain = std::min(plain, Timed(PlainExtract, package, dest, ok));
    plainBytes = FolderBytes(dest);
    stub = std::min(stub, Timed(StubExtract, package, dest, ok));
    stubBytes = FolderBytes(dest);
  }
  fs::remove_all(dest);
  if (!ok || plainBytes != stubBytes) return Fail("the two extractions disagree");
  const double mib = static_cast<double>(stubBytes) / kMiB;
  std::printf("output %.0f MiB: plain zlib %.3f s (%.0f MiB/s), extraction %.3f s (%.0f MiB/s)\n",
              mib, plain, mib / plain, stub, mib / stub);
  std::printf("throughput ratio extraction/plain zlib: %.3f (the extraction's fixed waits, %.1f s "
              "per run, are left out)\n",
              plain / stub, static_cast<double>(bench::PacingMs()) / 1000 / kRounds);
  const std::string dispatches = bench::DispatchReport();
  if (!dispatches.empty()) std::printf("window messages: %s\n", dispatches.c_str());
  return 0;
}

int Peak(const std::string& package, const std::string& dest) {
  fs::remove_all(dest);
  const uint64_t before = bench::PeakMemoryBytes();
  const bool ok = StubExtract(package, dest);
  const uint64_t out = FolderBytes(dest);
  fs::remove_all(dest);
  if (!ok) return Fail("extraction failed");
  std::printf("extracted %.0f MiB, peak memory %.1f MiB (%.1f MiB before the extraction)\n",
              static_cast<double>(out) / kMiB, static_cast<double>(bench::PeakMemoryBytes()) / kMiB,
              static_cast<double>(before) / kMiB);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (argc == 4 && mode == "corpus") return MakeCorpus(argv[2], std::strtoul(argv[3], nullptr, 10));
  if (argc == 4 && mode == "zeros") return MakeZeros(argv[2], std::strtoul(argv[3], nullptr, 10));
  if (argc == 4 && mode == "throughput")
    return Throughput(bench::NativePath(argv[2]), bench::NativePath(argv[3]));
  if (argc == 4 && mode == "peak") return Peak(bench::NativePath(argv[2]), bench::NativePath(argv[3]));
  return Fail("usage: extract_bench corpus|zeros DIR MIB | throughput|peak PACKAGE OUTDIR");
}
