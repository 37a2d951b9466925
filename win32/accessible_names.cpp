#include "win32/accessible_names.h"

// Defines the annotation service's GUIDs in this one file.
#include <initguid.h>
#include <oleacc.h>

#include <string>

#include "win32/wide_text.h"

namespace rongxi::win32 {

bool AnnotateAccessibleNames(std::span<const AccessibleName> names) {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
        return false;
    }
    bool all = true;
    for (const AccessibleName& entry : names) {
        const std::wstring name = WideFromUtf8(entry.name);
        all = SUCCEEDED(services->SetHwndPropStr(entry.control, static_cast<DWORD>(OBJID_CLIENT),
                                                 CHILDID_SELF, PROPID_ACC_NAME, name.c_str())) &&
              all;
    }
    services->Release();
    return all;
}

}  // namespace rongxi::win32
