// A volume file being written. It keeps an in-memory copy while the file is small enough to be
// checksummed, so that the checksum can be computed over the finished image without reading the
// file back, and it can overwrite bytes already written (the PackageEnd words, the checksum).
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace stubpack {

class VolumeFile {
 public:
  VolumeFile() = default;
  VolumeFile(const VolumeFile&) = delete;
  VolumeFile& operator=(const VolumeFile&) = delete;

  bool Create(const std::string& path, std::string& error);
  bool Append(const std::string& bytes, std::string& error);
  bool AppendFill(uint64_t count, std::string& error);  // a deterministic filler pattern
  bool Overwrite(uint64_t offset, const std::string& bytes, std::string& error);
  bool Close(std::string& error);

  const std::string& Path() const { return path_; }
  uint64_t Size() const { return size_; }
  // The whole file so far, or null once it has grown past the checksum limit.
  const std::string* SmallImage() const { return keepsImage_ ? &image_ : nullptr; }

 private:
  bool Failed(std::string& error) const;

  std::fstream file_;
  std::string path_;
  uint64_t size_ = 0;
  std::string image_;
  bool keepsImage_ = true;
};

}  // namespace stubpack
