// Functions looked up in a system library at run time: those newer than
// Windows 7, and those of a library loaded only when it is needed.
#pragma once

#include <windows.h>

namespace rongxi::win32 {

// `name` in `library`, or null where either is missing.
template <typename Function>
Function LibraryFunction(HMODULE library, const char* name) {
    if (library == nullptr) return nullptr;
    // Through a generic function pointer, as GetProcAddress means it.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace rongxi::win32
