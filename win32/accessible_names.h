// Screen readers on Windows learn each control's name from an annotation
// kept by the system's accessibility layer (Microsoft Active Accessibility),
// the same Chinese names as the Linux window gives.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

namespace rongxi::win32 {

struct AccessibleName {
    HWND control;
    std::string_view name;  // UTF-8
};

// COM on this thread, from ole32.dll loaded for it. Only the annotations
// need COM, and a linked ole32.dll costs every start-up (about 10 ms under
// Wine), so it is loaded when they are first given and freed with the
// apartment.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // Creates an in-process object; fails where COM could not be started.
    HRESULT createInstance(REFCLSID type, REFIID kind, void** object) const;

private:
    using CoCreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    using CoUninitializeFunction = void(WINAPI*)();

    HMODULE ole32_ = nullptr;
    CoCreateInstanceFunction createInstance_ = nullptr;
    CoUninitializeFunction uninitialize_ = nullptr;  // set once COM has started
};

// Makes `control` a polite live region: screen readers (Narrator, NVDA) read
// its text out whenever it raises EVENT_OBJECT_LIVEREGIONCHANGED. Returns
// whether the annotation was given.
bool AnnotateLiveRegion(const ComApartment& com, HWND control);

// Annotates each control with its name. Accessibility is a service to the
// user, not a condition for running: where the system offers no annotation
// service the window works without it. Returns whether all were annotated.
bool AnnotateAccessibleNames(const ComApartment& com, std::span<const AccessibleName> names);

}  // namespace rongxi::win32
