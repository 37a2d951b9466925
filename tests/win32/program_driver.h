// Drives a running rongxi.exe from another process, the way a user does:
// SendInput for keys and clicks, the system clipboard for pastes, and for
// reading back what the window shows, the messages any Windows tool uses
// (WM_GETTEXT, GetGUIThreadInfo, GetWindowRect).
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <thread>

namespace rongxi::test {

// True once `condition` holds, polled for up to `timeout`.
template <typename Condition>
bool Eventually(Condition condition,
                std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

class ProgramDriver {
public:
    explicit ProgramDriver(const std::wstring& program);
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;
    ~ProgramDriver();

    [[nodiscard]] HWND window() const { return window_; }
    [[nodiscard]] HWND control(std::string_view name) const;
    [[nodiscard]] std::u16string text(std::string_view name) const;
    [[nodiscard]] std::string focusName() const;
    [[nodiscard]] RECT clientRect(std::string_view name) const;  // in the window's client area

    void click(std::string_view name) const;
    void rightClick(std::string_view name) const;
    // One key per UTF-16 unit, sent at once: a test waits for what they do.
    void type(std::u16string_view text) const;
    void key(WORD virtualKey, std::initializer_list<WORD> modifiers = {}) const;
    static void setClipboard(std::u16string_view text);

    // The program's first visible top-level window that `matches`, or null
    // if none appears.
    [[nodiscard]] HWND waitForWindow(const std::function<bool(HWND)>& matches) const;

    // The exit status once the program has ended, or -1 if it goes on.
    [[nodiscard]] int waitForExit(DWORD milliseconds = 10000) const;

private:
    void bringToFront() const;
    void press(std::string_view name, DWORD down, DWORD up) const;

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace rongxi::test
