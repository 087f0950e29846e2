// The C++ runtime's error exits, defined here so that the linker takes these
// instead of libstdc++'s: its versions pull in the demangler, the copy-on-write
// string and the exception classes' texts, 100 KB of a 250 KB program.
#include <cstdlib>
#include <exception>
#include <new>

// The default prints the exception's demangled type on stderr, which a GUI
// program has not; the program ends the same way without the text.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// Containers report misuse and impossible sizes through these. Only allocation
// failures are ever caught (the mail service's bad_alloc), so they stay
// exceptions; the others could only end in std::terminate, and end there now.
// Code that comes to need another of them makes the link fail on a second
// definition of these: add that one here.
namespace std {
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_length_error(const char*) { terminate(); }
void __throw_logic_error(const char*) { terminate(); }
void __throw_out_of_range_fmt(const char*, ...) { terminate(); }
}  // namespace std
