// 64-bit size and position of a file already open, for files beyond 4 GiB.
// This file must contain only Win32 code.
#pragma once

#include <cstdint>

#include "sys/Platform.h"

namespace sys {

enum class SeekOrigin { Begin, Current, End };

// The system's 64-bit size of the open file; 0 when the query fails.
uint64_t FileSize64(HANDLE file);

// Moves the file position by distance from origin; the new position, or -1 on failure.
int64_t FileSeek64(HANDLE file, int64_t distance, SeekOrigin origin);

}  // namespace sys
