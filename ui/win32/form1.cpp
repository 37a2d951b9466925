#include "ui/win32/form1.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <string>

#include "ui/win32/accessible_names.h"

namespace rongxi::ui::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"RongxiForm1";
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;
constexpr int kProgramIconId = 1;  // the icon resource, as in rongxi.rc
// Control IDs stay clear of IDOK and IDCANCEL, which the dialog manager sends
// for Enter and Esc in a box: those must press nothing.
constexpr int kFirstControlId = 100;
constexpr int kTwipsPerInch = 1440;
constexpr int kStandardDpi = 96;

int Scaled(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

const ControlSpec& SpecNamed(std::string_view name) {
    return *std::find_if(Form1Layout.begin(), Form1Layout.end(),
                         [name](const ControlSpec& spec) { return spec.name == name; });
}

// A control's rectangle in twips within the window's client area.
TwipRect ClientTwips(const ControlSpec& spec) {
    TwipRect rect = spec.twips;
    if (spec.container != kWindowName) {
        const TwipRect& frame = SpecNamed(spec.container).twips;
        rect.left += frame.left;
        rect.top += frame.top;
    }
    return rect;
}

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

FontHandle BoxFont(int pixels, UINT dpi) {
    const std::wstring face = WideFromUtf8(kBoxFontFamilies.front());
    return FontHandle(CreateFontW(-MulDiv(pixels, static_cast<int>(dpi), kStandardDpi), 0, 0, 0,
                                  FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                  face.c_str()));
}

// The system's message font at the window's DPI: it shows Chinese on any
// Windows.
FontHandle MessageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    return FontHandle(CreateFontIndirectW(&metrics.lfMessageFont));
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
    CreateWindowExW(0, kWindowClass, caption.c_str(), kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this);
    createControls();
    layOut(GetDpiForWindow(window_));
    BOOL screenReader = FALSE;
    SystemParametersInfoW(SPI_GETSCREENREADER, 0, &screenReader, 0);
    if (screenReader != FALSE) annotateAccessibleNames();
}

Form1::~Form1() {
    if (window_ != nullptr) DestroyWindow(window_);
    if (comReady_) CoUninitialize();
}

int Form1::run(int showCommand) {
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
    for (std::size_t index = 0; index < Form1Layout.size(); ++index) {
        const ControlSpec& spec = Form1Layout[index];
        const ControlClass kind = ClassOf(spec.kind);
        const std::wstring caption = WideFromUtf8(spec.caption);
        // Created in tab order, which the dialog manager follows.
        HWND control = CreateWindowExW(
            kind.extendedStyle, kind.className, caption.c_str(), kind.style, 0, 0, 0, 0, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)), instance_,
            nullptr);
        controls_[index] = control;
        if (spec.kind == ControlKind::ResultBox) SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
    }
    auto* entryBox = entryBoxes_.begin();
    for (std::size_t index = 0; index < Form1Layout.size(); ++index) {
        if (Form1Layout[index].kind != ControlKind::EntryBox) continue;
        entryBox->attach(controls_[index], handlers_);
        entryBoxOf_[index] = &*entryBox++;
    }
    lastFocus_ = control("Text1");
}

// The names cost a COM service, which most users never need: they are given
// when a screen reader runs, starts, or any assistive program first asks the
// window for its accessibility object (it asks the window before its controls).
void Form1::annotateAccessibleNames() {
    if (annotated_ || controls_.back() == nullptr) return;  // not before the controls exist
    annotated_ = true;
    comReady_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    std::array<AccessibleName, Form1Layout.size()> names{};
    for (std::size_t index = 0; index < Form1Layout.size(); ++index) {
        names.at(index) = {controls_.at(index), Form1Layout.at(index).accessibleName};
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
    SetWindowPos(window_, nullptr, 0, 0, Scaled(kClientWidthTwips, dpi) + frameWidth,
                 Scaled(kClientHeightTwips, dpi) + frameHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (std::size_t index = 0; index < Form1Layout.size(); ++index) {
        const TwipRect twips = ClientTwips(Form1Layout[index]);
        SetWindowPos(controls_[index], nullptr, Scaled(twips.left, dpi), Scaled(twips.top, dpi),
                     Scaled(twips.width, dpi), Scaled(twips.height, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    createFonts(dpi);
}

void Form1::createFonts(UINT dpi) {
    FontHandle entryFont = BoxFont(kEntryBoxFontPixels, dpi);
    FontHandle resultFont = BoxFont(kResultBoxFontPixels, dpi);
    FontHandle captionFont = MessageFont(dpi);
    for (std::size_t index = 0; index < Form1Layout.size(); ++index) {
        const ControlKind kind = Form1Layout[index].kind;
        HFONT font = kind == ControlKind::EntryBox    ? entryFont.get()
                     : kind == ControlKind::ResultBox ? resultFont.get()
                                                      : captionFont.get();
        SendMessageW(controls_[index], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
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
    // No exception may cross into the system: a failure is reported and ends
    // the program, like a failure in a handler.
    LRESULT result = 0;
    self->handlers_.run([&] { result = self->handleMessage(message, wParam, lParam); });
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
    const ControlSpec* spec = specOf(reinterpret_cast<HWND>(lParam));
    if (spec == nullptr) return;  // IDOK and IDCANCEL from Enter and Esc in a box
    const UINT notification = HIWORD(wParam);
    if (notification == BN_CLICKED && spec->kind == ControlKind::Button) {
        handlers_.click(spec->name);
    } else if (notification == EN_CHANGE) {
        EntryBox* entryBox = entryBoxOf_.at(static_cast<std::size_t>(spec - Form1Layout.data()));
        if (entryBox == nullptr || entryBox->textChanged()) handlers_.change(spec->name);
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

std::u16string Form1::text(std::string_view box) const { return WindowText(control(box)); }

void Form1::setText(std::string_view box, std::u16string_view text) {
    const std::wstring wide = WideFromUtf16(text);
    SetWindowTextW(control(box), wide.c_str());
}

void Form1::setFocus(std::string_view box) {
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

HWND Form1::control(std::string_view name) const {
    return controls_.at(static_cast<std::size_t>(&SpecNamed(name) - Form1Layout.data()));
}

const ControlSpec* Form1::specOf(HWND control) const {
    if (control == nullptr) return nullptr;
    const auto* const found = std::find(controls_.begin(), controls_.end(), control);
    if (found == controls_.end()) return nullptr;
    return &Form1Layout.at(static_cast<std::size_t>(found - controls_.begin()));
}

}  // namespace rongxi::ui::win32
