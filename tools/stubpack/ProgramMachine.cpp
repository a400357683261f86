// This file must contain only truly operating-system independent code.
#include "ProgramMachine.h"

#include "Printable.h"
#include "pack/PackFormat.h"

namespace stubpack {

uint16_t ReadProgramMachine(const pack::ByteSource& file) {
  // The COFF header follows the 4-byte "PE\0\0" signature; its first word is the machine.
  uint8_t raw[2];
  if (!file.ReadAt(pack::kPEHeaderOffset + 4, raw, 2)) return 0;
  return static_cast<uint16_t>(raw[0] | raw[1] << 8);
}

std::string MachineName(uint16_t machine) {
  switch (machine) {
    case kMachineX86: return "x86 (32-bit)";
    case kMachineX64: return "x64 (64-bit)";
    default: return "machine " + Hex16(machine);
  }
}

}  // namespace stubpack
