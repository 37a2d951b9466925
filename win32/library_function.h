// Functions looked up in a system library at run time: those newer than
// Windows 7, and those of a library loaded only when it is needed.
#pragma once

#include <windows.h>

#include <string>

namespace rongxi::win32 {

using LoadLibraryExFunction = HMODULE(WINAPI*)(LPCWSTR, HANDLE, DWORD);

// A library from System32 and nowhere else, or null where it is missing.
// Windows 7 without its loader update (KB2533623) refuses the System32 flag:
// there the library is loaded by its full path. `load` is the system's
// loader but in tests.
inline HMODULE LoadSystemLibrary(const wchar_t* name,
                                 LoadLibraryExFunction load = &LoadLibraryExW) {
    HMODULE library = load(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (library != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return library;
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    path.resize(length);
    path += L'\\';
    path += name;
    return load(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// `name` in `library`, or null where either is missing.
template <typename Function>
Function LibraryFunction(HMODULE library, const char* name) {
    if (library == nullptr) return nullptr;
    // Through a generic function pointer, as GetProcAddress means it.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace rongxi::win32
