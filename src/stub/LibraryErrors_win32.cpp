// The errors that the C++ library raises itself (a position past the end of a string, a length
// beyond max_size, an empty std::function called), for stub.exe only.
//
// The library's own versions throw std::out_of_range and its kin, whose constructors keep the
// message in the library's older string implementation: linking them brings that whole second
// std::string into the stub, about 50 KB. Nothing in the stub catches these types by name; the
// one handler that catches library errors, the message dispatch of a wait, catches
// std::exception and logs what(). So an error of the same family with the same message does
// the same there, and anywhere else it ends the program as before.
// This file must contain only Win32 code.
#include <exception>
#include <functional>
#include <new>
#include <typeinfo>

namespace {

// The message is the library's literal text (for the formatted kind: its format).
class LibraryError final : public std::exception {
 public:
  explicit LibraryError(const char* message) noexcept : message_(message) {}
  const char* what() const noexcept override { return message_; }

 private:
  const char* message_;
};

}  // namespace

namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* message) { throw LibraryError(message); }
void __throw_domain_error(const char* message) { throw LibraryError(message); }
void __throw_invalid_argument(const char* message) { throw LibraryError(message); }
void __throw_length_error(const char* message) { throw LibraryError(message); }
void __throw_out_of_range(const char* message) { throw LibraryError(message); }
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryError(format); }
void __throw_runtime_error(const char* message) { throw LibraryError(message); }
void __throw_range_error(const char* message) { throw LibraryError(message); }
void __throw_overflow_error(const char* message) { throw LibraryError(message); }
void __throw_underflow_error(const char* message) { throw LibraryError(message); }

}  // namespace std
