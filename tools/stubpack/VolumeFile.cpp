// This file must contain only truly operating-system independent code.
#include "VolumeFile.h"

#include <algorithm>

#include "pack/PackFormat.h"

namespace stubpack {

bool VolumeFile::Failed(std::string& error) const {
  error = "cannot write " + path_;
  return false;
}

bool VolumeFile::Create(const std::string& path, std::string& error) {
  path_ = path;
  size_ = 0;
  image_.clear();
  keepsImage_ = true;
  file_.open(path, std::ios::in | std::ios::out | std::ios::binary | std::ios::trunc);
  return file_.is_open() || Failed(error);
}

bool VolumeFile::Append(const std::string& bytes, std::string& error) {
  file_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file_) return Failed(error);
  size_ += bytes.size();
  keepsImage_ = keepsImage_ && size_ <= pack::kChecksumLimit;
  if (keepsImage_) {
    image_ += bytes;
  } else {
    image_.clear();
  }
  return true;
}

bool VolumeFile::AppendFill(uint64_t count, std::string& error) {
  std::string piece;
  for (uint64_t done = 0; done < count; done += piece.size()) {
    piece.resize(static_cast<size_t>(std::min<uint64_t>(count - done, 65536)));
    for (size_t i = 0; i < piece.size(); ++i) piece[i] = static_cast<char>((done + i) * 7 + 1);
    if (!Append(piece, error)) return false;
  }
  return true;
}

bool VolumeFile::Overwrite(uint64_t offset, const std::string& bytes, std::string& error) {
  if (offset + bytes.size() > size_) return Failed(error);
  file_.seekp(static_cast<std::streamoff>(offset));
  file_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file_.seekp(0, std::ios::end);
  if (!file_) return Failed(error);
  if (keepsImage_) image_.replace(static_cast<size_t>(offset), bytes.size(), bytes);
  return true;
}

bool VolumeFile::Close(std::string& error) {
  file_.flush();
  const bool ok = static_cast<bool>(file_);
  file_.close();
  return (ok && !file_.fail()) || Failed(error);
}

}  // namespace stubpack
