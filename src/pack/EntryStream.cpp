// This file must contain only truly operating-system independent code.
#include "pack/EntryStream.h"

#include <zlib.h>

#include <cstring>
#include <vector>

namespace pack {

bool EntrySplitter::Text(const char* data, size_t n) {
  if (inData_) return n == 0 || handler_.Data(data, n);
  const void* zero = std::memchr(data, 0, n);
  const size_t head = zero ? static_cast<size_t>(static_cast<const char*>(zero) - data) : n;
  if (nameList_.size() + head > kMaxNameList) return false;
  nameList_.append(data, head);
  if (!zero) return true;
  inData_ = true;
  if (!handler_.NameList(nameList_)) return false;
  return Text(data + head + 1, n - head - 1);
}

bool EntrySplitter::Finish() {
  if (!inData_) {
    inData_ = true;
    if (!handler_.NameList(nameList_)) return false;
  }
  return handler_.End();
}

namespace {

// Output is handed on in steps of this size.
constexpr size_t kOutputStep = 262144;

// zlib leaves its message empty for some results; the number still tells what went wrong.
std::string ResultText(int result) { return "zlib error " + std::to_string(result); }

}  // namespace

struct BlockInflater::Stream {
  z_stream z{};
};

BlockInflater::BlockInflater(std::vector<char>& output) : stream_(new Stream), output_(output) {
  if (output_.size() < kOutputStep) output_.resize(kOutputStep);
  if (inflateInit(&stream_->z) != Z_OK) error_ = "inflateInit failed";
}

BlockInflater::~BlockInflater() { inflateEnd(&stream_->z); }

BlockInflater::Fed BlockInflater::Feed(const uint8_t* data, size_t n, EntrySplitter& out) {
  if (!error_.empty()) return Fed::kDamaged;
  z_stream& z = stream_->z;
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = static_cast<uInt>(n);
  // Go on while input is left or the last call filled the whole output buffer.
  bool full = false;
  while (!ended_ && (z.avail_in > 0 || full)) {
    z.next_out = reinterpret_cast<Bytef*>(output_.data());
    z.avail_out = static_cast<uInt>(output_.size());
    const int result = inflate(&z, Z_NO_FLUSH);
    if (result == Z_BUF_ERROR) return Fed::kTaken;  // no progress possible: more input needed
    if (result < 0 || result == Z_NEED_DICT) {
      error_ = z.msg ? z.msg : ResultText(result);
      return Fed::kDamaged;
    }
    ended_ = result == Z_STREAM_END;
    const size_t produced = output_.size() - z.avail_out;
    full = z.avail_out == 0;
    if (!out.Text(output_.data(), produced)) return Fed::kRefused;
  }
  return Fed::kTaken;
}

}  // namespace pack
