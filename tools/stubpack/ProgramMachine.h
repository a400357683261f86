// The processor a program file is built for, from the machine word of its PE header (which a
// stub keeps at offset 256): stubpack builds packages on either stub, and says which it used.
#pragma once

#include <cstdint>
#include <string>

#include "pack/ByteSource.h"

namespace stubpack {

constexpr uint16_t kMachineX86 = 0x014C;
constexpr uint16_t kMachineX64 = 0x8664;

// The machine word of a program file whose "PE" stands at 256, or 0 when it cannot be read.
uint16_t ReadProgramMachine(const pack::ByteSource& file);

// "x86 (32-bit)", "x64 (64-bit)", or "machine 0x01C4" for any other processor.
std::string MachineName(uint16_t machine);

}  // namespace stubpack
