// The yardstick for the Windows program's start-up: a bare Win32 window of
// the same size with the same fourteen controls, captions and styles, and no
// handlers, made as a modern program makes it: the program's own resources
// (icon, version, and the manifest: common controls version 6, per-monitor
// DPI awareness), the common controls initialised, the icon on the title
// bar, the system's message face on the controls and the focus in the first
// box. Whatever rongxi.exe costs beyond this is its own.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

struct Control {
    const wchar_t* className;
    const wchar_t* caption;
    DWORD style;
    DWORD extendedStyle;
    RECT rect;  // x, y, width, height at 96 dpi
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kBox = kChild | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr Control kControls[] = {
    {L"BUTTON", L"输入开奖号", kChild | BS_GROUPBOX, 0, {8, 0, 329, 49}},
    {L"EDIT", L"", kBox, WS_EX_CLIENTEDGE, {16, 16, 25, 25}},
    {L"EDIT", L"", kBox, WS_EX_CLIENTEDGE, {40, 16, 25, 25}},
    {L"EDIT", L"", kBox, WS_EX_CLIENTEDGE, {64, 16, 25, 25}},
    {L"BUTTON", L"杀垃圾", kButton, 0, {96, 16, 73, 25}},
    {L"BUTTON", L"清除数据", kButton, 0, {176, 16, 73, 25}},
    {L"BUTTON", L"退出", kButton, 0, {256, 16, 73, 25}},
    {L"BUTTON", L"杀垃圾复试", kChild | BS_GROUPBOX, 0, {8, 56, 329, 169}},
    {L"EDIT", L"", kBox, WS_EX_CLIENTEDGE, {16, 72, 313, 21}},
    {L"EDIT", L"", kBox, WS_EX_CLIENTEDGE, {16, 96, 313, 21}},
    {L"EDIT", L"", kBox, WS_EX_CLIENTEDGE, {16, 120, 313, 21}},
    {L"EDIT", L"", kBox, WS_EX_CLIENTEDGE, {16, 144, 313, 21}},
    {L"EDIT", L"", kBox, WS_EX_CLIENTEDGE, {16, 168, 313, 21}},
    {L"EDIT", L"", kBox, WS_EX_CLIENTEDGE, {16, 192, 313, 21}},
};

HICON ProgramIcon(HINSTANCE instance, int size) {
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ProgramIcon(instance, GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = ProgramIcon(instance, GetSystemMetrics(SM_CXSMICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"BaselineWindow";
    RegisterClassExW(&windowClass);
    RECT frame{0, 0, 342, 231};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND window = CreateWindowExW(0, L"BaselineWindow", L"榕汐 ", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    // The system's message face on every control, and the focus in the first
    // box, as a dialog has them.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT messageFont = CreateFontIndirectW(&metrics.lfMessageFont);
    HWND firstBox = nullptr;
    for (const Control& control : kControls) {
        HWND made =
            CreateWindowExW(control.extendedStyle, control.className, control.caption,
                            control.style, control.rect.left, control.rect.top, control.rect.right,
                            control.rect.bottom, window, nullptr, instance, nullptr);
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(messageFont), FALSE);
        if (firstBox == nullptr && (control.style & WS_TABSTOP) != 0) firstBox = made;
    }
    ShowWindow(window, showCommand);
    SetFocus(firstBox);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message) != FALSE) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
