#include "win32/main_window.h"

#include <commctrl.h>
#include <objbase.h>

#include <optional>
#include <string>
#include <system_error>

#include "win32/accessible_names.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"

namespace rongxi::win32 {

using namespace rongxi::core;

namespace {

constexpr wchar_t kWindowClass[] = L"RongxiMainWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;
constexpr int kProgramIconId = 1;  // the icon resource, as in rongxi.rc
// Control IDs stay clear of IDOK and IDCANCEL, which the dialog manager sends
// for Enter and Esc (see onEnter).
constexpr int kFirstControlId = 100;
// The live region's, after the table's controls.
constexpr int kAnnouncementId = 200;
// Declared by the headers from Windows 8 on; older systems ignore it.
#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

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
            // BS_NOTIFY: the window learns when a button takes the focus.
            return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0};
        case ControlKind::EntryBox:
        case ControlKind::ResultBox:
            return {L"EDIT", kChild | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    }
    return {};
}

// Whether a face that writes Chinese is installed. The look-up names the
// Chinese character set: for any set it costs 2 to 3 ms of start-up a face
// found (measured under Wine), for one set a few hundredths.
bool IsInstalled(std::string_view family) {
    return IsFontInstalled(WideFromUtf8(family), GB2312_CHARSET);
}

FontHandle BoxFont(ControlKind kind, UINT dpi) {
    static const std::wstring face = WideFromUtf8(BoxFontFamily(&IsInstalled));
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
    if (const auto family = CaptionFontFamily(&IsInstalled)) {
        const std::wstring face = WideFromUtf8(*family);
        font.lfFaceName[face.copy(font.lfFaceName, LF_FACESIZE - 1)] = L'\0';
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

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterWindowClass(instance_, &MainWindow::WindowProc);
    const std::wstring caption = WideFromUtf8(kWindowCaption);
    // Made at its size for the main screen: resizing it costs start-up.
    const PixelRect clientArea = ClientAreaPixels(static_cast<int>(SystemDpi()));
    RECT frame{0, 0, clientArea.width, clientArea.height};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    if (CreateWindowExW(0, kWindowClass, caption.c_str(), kWindowStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                        nullptr, instance_, this) == nullptr) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "CreateWindowExW");
    }
    const UINT dpi = WindowDpi(handle());
    sizeClientArea(dpi);
    createControls(dpi);
    setFonts(dpi, false);
    BOOL screenReader = FALSE;
    SystemParametersInfoW(SPI_GETSCREENREADER, 0, &screenReader, 0);
    if (screenReader != FALSE) annotateAccessibleNames();
}

MainWindow::~MainWindow() { window_.reset(); }

int MainWindow::showAndRunMessageLoop(int showCommand) {
    running_ = true;
    ShowWindow(handle(), showCommand);  // activation puts the focus into the first entry box
    MSG message{};
    BOOL got = 0;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        // Tab, Shift+Tab, Enter and Esc as in any dialog.
        if (IsDialogMessageW(handle(), &message) != FALSE) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got < 0 ? kFailureExitStatus : static_cast<int>(message.wParam);
}

// Each control is made in its place: moving it afterwards costs start-up.
void MainWindow::createControls(UINT dpi) {
    for (const ControlSpec& spec : kWindowLayout) {
        const ControlClass kind = ClassOf(spec.kind);
        const std::wstring caption = WideFromUtf8(spec.caption);
        const PixelRect rect = ControlPixels(spec.id, Origin::ClientArea, static_cast<int>(dpi));
        // Created in tab order, which the dialog manager follows.
        const auto id = static_cast<INT_PTR>(kFirstControlId + IndexOf(spec.id));
        HWND created = CreateWindowExW(kind.extendedStyle, kind.className, caption.c_str(),
                                       kind.style, rect.x, rect.y, rect.width, rect.height,
                                       handle(), reinterpret_cast<HMENU>(id), instance_, nullptr);
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
    // What the window announces stands in a static text of no size: read out
    // by screen readers, never seen, never focused.
    announcement_ = CreateWindowExW(
        0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0, handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAnnouncementId)), instance_, nullptr);
    if (announcement_ == nullptr) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "CreateWindowExW");
    }
    for (const ControlSpec& spec : kWindowLayout) {
        if (EntryBox* box = entryBox(spec.id)) box->attach(control(spec.id), spec.id, behaviour_);
    }
    lastFocus_ = control(Control::Entry1);
}

