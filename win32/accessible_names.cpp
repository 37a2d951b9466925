#include "win32/accessible_names.h"

// Defines the annotation service's GUIDs in this one file.
#include <initguid.h>
#include <oleacc.h>

#include <string>

#include "win32/library_function.h"
#include "win32/wide_text.h"

namespace rongxi::win32 {

ComApartment::ComApartment()
    : ole32_(LoadSystemLibrary(L"ole32.dll")),
      createInstance_(LibraryFunction<CoCreateInstanceFunction>(ole32_, "CoCreateInstance")) {
    using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
    const auto initialize = LibraryFunction<CoInitializeExFunction>(ole32_, "CoInitializeEx");
    if (initialize != nullptr && createInstance_ != nullptr &&
        SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED))) {
        uninitialize_ = LibraryFunction<CoUninitializeFunction>(ole32_, "CoUninitialize");
    }
}

ComApartment::~ComApartment() {
    if (uninitialize_ != nullptr) uninitialize_();
    if (ole32_ != nullptr) FreeLibrary(ole32_);
}

HRESULT ComApartment::createInstance(REFCLSID type, REFIID kind, void** object) const {
    if (uninitialize_ == nullptr) return CO_E_NOTINITIALIZED;
    return createInstance_(type, nullptr, CLSCTX_INPROC_SERVER, kind, object);
}

namespace {

// UI Automation's LiveSetting property, which the annotation service maps
// onto a plain window; the headers name it only for UI Automation providers.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;

// Gives `annotate` the system's annotation service, where there is one.
template <typename Annotate>
bool WithAnnotationService(const ComApartment& com, Annotate&& annotate) {
    IAccPropServices* services = nullptr;
    if (FAILED(com.createInstance(CLSID_AccPropServices, IID_IAccPropServices,
                                  reinterpret_cast<void**>(&services)))) {
        return false;
    }
    const bool annotated = annotate(*services);
    services->Release();
    return annotated;
}

}  // namespace

bool AnnotateLiveRegion(const ComApartment& com, HWND control) {
    return WithAnnotationService(com, [control](IAccPropServices& services) {
        VARIANT polite{};
        polite.vt = VT_I4;
        polite.lVal = kPolite;
        return SUCCEEDED(services.SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT),
                                              CHILDID_SELF, kLiveSettingProperty, polite));
    });
}

bool AnnotateAccessibleNames(const ComApartment& com, std::span<const AccessibleName> names) {
    return WithAnnotationService(com, [names](IAccPropServices& services) {
        bool all = true;
        for (const AccessibleName& entry : names) {
            const std::wstring name = WideFromUtf8(entry.name);
            all = SUCCEEDED(services.SetHwndPropStr(entry.control, static_cast<DWORD>(OBJID_CLIENT),
                                                    CHILDID_SELF, PROPID_ACC_NAME, name.c_str())) &&
                  all;
        }
        return all;
    });
}

}  // namespace rongxi::win32
