// Volume queries: free space, and ejecting a CD before the next disk is asked for.
// This file must contain only Win32 code.
#include "sys/DrivePaths.h"
#include "sys/Files.h"
#include "sys/KoDebug.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace sys {
namespace {

using FreeSpaceExQuery = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// The extended query is missing from the oldest systems; looked up once per process.
FreeSpaceExQuery ExtendedFreeSpaceQuery() {
  static const FreeSpaceExQuery query = reinterpret_cast<FreeSpaceExQuery>(
      reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"),
                                                    "GetDiskFreeSpaceExA")));
  return query;
}

// Free bytes available to the caller; false when the query fails.
bool QueryFreeBytes(FreeSpaceExQuery query, const std::string& path, double& freeBytes) {
  ULARGE_INTEGER available{}, total{}, totalFree{};
  if (!query(path.c_str(), &available, &total, &totalFree)) return false;
  freeBytes = static_cast<double>(available.QuadPart);
  return true;
}

double ClusterFreeBytes(const std::string& root) {
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!::GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters))
    return -1.0;
  return static_cast<double>(sectorsPerCluster) * bytesPerSector * freeClusters;
}

constexpr DWORD kEjectMedia = 0x2D4808;  // IOCTL_STORAGE_EJECT_MEDIA

HANDLE OpenDevice(const std::string& device, DWORD access) {
  return ::CreateFileA(device.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

void LogDeviceOpen(const char* label, const std::string& device, HANDLE handle) {
  kodebug::ConsoleLine(label + device + " " + std::to_string(reinterpret_cast<intptr_t>(handle)));
}

}  // namespace

double DiskFree(const std::string& path) {
  const std::string root = DriveRootOf(path);
  if (root.empty()) return -1.0;
  FreeSpaceExQuery query = ExtendedFreeSpaceQuery();
  if (!query) return ClusterFreeBytes(root);
  double freeBytes = -1.0;
  if (QueryFreeBytes(query, FreeSpaceQueryPath(path), freeBytes)) return freeBytes;
  if (QueryFreeBytes(query, root, freeBytes)) return freeBytes;
  return -1.0;
}

bool EjectCD(const std::string& path) {
  const char letter = DriveLetterOf(path);
  if (letter == 0 || ::GetDriveTypeA(DriveRootOf(path).c_str()) != DRIVE_CDROM) return false;
  const std::string device = DriveDeviceName(letter);
  ScopedFileHandle drive(OpenDevice(device, GENERIC_READ | GENERIC_WRITE));
  LogDeviceOpen("EjectCD-2: ", device, drive.Get());
  if (!drive) {
    drive.Reset(OpenDevice(device, GENERIC_READ));
    LogDeviceOpen("EjectCD-3: ", device, drive.Get());
  }
  if (!drive) return false;
  DWORD returned = 0;
  const BOOL ejected =
      ::DeviceIoControl(drive.Get(), kEjectMedia, nullptr, 0, nullptr, 0, &returned, nullptr);
  return ejected != 0;
}

}  // namespace sys