// The names cost a COM service, which most users never need: they are given
// when a screen reader runs, starts, or any assistive program first asks the
// window for its accessibility object (it asks the window before its controls).
void MainWindow::annotateAccessibleNames() {
    if (annotated_ || announcement_ == nullptr) return;  // not before the controls exist
    annotated_ = true;
    com_.emplace();
    std::array<AccessibleName, kWindowLayout.size()> names{};
    for (const ControlSpec& spec : kWindowLayout) {
        names.at(IndexOf(spec.id)) = {control(spec.id), spec.accessibleName};
    }
    AnnotateAccessibleNames(*com_, names);
    AnnotateLiveRegion(*com_, announcement_);
}

void MainWindow::layOut(UINT dpi) {
    sizeClientArea(dpi);
    for (const ControlSpec& spec : kWindowLayout) {
        const PixelRect rect = ControlPixels(spec.id, Origin::ClientArea, static_cast<int>(dpi));
        SetWindowPos(control(spec.id), nullptr, rect.x, rect.y, rect.width, rect.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    setFonts(dpi, true);
}

void MainWindow::sizeClientArea(UINT dpi) const {
    // The client area gets its size in twips; the frame stays as the system
    // draws it at this DPI.
    RECT window{};
    RECT client{};
    GetWindowRect(handle(), &window);
    GetClientRect(handle(), &client);
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    const PixelRect clientArea = ClientAreaPixels(static_cast<int>(dpi));
    if (client.right == clientArea.width && client.bottom == clientArea.height) return;
    SetWindowPos(handle(), nullptr, 0, 0, clientArea.width + frameWidth,
                 clientArea.height + frameHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::setFonts(UINT dpi, bool redraw) {
    FontHandle entryFont = BoxFont(ControlKind::EntryBox, dpi);
    FontHandle resultFont = BoxFont(ControlKind::ResultBox, dpi);
    FontHandle captionFont = CaptionFont(dpi);
    for (const ControlSpec& spec : kWindowLayout) {
        HFONT font = spec.kind == ControlKind::EntryBox    ? entryFont.get()
                     : spec.kind == ControlKind::ResultBox ? resultFont.get()
                                                           : captionFont.get();
        SendMessageW(control(spec.id), WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? 1 : 0);
    }
    // The controls hold the new fonts now; the old ones can go.
    entryFont_ = std::move(entryFont);
    resultFont_ = std::move(resultFont);
    captionFont_ = std::move(captionFont);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_.reset(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window is gone: nothing may touch it any more.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        static_cast<void>(self->window_.release());
        self->controls_ = {};
        self->announcement_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // No exception may cross into the system: a failure is reported and ends
    // the program, like a failure in a handler.
    LRESULT result = 0;
    self->behaviour_.runGuarded([&] { result = self->handleMessage(message, wParam, lParam); });
    return result;
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            onCommand(wParam, lParam);
            return 0;
        case WM_ACTIVATE:
            onActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_GETOBJECT:
            annotateAccessibleNames();
            return DefWindowProcW(handle(), message, wParam, lParam);
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETSCREENREADER) annotateAccessibleNames();
            return DefWindowProcW(handle(), message, wParam, lParam);
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DESTROY:
            // A window destroyed while it is being made ends no loop: the
            // failure is still to be reported.
            if (running_) PostQuitMessage(exitStatus_);
            return 0;
        default:
            return DefWindowProcW(handle(), message, wParam, lParam);
    }
}

void MainWindow::onCommand(WPARAM wParam, LPARAM lParam) {
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
    const bool button = SpecOf(*control).kind == ControlKind::Button;
    if (notification == BN_CLICKED && button) {
        behaviour_.click(*control);
    } else if (notification == EN_CHANGE && IsTextBox(*control)) {
        behaviour_.textChanged(*control);
    } else if ((notification == BN_SETFOCUS && button) ||
               (notification == EN_SETFOCUS && IsTextBox(*control))) {
        frameFocusedButton(button ? this->control(*control) : nullptr);
    }
}

// Enter presses the focused button and nothing else, so only a focused
// button wears the default button's frame: the dialog manager gives it on
// Tab but keeps it when the mouse moves the focus on.
void MainWindow::frameFocusedButton(HWND focused) {
    for (const ControlSpec& spec : kWindowLayout) {
        if (spec.kind != ControlKind::Button) continue;
        HWND button = control(spec.id);
        const auto style = static_cast<DWORD>(GetWindowLongW(button, GWL_STYLE)) & BS_TYPEMASK;
        const DWORD wanted = button == focused ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if (style != wanted) SendMessageW(button, BM_SETSTYLE, wanted, TRUE);
    }
}

// The dialog manager sends IDOK for Enter when it does not take the focused
// control for the default button, which it stops doing once the mouse has
// moved the focus.
void MainWindow::onEnter() {
    HWND focus = GetFocus();
    for (const ControlSpec& spec : kWindowLayout) {
        if (control(spec.id) == focus) behaviour_.enterPressed(spec.id);
    }
}

// The window keeps the control that had the focus when it was left, as a
// dialog does.
void MainWindow::onActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(handle(), focus) != FALSE) lastFocus_ = focus;
    } else if (lastFocus_ != nullptr) {
        SetFocus(lastFocus_);
    }
}

void MainWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    SetWindowPos(handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layOut(dpi);
}

std::u16string MainWindow::text(Control box) const { return WindowText(control(box)); }

void MainWindow::setText(Control box, std::u16string_view text) {
    const std::wstring wide = WideFromUtf16(text);
    SetWindowTextW(control(box), wide.c_str());
}

// Selecting the whole text and replacing it keeps the box's undo, where
// setting the text would empty it.
void MainWindow::correctText(Control box, std::u16string_view text) {
    const std::wstring wide = WideFromUtf16(text);
    SendMessageW(control(box), EM_SETSEL, 0, -1);
    SendMessageW(control(box), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void MainWindow::setFocus(Control box) {
    lastFocus_ = control(box);
    SetFocus(lastFocus_);
}

void MainWindow::announce(std::u16string_view text) {
    const std::wstring wide = WideFromUtf16(text);
    SetWindowTextW(announcement_, wide.c_str());
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, announcement_, OBJID_CLIENT, CHILDID_SELF);
}

void MainWindow::endProgram(int status) {
    exitStatus_ = status;
    ShowWindow(handle(), SW_HIDE);
    PostQuitMessage(status);
}

void MainWindow::showFailure(std::u16string_view title, std::u16string_view message) {
    const std::wstring wideTitle = WideFromUtf16(title);
    const std::wstring wideMessage = WideFromUtf16(message);
    MessageBoxW(handle(), wideMessage.c_str(), wideTitle.c_str(), MB_OK | MB_ICONERROR);
}

EntryBox* MainWindow::entryBox(Control id) {
    if (SpecOf(id).kind != ControlKind::EntryBox) return nullptr;
    return &entryBoxes_.at(IndexOf(id) - IndexOf(Control::Entry1));
}

void ReportStartupFailure(const char* what) noexcept {
    try {
        const std::wstring message = WideFromUtf16(FailureText(what));
        const std::wstring caption = WideFromUtf8(kWindowCaption);
        MessageBoxW(nullptr, message.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
    } catch (...) {
        // Nothing more can be shown; the program still ends with its status.
    }
}

}  // namespace rongxi::win32
