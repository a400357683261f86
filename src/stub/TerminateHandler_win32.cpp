// The default terminate handler of the C++ runtime prints the name of the uncaught exception,
// and brings a whole demangler into the program for that. A windowed stub has nobody to print
// to, so it simply ends; this keeps stub.exe about 75 KB smaller.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
