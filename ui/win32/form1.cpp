#include "ui/win32/form1.h"

#include <commctrl.h>
#include <objbase.h>

#include <optional>
#include <string>
#include <system_error>

#include "ui/win32/accessible_names.h"
#include "ui/win32/dpi.h"
#include "ui/win32/wide_text.h"

namespace rongxi::ui::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"RongxiForm1";
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;
constexpr int kProgramIconId = 1;  // the icon resource, as in rongxi.rc
// Control IDs stay clear of IDOK and IDCANCEL, which the dialog manager sends
// for Enter and Esc (see onEnter).
constexpr int kFirstControlId = 100;

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD extendedStyle;
};

ControlClass ClassOf(ControlKind kind) {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    switch (kind) {
        case ControlKind::Frame:
            return {L"BUTTON", kChild | BS_GROUPBOX, 0};
        case ControlKind::Button:
            return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::EntryBox:
        case ControlKind::ResultBox:
            return {L"EDIT", kChild | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    }
    return {};
}

FontHandle BoxFont(ControlKind kind, UINT dpi) {
    const std::wstring face = WideFromUtf8(kBoxFontFamilies.front());
    return FontHandle(CreateFontW(-FontPixels(kind, static_cast<int>(dpi)), 0, 0, 0, FW_BOLD, FALSE,
                                  FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                  face.c_str()));
}

// The first Chinese interface face that is installed, else the system's
// message face, which shows Chinese on any Windows; at the captions' fixed
// size, whatever size the user gave the system's texts.
FontHandle CaptionFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    for (const std::string_view family : kCaptionFamilies) {
        const std::wstring face = WideFromUtf8(family);
        if (!IsFontInstalled(face)) continue;
        font.lfFaceName[face.copy(font.lfFaceName, LF_FACESIZE - 1)] = L'\0';
        break;
    }
    font.lfHeight = -FontPixels(ControlKind::Button, static_cast<int>(dpi));
    font.lfWidth = 0;
    return FontHandle(CreateFontIndirectW(&font));
}

// The program file's icon at a system size; shared, so the system owns it.
HICON ProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = ProgramIcon(instance, SM_CXICON, SM_CYICON);
    windowClass.hIconSm = ProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);
}

}  // namespace

Form1::Form1(HINSTANCE instance) : instance_(instance) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterWindowClass(instance_, &Form1::WindowProc);
    const std::wstring caption = WideFromUtf8(kWindowCaption);
    if (CreateWindowExW(0, kWindowClass, caption.c_str(), kWindowStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_,
                        this) == nullptr) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "CreateWindowExW");
    }
    createControls();
    layOut(WindowDpi(window_));
    BOOL screenReader = FALSE;
    SystemParametersInfoW(SPI_GETSCREENREADER, 0, &screenReader, 0);
    if (screenReader != FALSE) annotateAccessibleNames();
}

Form1::~Form1() {
    if (window_ != nullptr) DestroyWindow(window_);
    if (comReady_) CoUninitialize();
}

int Form1::showAndRunMessageLoop(int showCommand) {
    ShowWindow(window_, showCommand);  // activation puts the focus into Text1
    MSG message{};
    BOOL got = 0;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        // Tab, Shift+Tab, Enter and Esc as in any dialog.
        if (IsDialogMessageW(window_, &message) != FALSE) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got < 0 ? kFailureExitStatus : static_cast<int>(message.wParam);
}

void Form1::createControls() {
    for (const ControlSpec& spec : Form1Layout) {
        const ControlClass kind = ClassOf(spec.kind);
        const std::wstring caption = WideFromUtf8(spec.caption);
        // Created in tab order, which the dialog manager follows.
        const auto id = static_cast<INT_PTR>(kFirstControlId + IndexOf(spec.id));
        HWND created =
            CreateWindowExW(kind.extendedStyle, kind.className, caption.c_str(), kind.style, 0, 0,
                            0, 0, window_, reinterpret_cast<HMENU>(id), instance_, nullptr);
        if (created == nullptr) {
            throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                    "CreateWindowExW");
        }
        controls_.at(IndexOf(spec.id)) = created;
        if (IsTextBox(spec.id)) {
            SendMessageW(created, EM_SETLIMITTEXT,
                         static_cast<WPARAM>(LengthLimitUnits(spec.kind).value_or(0)), 0);
        }
    }
    auto* entryBox = entryBoxes_.begin();
    for (const ControlSpec& spec : Form1Layout) {
        if (spec.kind == ControlKind::EntryBox)
            entryBox++->attach(control(spec.id), spec.id, handlers_);
    }
    lastFocus_ = control(Control::Text1);
}

// The names cost a COM service, which most users never need: they are given
// when a screen reader runs, starts, or any assistive program first asks the
// window for its accessibility object (it asks the window before its controls).
void Form1::annotateAccessibleNames() {
    if (annotated_ || controls_.back() == nullptr) return;  // not before the controls exist
    annotated_ = true;
    comReady_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    std::array<AccessibleName, Form1Layout.size()> names{};
    for (const ControlSpec& spec : Form1Layout) {
        names.at(IndexOf(spec.id)) = {control(spec.id), spec.accessibleName};
    }
    AnnotateAccessibleNames(names);
}

