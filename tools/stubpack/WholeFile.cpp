// This file must contain only truly operating-system independent code.
#include "WholeFile.h"

#include <fstream>
#include <iterator>

namespace stubpack {

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in && !in.bad()) return true;
  error = path + ": cannot read";
  return false;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (out) return true;
  error = path + ": cannot write";
  return false;
}

}  // namespace stubpack
