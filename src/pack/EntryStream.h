// The body of one block of the entry stream, taken in pieces as it is read from the volume: the
// zlib inflater for compressed bodies and the splitter that cuts the entry text at its first
// byte 0 into the name list and the file data. Pieces flow straight through, so an entry of any
// size needs only a bounded amount of memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pack {

// Receives the parts of one entry text. A false result stops the block: the package is damaged.
class EntryTextHandler {
 public:
  virtual ~EntryTextHandler() = default;
  // The whole name list, once, before any data. Empty: the entry is skipped.
  virtual bool NameList(const std::string& nameList) = 0;
  virtual bool Data(const char* data, size_t n) = 0;
  // After the last byte of the entry text.
  virtual bool End() = 0;
};

// Longest name list accepted; real ones hold a file name and a date.
constexpr size_t kMaxNameList = 32768;

class EntrySplitter {
 public:
  explicit EntrySplitter(EntryTextHandler& handler) : handler_(handler) {}
  // One more piece of the entry text; false when the handler refused or the name list is too long.
  bool Text(const char* data, size_t n);
  // The entry text is complete (without a byte 0 the whole text is the name list).
  bool Finish();

 private:
  EntryTextHandler& handler_;
  std::string nameList_;
  bool inData_ = false;
};

// Inflates a zlib stream fed in pieces and hands the output to a splitter, through output, a
// buffer that the caller keeps from block to block: a fresh quarter mebibyte for every block
// would be taken from the system and cleared each time.
class BlockInflater {
 public:
  explicit BlockInflater(std::vector<char>& output);
  ~BlockInflater();
  BlockInflater(const BlockInflater&) = delete;
  BlockInflater& operator=(const BlockInflater&) = delete;

  enum class Fed {
    kTaken,    // the splitter took all output so far
    kRefused,  // the splitter refused the output
    kDamaged,  // zlib reports the stream as damaged: ZlibError() says how
  };
  // Bytes after the end of the stream are ignored.
  Fed Feed(const uint8_t* data, size_t n, EntrySplitter& out);
  // Whether the stream reached its end; a body that is exhausted before is cut short.
  bool Ended() const { return ended_; }
  // zlib's message for a damaged stream (its result number where zlib gives none).
  const std::string& ZlibError() const { return error_; }

 private:
  struct Stream;
  std::unique_ptr<Stream> stream_;
  std::vector<char>& output_;
  bool ended_ = false;
  std::string error_;
};

}  // namespace pack