void Form1::layOut(UINT dpi) {
    // The client area gets its size in twips; the frame stays as the system
    // draws it at this DPI.
    RECT window{};
    RECT client{};
    GetWindowRect(window_, &window);
    GetClientRect(window_, &client);
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    const PixelRect clientArea = ClientAreaPixels(static_cast<int>(dpi));
    SetWindowPos(window_, nullptr, 0, 0, clientArea.width + frameWidth,
                 clientArea.height + frameHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const ControlSpec& spec : Form1Layout) {
        const PixelRect rect = ControlPixels(spec.id, Origin::ClientArea, static_cast<int>(dpi));
        SetWindowPos(control(spec.id), nullptr, rect.x, rect.y, rect.width, rect.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    createFonts(dpi);
}

void Form1::createFonts(UINT dpi) {
    FontHandle entryFont = BoxFont(ControlKind::EntryBox, dpi);
    FontHandle resultFont = BoxFont(ControlKind::ResultBox, dpi);
    FontHandle captionFont = CaptionFont(dpi);
    for (const ControlSpec& spec : Form1Layout) {
        HFONT font = spec.kind == ControlKind::EntryBox    ? entryFont.get()
                     : spec.kind == ControlKind::ResultBox ? resultFont.get()
                                                           : captionFont.get();
        SendMessageW(control(spec.id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    // The controls hold the new fonts now; the old ones can go.
    entryFont_ = std::move(entryFont);
    resultFont_ = std::move(resultFont);
    captionFont_ = std::move(captionFont);
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window is gone: nothing may touch it any more.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        self->controls_ = {};
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // No exception may cross into the system: a failure is reported and ends
    // the program, like a failure in a handler.
    LRESULT result = 0;
    self->handlers_.runGuarded([&] { result = self->handleMessage(message, wParam, lParam); });
    return result;
}

LRESULT Form1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            onCommand(wParam, lParam);
            return 0;
        case WM_ACTIVATE:
            onActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_GETOBJECT:
            annotateAccessibleNames();
            return DefWindowProcW(window_, message, wParam, lParam);
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETSCREENREADER) annotateAccessibleNames();
            return DefWindowProcW(window_, message, wParam, lParam);
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(exitStatus_);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void Form1::onCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDOK) {
        onEnter();
        return;
    }
    // IDCANCEL, from Esc, names no control.
    const int id = LOWORD(wParam) - kFirstControlId;
    const std::optional<Control> control =
        id >= 0 ? ControlAt(static_cast<std::size_t>(id)) : std::nullopt;
    if (!control || reinterpret_cast<HWND>(lParam) != this->control(*control)) return;
    const UINT notification = HIWORD(wParam);
    if (notification == BN_CLICKED && SpecOf(*control).kind == ControlKind::Button) {
        handlers_.click(*control);
    } else if (notification == EN_CHANGE && IsTextBox(*control)) {
        onTextChanged(*control);
    }
}

// The dialog manager sends IDOK for Enter when it does not take the focused
// control for the default button, which it stops doing once the mouse has
// moved the focus: Enter presses the focused button, as Space does, and
// nothing in a box.
void Form1::onEnter() {
    HWND focus = GetFocus();
    for (const ControlSpec& spec : Form1Layout) {
        if (spec.kind == ControlKind::Button && control(spec.id) == focus) handlers_.click(spec.id);
    }
}

void Form1::onTextChanged(Control box) {
    if (restoring_) return;
    const BoxCorrection correction = handlers_.textChanged(box, WindowText(control(box)));
    const std::wstring text = WideFromUtf16(correction.text);
    switch (correction.action) {
        case BoxCorrection::Action::None:
            break;
        case BoxCorrection::Action::Restore:
            restoring_ = true;
            SetWindowTextW(control(box), text.c_str());
            restoring_ = false;
            break;
        case BoxCorrection::Action::Replace:
            SetWindowTextW(control(box), text.c_str());
            break;
    }
}

// The window keeps the control that had the focus when it was left, as a
// dialog does.
void Form1::onActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus) != FALSE) lastFocus_ = focus;
    } else if (lastFocus_ != nullptr) {
        SetFocus(lastFocus_);
    }
}

void Form1::onDpiChanged(UINT dpi, const RECT& suggested) {
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layOut(dpi);
}

std::u16string Form1::text(Control box) const { return WindowText(control(box)); }

void Form1::setText(Control box, std::u16string_view text) {
    const std::wstring wide = WideFromUtf16(text);
    SetWindowTextW(control(box), wide.c_str());
}

void Form1::setFocus(Control box) {
    lastFocus_ = control(box);
    SetFocus(lastFocus_);
}

void Form1::endProgram(int status) {
    exitStatus_ = status;
    ShowWindow(window_, SW_HIDE);
    PostQuitMessage(status);
}

void Form1::showFailure(std::u16string_view title, std::u16string_view message) {
    const std::wstring wideTitle = WideFromUtf16(title);
    const std::wstring wideMessage = WideFromUtf16(message);
    MessageBoxW(window_, wideMessage.c_str(), wideTitle.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace rongxi::ui::win32
