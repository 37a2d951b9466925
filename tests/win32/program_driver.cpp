#include "program_driver.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/expected_layout.h"

namespace rongxi::test {
namespace {

constexpr int kFirstControlId = 100;  // the window numbers its controls in table order
const std::wstring kCaption = L"榕汐 ";

std::wstring Caption(HWND window) {
    std::wstring text(256, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), 256)));
    return text;
}

struct Search {
    DWORD processId;
    const std::function<bool(HWND)>* matches;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) != FALSE &&
        (*search->matches)(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

INPUT KeyInput(WORD virtualKey, WORD unit, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = unit;
    input.ki.dwFlags = (unit != 0 ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

ProgramDriver::ProgramDriver(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + program + L"\"";
    // Wine now and then refuses a start while the last instance is going away.
    DWORD error = 0;
    const bool started = Eventually([&] {
        if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process_) != FALSE) {
            return true;
        }
        error = GetLastError();
        return false;
    });
    if (!started) {
        throw std::runtime_error("cannot start the program: error " + std::to_string(error));
    }
    window_ = waitForWindow([](HWND window) { return Caption(window) == kCaption; });
    if (window_ == nullptr) throw std::runtime_error("the window did not appear");
}

HWND ProgramDriver::waitForWindow(const std::function<bool(HWND)>& matches) const {
    Search search{process_.dwProcessId, &matches, nullptr};
    Eventually(
        [&] {
            EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        std::chrono::milliseconds(20000));
    return search.found;
}

ProgramDriver::~ProgramDriver() {
    // Closed as a user closes it; ended by force only if it does not go.
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 5000) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND ProgramDriver::control(std::string_view name) const {
    const auto* const found =
        std::find_if(kExpectedLayout.begin(), kExpectedLayout.end(),
                     [name](const ExpectedControl& c) { return c.name == name; });
    return GetDlgItem(window_, kFirstControlId + static_cast<int>(found - kExpectedLayout.begin()));
}

std::u16string ProgramDriver::text(std::string_view name) const {
    HWND box = control(name);
    const auto length = static_cast<std::size_t>(SendMessageW(box, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<std::size_t>(
        SendMessageW(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return {text.begin(), text.begin() + static_cast<std::ptrdiff_t>(copied)};
}

std::string ProgramDriver::focusName() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(process_.dwThreadId, &info);
    for (const ExpectedControl& c : kExpectedLayout) {
        if (control(c.name) == info.hwndFocus) return std::string(c.name);
    }
    return info.hwndFocus == window_ ? "Form1" : "";
}

RECT ProgramDriver::clientRect(std::string_view name) const {
    RECT rect{};
    GetWindowRect(control(name), &rect);
    MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ProgramDriver::bringToFront() const {
    if (GetForegroundWindow() != window_) SetForegroundWindow(window_);
    Eventually([this] { return GetForegroundWindow() == window_; });
}

void ProgramDriver::click(std::string_view name) const {
    press(name, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void ProgramDriver::rightClick(std::string_view name) const {
    press(name, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void ProgramDriver::press(std::string_view name, DWORD down, DWORD up) const {
    bringToFront();
    RECT rect{};
    GetWindowRect(control(name), &rect);
    // The move travels with the press, so the press cannot land where the
    // pointer was before.
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv((rect.left + rect.right) / 2, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv((rect.top + rect.bottom) / 2, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    INPUT press = move;
    press.mi.dwFlags |= down;
    INPUT release = move;
    release.mi.dwFlags |= up;
    Send({move, press, release});
}

void ProgramDriver::type(std::u16string_view text) const {
    bringToFront();
    std::vector<INPUT> inputs;
    for (char16_t unit : text) {
        inputs.push_back(KeyInput(0, unit, false));
        inputs.push_back(KeyInput(0, unit, true));
    }
    Send(inputs);
}

void ProgramDriver::key(WORD virtualKey, std::initializer_list<WORD> modifiers) const {
    bringToFront();
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, 0, false));
    inputs.push_back(KeyInput(virtualKey, 0, false));
    inputs.push_back(KeyInput(virtualKey, 0, true));
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) {
        inputs.push_back(KeyInput(*m, 0, true));
    }
    Send(inputs);
}

void ProgramDriver::setClipboard(std::u16string_view text) {
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* units = static_cast<wchar_t*>(GlobalLock(data));
    std::copy(text.begin(), text.end(), units);
    units[text.size()] = L'\0';
    GlobalUnlock(data);
    Eventually([] { return OpenClipboard(nullptr) != FALSE; });
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
}

int ProgramDriver::waitForExit(DWORD milliseconds) const {
    if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD status = 0;
    GetExitCodeProcess(process_.hProcess, &status);
    return static_cast<int>(status);
}

}  // namespace rongxi::test
