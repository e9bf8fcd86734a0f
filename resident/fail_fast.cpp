// The program is built without exceptions. Memory that cannot be had, and the standard library's
// own checks that would otherwise throw (a string or vector beyond its largest size, an empty
// std::function called), end the process at once with a message instead: no code of the program
// relies on catching them, and nothing may unwind through the system's window procedures.
//
// Replacing the global allocation functions is standard C++. With GNU's library the functions
// that would throw are replaced as well, so that none of its exception machinery (and the
// unwinder, the demangler and the rest it pulls in) is linked into the executable.
#include <windows.h>

#include <cstddef>
#include <cstdlib>
#include <new>
#include <string>

namespace {

[[noreturn]] void FailFast(const wchar_t* what) {
    FatalAppExitW(0, what);  // shows the text and ends the process
    ExitProcess(3);
}

[[noreturn]] void OutOfMemory() { FailFast(L"ZARV: メモリが足りません。"); }

[[noreturn]] void LibraryError() { FailFast(L"ZARV: 内部エラーのため終了します。"); }

void* Allocate(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1)) return p;
    OutOfMemory();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

#if defined(__GLIBCXX__)
// GNU's library calls these where it would throw; its own definitions throw. All of them are
// replaced: the library keeps them in one object file, which must not be linked at all.
namespace std {
void __throw_bad_alloc() { OutOfMemory(); }
void __throw_bad_array_new_length() { OutOfMemory(); }
void __throw_length_error(const char*) { OutOfMemory(); }
void __throw_bad_exception() { LibraryError(); }
void __throw_bad_cast() { LibraryError(); }
void __throw_bad_typeid() { LibraryError(); }
void __throw_logic_error(const char*) { LibraryError(); }
void __throw_domain_error(const char*) { LibraryError(); }
void __throw_invalid_argument(const char*) { LibraryError(); }
void __throw_out_of_range(const char*) { LibraryError(); }
void __throw_out_of_range_fmt(const char*, ...) { LibraryError(); }
void __throw_runtime_error(const char*) { LibraryError(); }
void __throw_range_error(const char*) { LibraryError(); }
void __throw_overflow_error(const char*) { LibraryError(); }
void __throw_underflow_error(const char*) { LibraryError(); }
void __throw_ios_failure(const char*) { LibraryError(); }
void __throw_ios_failure(const char*, int) { LibraryError(); }
void __throw_system_error(int) { LibraryError(); }
void __throw_future_error(int) { LibraryError(); }
void __throw_bad_function_call() { LibraryError(); }
}  // namespace std
#endif
