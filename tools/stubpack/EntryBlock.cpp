// This file must contain only truly operating-system independent code.
#include "EntryBlock.h"

#include <zlib.h>

#include "pack/PackFormat.h"

namespace stubpack {
namespace {

std::string LengthWord(int32_t length) {
  uint8_t raw[4];
  pack::WriteLE32(raw, static_cast<uint32_t>(length));
  return std::string(reinterpret_cast<const char*>(raw), 4);
}

bool Deflate(const std::string& text, int level, std::string& body, std::string& error) {
  uLongf size = compressBound(static_cast<uLong>(text.size()));
  body.resize(size);
  const int rc = compress2(reinterpret_cast<Bytef*>(&body[0]), &size,
                           reinterpret_cast<const Bytef*>(text.data()),
                           static_cast<uLong>(text.size()), level);
  if (rc != Z_OK) {
    error = std::string("zlib cannot compress an entry: ") + zError(rc);
    return false;
  }
  body.resize(size);
  return true;
}

}  // namespace

std::string EntryNameList(const PackFile& file, uint32_t dosDate) {
  std::string item0 = file.target;
  if (file.isRun) item0 += "*" + file.runParams;
  return "|" + item0 + "|" + std::to_string(dosDate) + "|";
}

bool EncodeEntryBlock(const std::string& nameList, const char* data, size_t size,
                      Compression compression, int level, EntryBlock& block, std::string& error) {
  std::string text = nameList;
  text += '\0';
  text.append(data, size);
  if (text.size() > INT32_MAX) {
    error = "an entry of " + std::to_string(text.size()) + " bytes does not fit one block";
    return false;
  }
  std::string body;
  if (compression != Compression::Store && !Deflate(text, level, body, error)) return false;
  // A zlib body that saves nothing is not worth the inflating.
  block.zlib = compression == Compression::Zlib ||
               (compression == Compression::Auto && body.size() < text.size());
  if (block.zlib) {
    block.bytes = LengthWord(static_cast<int32_t>(body.size())) + body;
  } else {
    block.bytes = LengthWord(-static_cast<int32_t>(text.size())) + text;
  }
  return true;
}

}  // namespace stubpack
