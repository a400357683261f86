// A picture of a box as it stands on screen, for a person to look at (not compared by tests).
#include "BoxDriver.h"

#include <cstdio>
#include <vector>

#include "sys/ScopedHandle.h"

namespace testkit {
namespace {

constexpr int kBitsPerPixel = 24;

int RowBytes(int width) { return ((width * 3) + 3) & ~3; }

bool WriteBmp(const std::string& path, const BITMAPINFOHEADER& header, const void* bits) {
  const DWORD pixelBytes = static_cast<DWORD>(RowBytes(header.biWidth) * header.biHeight);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + pixelBytes;
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                  std::fwrite(&header, sizeof header, 1, out) == 1 &&
                  std::fwrite(bits, pixelBytes, 1, out) == 1;
  return std::fclose(out) == 0 && ok;
}

// Copies a screen area into a bottom-up 24-bit DIB.
bool CaptureScreen(const RECT& area, BITMAPINFOHEADER& header, std::vector<char>& pixels) {
  header = BITMAPINFOHEADER{};
  header.biSize = sizeof header;
  header.biWidth = area.right - area.left;
  header.biHeight = area.bottom - area.top;
  header.biPlanes = 1;
  header.biBitCount = kBitsPerPixel;
  header.biCompression = BI_RGB;
  if (header.biWidth <= 0 || header.biHeight <= 0) return false;
  const HDC screen = ::GetDC(nullptr);
  const sys::ScopedMemoryDc memory(::CreateCompatibleDC(screen));
  void* bits = nullptr;
  const sys::ScopedGdiObject bitmap(::CreateDIBSection(
      screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
  bool ok = false;
  if (memory && bitmap) {
    const HGDIOBJ old = ::SelectObject(memory.Get(), bitmap.Get());
    ok = ::BitBlt(memory.Get(), 0, 0, header.biWidth, header.biHeight, screen, area.left, area.top,
                  SRCCOPY) != 0;
    ::GdiFlush();
    if (ok) {
      const char* from = static_cast<const char*>(bits);
      pixels.assign(from, from + RowBytes(header.biWidth) * header.biHeight);
    }
    ::SelectObject(memory.Get(), old);
  }
  ::ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace

bool SaveBoxImage(HWND box, const std::string& bmpPath) {
  RECT frame{};
  if (!::GetWindowRect(box, &frame)) return false;
  BITMAPINFOHEADER header{};
  std::vector<char> pixels;
  return CaptureScreen(frame, header, pixels) && WriteBmp(bmpPath, header, pixels.data());
}

}  // namespace testkit
