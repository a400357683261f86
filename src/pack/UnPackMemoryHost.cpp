// This file must contain only truly operating-system independent code.
#include "pack/UnPackMemoryHost.h"

namespace pack {
namespace {

// The bytes of a file as they were when it was opened, so that later writes cannot move them.
class OwnedSource final : public ByteSource {
 public:
  explicit OwnedSource(std::string data) : data_(std::move(data)), view_(data_) {}
  bool Size(uint64_t& size) const override { return view_.Size(size); }
  bool ReadAt(uint64_t offset, void* buffer, size_t n) const override {
    return view_.ReadAt(offset, buffer, n);
  }

 private:
  std::string data_;
  MemorySource view_;
};

class MemoryTarget final : public UnPackTargetFile {
 public:
  MemoryTarget(UnPackMemoryHost& host, std::string path) : host_(host), path_(std::move(path)) {}
  bool Write(const void* data, size_t n) override {
    ok_ = host_.Append(path_, data, n) && ok_;
    return ok_;
  }
  void Close(uint32_t dosDate) override {
    if (ok_ && dosDate != 0) host_.files[path_].dosDate = dosDate;
  }

 private:
  UnPackMemoryHost& host_;
  std::string path_;
  bool ok_ = true;
};

}  // namespace

std::string UnPackMemoryHost::ParentOf(const std::string& path) const {
  // As the system splits it: a "\" after a lead byte is part of its character.
  size_t cut = std::string::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (leadBytes && leadBytes(static_cast<unsigned char>(path[i])))
      ++i;
    else if (path[i] == '\\')
      cut = i;
  }
  return cut == std::string::npos ? "" : path.substr(0, cut);
}

void UnPackMemoryHost::AddFile(const std::string& path, const std::string& data,
                               uint32_t dosDate) {
  File& file = files[path];
  file.data = data;
  file.size = data.size();
  file.dosDate = dosDate;
}

bool UnPackMemoryHost::FileExists(const std::string& path) { return files.count(path) != 0; }

std::unique_ptr<ByteSource> UnPackMemoryHost::OpenRead(const std::string& path) {
  const auto found = files.find(path);
  if (found == files.end()) return nullptr;
  return std::unique_ptr<ByteSource>(new OwnedSource(found->second.data));
}

bool UnPackMemoryHost::CreateFolders(const std::string& path) {
  if (path.empty() || failingFolders.count(path) != 0) {
    lastError_ = "The system cannot find the path specified.";
    return false;
  }
  for (std::string folder = path; !folder.empty(); folder = ParentOf(folder))
    folders.insert(folder);
  return true;
}

std::unique_ptr<UnPackTargetFile> UnPackMemoryHost::CreateNew(const std::string& path) {
  if (files.count(path) != 0 || folders.count(path) != 0) {
    lastError_ = "The file exists.";
    return nullptr;
  }
  return OpenAppend(path);
}

std::unique_ptr<UnPackTargetFile> UnPackMemoryHost::OpenAppend(const std::string& path) {
  if (folders.count(ParentOf(path)) == 0) {
    lastError_ = "The system cannot find the path specified.";
    return nullptr;
  }
  files[path];
  return std::unique_ptr<UnPackTargetFile>(new MemoryTarget(*this, path));
}

bool UnPackMemoryHost::Append(const std::string& path, const void* data, size_t n) {
  if (failingWrites.count(path) != 0 || n > writeLimit - written_) {
    lastError_ = "There is not enough space on the disk.";
    return false;
  }
  written_ += n;
  File& file = files[path];
  file.size += n;
  if (keepData) file.data.append(static_cast<const char*>(data), n);
  return true;
}

bool UnPackMemoryHost::WriteNewFile(const std::string& path, const std::string& data,
                                    uint32_t dosDate) {
  if (folders.count(ParentOf(path)) == 0 || failingWrites.count(path) != 0) return false;
  AddFile(path, keepData ? data : std::string(), dosDate);
  files[path].size = data.size();
  return true;
}

uint32_t UnPackMemoryHost::FileDate(const std::string& path) {
  const auto found = files.find(path);
  return found == files.end() ? 0 : found->second.dosDate;
}

uint64_t UnPackMemoryHost::FileSize(const std::string& path) {
  const auto found = files.find(path);
  return found == files.end() ? 0 : found->second.size;
}

double UnPackMemoryHost::FreeBytes(const std::string&) { return freeBytes; }

void UnPackMemoryHost::ErrorBox(const std::string& text, int, const std::string&) {
  errorBoxes.push_back(text);
}

bool UnPackMemoryHost::ConfirmOkCancel(const std::string& text, const std::string& caption, int,
                                       const std::string&) {
  prompts.push_back({text, caption});
  return answerPrompt && answerPrompt(static_cast<int>(prompts.size()) - 1);
}

}  // namespace pack
