// This file must contain only truly operating-system independent code.
#include "EntryTextReader.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

namespace stubpack {
namespace {

constexpr size_t kPiece = 64u << 10;

// Splits the entry text at its first byte 0 while it streams past.
class EntryTextSink {
 public:
  explicit EntryTextSink(EntryText& text) : text_(text) { text_ = EntryText{}; }

  bool Add(const uint8_t* bytes, size_t n, std::string& error) {
    total_ += n;
    if (total_ > kMaxEntryText) {
      error = "entry text is longer than " + std::to_string(kMaxEntryText) + " bytes";
      return false;
    }
    if (n > 0) text_.empty = false;
    if (!nameListDone_) {
      const uint8_t* zero = std::find(bytes, bytes + n, 0);
      text_.nameList.append(reinterpret_cast<const char*>(bytes),
                            static_cast<size_t>(zero - bytes));
      if (text_.nameList.size() > kMaxNameList) {
        error = "entry name list is longer than " + std::to_string(kMaxNameList) + " bytes";
        return false;
      }
      if (zero == bytes + n) return true;
      nameListDone_ = true;
      n -= static_cast<size_t>(zero + 1 - bytes);
      bytes = zero + 1;
    }
    text_.dataSize += n;
    text_.dataCrc = static_cast<uint32_t>(crc32(text_.dataCrc, bytes, static_cast<uInt>(n)));
    return true;
  }

  bool Finish(std::string& error) const {
    if (nameListDone_ || text_.empty) return true;
    error = "entry text has no byte 0 after its name list";
    return false;
  }

 private:
  EntryText& text_;
  uint64_t total_ = 0;
  bool nameListDone_ = false;
};

// Owns an inflate stream for the length of one block.
class Inflater {
 public:
  Inflater() { ok_ = inflateInit(&stream_) == Z_OK; }
  ~Inflater() {
    if (ok_) inflateEnd(&stream_);
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  bool ok() const { return ok_; }
  bool ended() const { return ended_; }

  // Inflates all of input into sink. After the stream's end no input may be left.
  bool Feed(const uint8_t* input, size_t n, EntryTextSink& sink, std::string& error) {
    if (ended_ && n > 0) return LeftOver(error);
    stream_.next_in = const_cast<Bytef*>(input);
    stream_.avail_in = static_cast<uInt>(n);
    // A full output piece may leave more output pending even when all input is taken.
    do {
      stream_.next_out = out_.data();
      stream_.avail_out = static_cast<uInt>(out_.size());
      const int rc = inflate(&stream_, Z_NO_FLUSH);
      if (rc == Z_BUF_ERROR) break;  // no progress possible: it needs more input
      if (rc != Z_OK && rc != Z_STREAM_END) return ZlibFailed(rc, error);
      ended_ = rc == Z_STREAM_END;
      if (!sink.Add(out_.data(), out_.size() - stream_.avail_out, error)) return false;
    } while (!ended_ && (stream_.avail_in > 0 || stream_.avail_out == 0));
    return stream_.avail_in == 0 || LeftOver(error);
  }

 private:
  bool ZlibFailed(int rc, std::string& error) const {
    error =
        std::string("damaged zlib stream: ") + (stream_.msg != nullptr ? stream_.msg : zError(rc));
    return false;
  }
  static bool LeftOver(std::string& error) {
    error = "zlib stream ends before its block does";
    return false;
  }

  z_stream stream_{};
  std::vector<uint8_t> out_ = std::vector<uint8_t>(kPiece);
  bool ok_ = false;
  bool ended_ = false;
};

}  // namespace

bool ReadEntryText(const pack::ByteSource& file, uint64_t offset, uint64_t bodySize, bool zlib,
                   EntryText& text, std::string& error) {
  EntryTextSink sink(text);
  Inflater inflater;
  if (zlib && !inflater.ok()) {
    error = "zlib cannot start inflating";
    return false;
  }
  std::vector<uint8_t> piece(kPiece);
  for (uint64_t done = 0; done < bodySize;) {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(kPiece, bodySize - done));
    if (!file.ReadAt(offset + done, piece.data(), n)) {
      error =
          "cannot read " + std::to_string(n) + " bytes at offset " + std::to_string(offset + done);
      return false;
    }
    const bool fed =
        zlib ? inflater.Feed(piece.data(), n, sink, error) : sink.Add(piece.data(), n, error);
    if (!fed) return false;
    done += n;
  }
  if (zlib && !inflater.ended()) {
    error = "zlib stream is cut short";
    return false;
  }
  return sink.Finish(error);
}

}  // namespace stubpack
