// The errors that the C++ library raises itself (a position past the end of a string, a length
// beyond max_size, an empty std::function called, the heap exhausted), for stub.exe only.
//
// stub.exe is built without exceptions: every routine reports its failures through its result,
// and without them the program carries no unwind and handler tables and no unwinder. The
// library's own versions of these functions throw, and would bring all that back, and with
// std::out_of_range and its kin the library's older string implementation too. Each of these
// errors is a fault of the program or an exhausted heap, which nothing in the stub can mend: the
// error is written to the debug output, in the form of the other error lines, and the program
// ends, as it did when such an error went uncaught.
// This file must contain only Win32 code.
#include <cstdlib>
#include <cstring>
#include <new>

#include "sys/Platform.h"

namespace {

// Nothing here may take memory from the heap: the heap may be what failed.
[[noreturn]] void EndWithLibraryError(const char* message) {
  char line[192] = " --- C++ library --- ";
  std::strncat(line, message, sizeof line - std::strlen(line) - 1);
  ::OutputDebugStringA(line);
  std::abort();
}

}  // namespace

namespace std {

void __throw_bad_exception() { EndWithLibraryError("std::bad_exception"); }
void __throw_bad_alloc() { EndWithLibraryError("std::bad_alloc"); }
void __throw_bad_array_new_length() { EndWithLibraryError("std::bad_array_new_length"); }
void __throw_bad_cast() { EndWithLibraryError("std::bad_cast"); }
void __throw_bad_typeid() { EndWithLibraryError("std::bad_typeid"); }
void __throw_bad_function_call() { EndWithLibraryError("std::bad_function_call"); }
void __throw_logic_error(const char* message) { EndWithLibraryError(message); }
void __throw_domain_error(const char* message) { EndWithLibraryError(message); }
void __throw_invalid_argument(const char* message) { EndWithLibraryError(message); }
void __throw_length_error(const char* message) { EndWithLibraryError(message); }
void __throw_out_of_range(const char* message) { EndWithLibraryError(message); }
// The message is the format itself: formatting it could need the heap.
void __throw_out_of_range_fmt(const char* format, ...) { EndWithLibraryError(format); }
void __throw_runtime_error(const char* message) { EndWithLibraryError(message); }
void __throw_range_error(const char* message) { EndWithLibraryError(message); }
void __throw_overflow_error(const char* message) { EndWithLibraryError(message); }
void __throw_underflow_error(const char* message) { EndWithLibraryError(message); }

}  // namespace std

// The library's operator new throws std::bad_alloc when the heap is exhausted; the arrays' new
// and every delete of the library come down to this one and to free().
void* operator new(std::size_t size) {
  if (void* block = std::malloc(size != 0 ? size : 1)) return block;
  EndWithLibraryError("std::bad_alloc");
}
