// An uncaught exception ends the program at once. Replacing libstdc++'s verbose
// handler keeps its demangler and formatted printing out of the binaries, about
// 60 KiB each: a window program has no console to print the message on anyway.
#include <cstdlib>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif
