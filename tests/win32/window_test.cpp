// The Windows program as a user meets it, driven from a second process with
// real input: run under Wine on a private X server by the test setup.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <imm.h>
#include <oleacc.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "core/program_texts.h"
#include "core/unicode_text.h"
#include "data/draw_scenarios.h"
#include "data/expected_layout.h"
#include "program_driver.h"
#include "win32/dpi.h"
#include "win32/library_function.h"
#include "win32/main_window.h"
#include "win32/wide_text.h"

namespace {

using rongxi::core::Utf16FromUtf8;
using rongxi::test::Eventually;
using rongxi::test::kExpectedLayout;
using rongxi::test::Kind;
using rongxi::test::ProgramDriver;

std::wstring gProgram;         // rongxi.exe
std::wstring gFailingProgram;  // its window with a box that cannot be written
// rongxi.exe as Windows 7 runs it: the newer DPI functions cannot be found.
std::wstring gProgramWithoutNewerDpi;

// The screen's scale: 1 at 96 dpi, 2 at 192.
int Scale() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi / 96;
}

// A copy of `program` in which the names it looks up at run time are
// spelled wrong, so the look-ups fail as on a Windows that lacks them.
std::wstring CopyWithoutFunctions(const std::wstring& program,
                                  std::initializer_list<std::string_view> names) {
    std::ifstream in(std::filesystem::path(program), std::ios::binary);
    std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const std::string_view name : names) {
        const std::string terminated = std::string(name) + '\0';
        const std::size_t at = image.find(terminated);
        if (at == std::string::npos) throw std::runtime_error("no " + std::string(name));
        image[at + name.size() - 1] = 'X';
    }
    std::wstring copy = program.substr(0, program.size() - 4) + L"-without-newer-dpi.exe";
    std::ofstream(std::filesystem::path(copy), std::ios::binary) << image;
    return copy;
}

std::wstring Wide(std::string_view utf8) { return rongxi::win32::WideFromUtf8(utf8); }

std::string Utf8(std::wstring_view wide) {
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                            static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

std::wstring ClassName(HWND window) {
    std::wstring name(64, L'\0');
    name.resize(static_cast<std::size_t>(GetClassNameW(window, name.data(), 64)));
    for (wchar_t& c : name) c = static_cast<wchar_t>(towlower(c));
    return name;
}

std::wstring Text(HWND window) {
    std::wstring text(512, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), 512)));
    return text;
}

class Win32Window : public testing::Test {
protected:
    ProgramDriver user{gProgram};

    void clickInto(std::string_view box) {
        user.click(box);
        ASSERT_TRUE(Eventually([&] { return user.focusName() == box; })) << box;
    }
    void typeInto(std::string_view box, std::string_view utf8) {
        clickInto(box);
        const std::u16string text = Utf16FromUtf8(utf8);
        user.type(text);
        ASSERT_TRUE(Eventually([&] { return user.text(box) == text; })) << box;
    }
    // A draw typed in one run: each character lands before the next is sent.
    void typeDraw(std::u16string_view digits) {
        for (std::size_t i = 0; i < digits.size(); ++i) {
            user.type(digits.substr(i, 1));
            const std::string_view box = kExpectedLayout.at(i + 1).name;
            ASSERT_TRUE(Eventually([&] { return user.text(box) == digits.substr(i, 1); })) << box;
        }
    }
};

void ExpectLaidOut(const ProgramDriver& user) {
    const int scale = Scale();
    RECT client{};
    GetClientRect(user.window(), &client);
    EXPECT_EQ(client.right, rongxi::test::kClientWidth * scale);
    EXPECT_EQ(client.bottom, rongxi::test::kClientHeight * scale);
    EXPECT_TRUE(GetWindowLongW(user.window(), GWL_STYLE) & WS_THICKFRAME);
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Text1"; }));
    for (const auto& expected : kExpectedLayout) {
        SCOPED_TRACE(std::string(expected.name));
        HWND control = user.control(expected.name);
        ASSERT_NE(control, nullptr);
        const RECT rect = user.clientRect(expected.name);
        EXPECT_EQ(rect.left, expected.x * scale);
        EXPECT_EQ(rect.top, expected.y * scale);
        EXPECT_EQ(rect.right - rect.left, expected.width * scale);
        EXPECT_EQ(rect.bottom - rect.top, expected.height * scale);
        EXPECT_EQ(Text(control), Wide(expected.caption));
        const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
        switch (expected.kind) {
            case Kind::Frame:
                EXPECT_EQ(ClassName(control), L"button");
                EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX));
                break;
            case Kind::Button:
                EXPECT_EQ(ClassName(control), L"button");
                EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON));
                break;
            case Kind::EntryBox:
            case Kind::ResultBox:
                EXPECT_EQ(ClassName(control), L"edit");
                EXPECT_TRUE(style & ES_CENTER);
                EXPECT_FALSE(style & ES_READONLY);
                break;
        }
    }
}

TEST_F(Win32Window, OpensAsLaidOutWithTheCaretInText1) { ExpectLaidOut(user); }

// Windows 7 and 8 have neither per-window nor per-monitor DPI, 8.1 has only
// the second: the window lays itself out the same with what there is.
TEST(Win32Windows7, WithoutTheNewerDpiFunctionsLaidOutAsOnWindows10) {
    ProgramDriver user(gProgramWithoutNewerDpi);
    ExpectLaidOut(user);
}

TEST_F(Win32Window, ResizingMovesNothing) {
    const RECT before = user.clientRect("Text9");
    for (const SIZE size : {SIZE{900, 700}, SIZE{120, 80}}) {
        SetWindowPos(user.window(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        const RECT after = user.clientRect("Text9");
        EXPECT_TRUE(EqualRect(&before, &after));
    }
}

// The fonts as the system made them for each control: their face, em
// height, weight and character set.
TEST(Win32Fonts, BoxesInBoldSongtiAndCaptionsInAChineseFaceAtAFixedSize) {
    rongxi::win32::MainWindow form(GetModuleHandleW(nullptr));
    HWND window = form.handle();
    HDC context = GetDC(window);
    for (std::size_t index = 0; index < kExpectedLayout.size(); ++index) {
        const auto& expected = kExpectedLayout[index];
        SCOPED_TRACE(std::string(expected.name));
        auto* font = reinterpret_cast<HFONT>(
            SendMessageW(GetDlgItem(window, 100 + static_cast<int>(index)), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        HGDIOBJ before = SelectObject(context, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(context, &metrics);
        std::wstring face(LF_FACESIZE, L'\0');
        GetTextFaceW(context, LF_FACESIZE, face.data());
        face.resize(face.find(L'\0'));
        SelectObject(context, before);
        const LONG emHeight = metrics.tmHeight - metrics.tmInternalLeading;
        if (expected.kind == Kind::Frame || expected.kind == Kind::Button) {
            EXPECT_TRUE(rongxi::win32::IsFontInstalled(face, GB2312_CHARSET)) << Utf8(face);
            EXPECT_EQ(emHeight, 12 * Scale());  // 9 pt, whatever the system's texts
            continue;
        }
        EXPECT_EQ(face, L"宋体");
        EXPECT_EQ(emHeight, (expected.kind == Kind::EntryBox ? 19 : 14) * Scale());
        EXPECT_EQ(metrics.tmWeight, FW_BOLD);
        EXPECT_EQ(metrics.tmCharSet, GB2312_CHARSET);
        EXPECT_FALSE(metrics.tmItalic || metrics.tmUnderlined || metrics.tmStruckOut);
    }
    ReleaseDC(window, context);
}

// Title bar, task bar and Alt+Tab take the icon of the program file, whose
// resources this test program carries too.
TEST(Win32Icon, WindowShowsTheProgramFileIcon) {
    rongxi::win32::MainWindow form(GetModuleHandleW(nullptr));
    HWND window = form.handle();
    for (const int which : {GCLP_HICON, GCLP_HICONSM}) {
        auto* icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, which));
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap);
        EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(which == GCLP_HICON ? SM_CXICON : SM_CXSMICON));
        DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    }
}

// What a screen reader asks of each control through Active Accessibility.
// Wine has no annotation service, so there only the frames and buttons,
// named by their captions, can answer; the boxes' names are given by
// annotation and are not verified here.
TEST(Win32Accessibility, FramesAndButtonsCarryTheirChineseNames) {
    rongxi::win32::MainWindow form(GetModuleHandleW(nullptr));
    HWND window = form.handle();
    for (std::size_t index = 0; index < kExpectedLayout.size(); ++index) {
        const auto& expected = kExpectedLayout[index];
        if (expected.kind != Kind::Frame && expected.kind != Kind::Button) continue;
        SCOPED_TRACE(std::string(expected.name));
        IAccessible* accessible = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(GetDlgItem(window, 100 + static_cast<int>(index)),
                                             static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                             reinterpret_cast<void**>(&accessible)),
                  S_OK);
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        EXPECT_EQ(accessible->get_accName(self, &name), S_OK);
        EXPECT_EQ(std::wstring(name != nullptr ? name : L""), Wide(expected.caption));
        SysFreeString(name);
        accessible->Release();
    }
}

// A screen reader hears of the rows and of the clear through a live region:
// its change is seen from outside the program by a WinEvent hook, and its
// name read through Active Accessibility, as Narrator and NVDA do.
std::vector<std::wstring> gHeard;

void CALLBACK OnLiveRegionChanged(HWINEVENTHOOK /*hook*/, DWORD /*event*/, HWND window, LONG object,
                                  LONG child, DWORD /*thread*/, DWORD /*time*/) {
    IAccessible* accessible = nullptr;
    VARIANT self{};
    if (FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                         static_cast<DWORD>(child), &accessible, &self))) {
        gHeard.emplace_back(L"(no object)");
        return;
    }
    BSTR name = nullptr;
    accessible->get_accName(self, &name);
    gHeard.emplace_back(name != nullptr ? name : L"");
    SysFreeString(name);
    VariantClear(&self);
    accessible->Release();
}

TEST_F(Win32Window, ScreenReadersHearTheRowsFilledAndTheBoxesCleared) {
    constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED
    DWORD program = 0;
    GetWindowThreadProcessId(user.window(), &program);
    HWINEVENTHOOK hook = SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr,
                                         &OnLiveRegionChanged, program, 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    gHeard.clear();
    const auto hears = [](std::string_view said) {
        const std::wstring expected = Wide(said);
        return Eventually([&] {
            MSG message{};
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
                DispatchMessageW(&message);
            }
            return !gHeard.empty() && gHeard.back() == expected;
        });
    };
    typeDraw(u"123");
    user.click("Command1");
    EXPECT_TRUE(hears(rongxi::core::TextOf(rongxi::core::ProgramText::RowsFilled)));
    EXPECT_EQ(user.focusName(), "Command1");
    user.click("Command2");
    EXPECT_TRUE(hears(rongxi::core::TextOf(rongxi::core::ProgramText::BoxesCleared)));
    EXPECT_EQ(user.focusName(), "Command2");
    UnhookWinEvent(hook);
}

// Windows 7 without its loader update refuses to search System32 alone: the
// library is then loaded by its path in System32, as the screen-reader
// names need ole32.
HMODULE WINAPI LoaderWithoutSearchFlags(LPCWSTR name, HANDLE file, DWORD flags) {
    if ((flags & LOAD_LIBRARY_SEARCH_SYSTEM32) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return LoadLibraryExW(name, file, flags);
}

TEST(Win32Windows7, WithoutTheLoaderUpdateSystemLibrariesLoadFromSystem32) {
    HMODULE ole32 = rongxi::win32::LoadSystemLibrary(L"ole32.dll", &LoaderWithoutSearchFlags);
    ASSERT_NE(ole32, nullptr);
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(ole32, path.data(), MAX_PATH));
    std::wstring system32(MAX_PATH, L'\0');
    system32.resize(GetSystemDirectoryW(system32.data(), MAX_PATH));
    EXPECT_EQ(CompareStringOrdinal(path.c_str(), static_cast<int>(system32.size()),
                                   system32.c_str(), -1, TRUE),
              CSTR_EQUAL);
    FreeLibrary(ole32);
}

// A window moved to a screen with twice the scale lays itself out again.
TEST(Win32Dpi, MovingToAScreenWithAnotherScaleLaysOutAgain) {
    rongxi::win32::MainWindow form(GetModuleHandleW(nullptr));
    HWND window = form.handle();
    const UINT dpi = rongxi::win32::WindowDpi(window) * 2;
    RECT suggested{0, 0, 1000, 800};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    const int scale = 2 * Scale();
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, rongxi::test::kClientWidth * scale);
    EXPECT_EQ(client.bottom, rongxi::test::kClientHeight * scale);
    HWND text9 = GetDlgItem(window, 100 + 13);
    RECT rect{};
    GetWindowRect(text9, &rect);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 16 * scale);
    EXPECT_EQ(rect.top, 192 * scale);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(text9, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -14 * scale);
}

// The rows of each draw are the core's to test; here, that the button reads
// the boxes and writes the rows.
TEST_F(Win32Window, ATypedDrawComputesItsRows) {
    const auto& draw = rongxi::test::kDrawScenarios.front();
    for (std::size_t i = 0; i < 3; ++i) typeInto(kExpectedLayout[i + 1].name, draw.entries[i]);
    user.click("Command1");
    const std::u16string lastRow = Utf16FromUtf8(draw.rows[5]);
    EXPECT_TRUE(Eventually([&] { return user.text("Text9") == lastRow; }));
    for (std::size_t row = 0; row < 6; ++row) {
        EXPECT_EQ(user.text(kExpectedLayout[row + 8].name), Utf16FromUtf8(draw.rows[row]));
    }
    EXPECT_EQ(user.focusName(), "Command1");
}

TEST_F(Win32Window, EntryBoxesAdvanceAndHoldOneWholeCharacter) {
    const std::u16string smile = u"\U0001F600";
    user.type(u"1");
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Text2"; }));
    user.type(smile);  // a surrogate pair: two key messages, one character
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Text3"; }));
    EXPECT_EQ(user.text("Text2"), smile);

    clickInto("Text1");
    user.type(u"2");  // full: refused, and the caret stays, so Tab goes on to Text2
    user.key(VK_TAB);
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Text2"; }));
    EXPECT_EQ(user.text("Text1"), u"1");

    user.key(VK_TAB, {VK_SHIFT});
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Text1"; }));
    // With the caret at the end nothing is selected; Ctrl+A selects the
    // character, which is no change, and a character typed replaces it.
    user.key(VK_END);
    user.key('A', {VK_CONTROL});
    user.type(u"7");
    EXPECT_TRUE(Eventually([&] { return user.text("Text1") == u"7"; }));
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Text2"; }));

    clickInto("Text3");
    user.type(
        u"\xD83D"
        u"4");  // a lone half never reaches the box
    EXPECT_TRUE(Eventually([&] { return user.text("Text3") == u"4"; }));
    ProgramDriver::setClipboard(u"5");
    user.key(VK_END);
    user.key(VK_INSERT, {VK_SHIFT});  // full, nothing selected: the paste is refused
    user.key(VK_TAB);
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Command1"; }));
    EXPECT_EQ(user.text("Text3"), u"4");

    clickInto("Text2");
    user.key(VK_END);
    user.key(VK_BACK);  // deletes the wide character whole
    EXPECT_TRUE(Eventually([&] { return user.text("Text2").empty(); }));
    EXPECT_EQ(user.focusName(), "Text2");
}

// Ctrl+V, Shift+Insert and the context menu's Paste each take the
// clipboard's first character, into an empty box or in place of the
// selected one, as one edit that Ctrl+Z undoes.
TEST_F(Win32Window, EveryWayOfPastingKeepsOneCharacterAndUndoesInOneStep) {
    const struct {
        const char* name;
        std::function<void(ProgramDriver&)> paste;
    } paths[] = {
        {"Ctrl+V", [](ProgramDriver& driver) { driver.key('V', {VK_CONTROL}); }},
        {"Shift+Insert", [](ProgramDriver& driver) { driver.key(VK_INSERT, {VK_SHIFT}); }},
        {"the context menu",
         [](ProgramDriver& driver) {
             driver.rightClick("Text3");
             ASSERT_NE(
                 driver.waitForWindow([](HWND window) { return ClassName(window) == L"#32768"; }),
                 nullptr);
             driver.key('P');
         }},
    };
    ProgramDriver::setClipboard(u"56");
    for (const auto& path : paths) {
        SCOPED_TRACE(path.name);
        user.click("Command2");
        ASSERT_TRUE(Eventually([&] { return user.text("Text1").empty(); }));
        clickInto("Text3");
        path.paste(user);
        EXPECT_TRUE(Eventually([&] { return user.text("Text3") == u"5"; }));
        user.key('Z', {VK_CONTROL});
        EXPECT_TRUE(Eventually([&] { return user.text("Text3").empty(); }));

        user.type(u"4");
        ASSERT_TRUE(Eventually([&] { return user.text("Text3") == u"4"; }));
        user.key('A', {VK_CONTROL});
        path.paste(user);
        EXPECT_TRUE(Eventually([&] { return user.text("Text3") == u"5"; }));
        user.key('Z', {VK_CONTROL});
        EXPECT_TRUE(Eventually([&] { return user.text("Text3") == u"4"; }));
    }
}

// The boxes' context menu is laid out as the system's, and greys an item
// where it would do nothing: Paste in a full box, Select All when all is
// selected. Menus cannot be read from another process under Wine: the
// window is made here, and the open menu read from inside its modal loop.
std::string gMenuItems;  // "-" a separator, "+" an item that can be chosen, "." a greyed one

void CALLBACK ReadOpenMenu(HWND /*window*/, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (popup == nullptr) return;  // not open yet
    KillTimer(nullptr, timer);
    auto* const menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int index = 0; index < GetMenuItemCount(menu); ++index) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(index), MF_BYPOSITION);
        gMenuItems += (state & MF_SEPARATOR) != 0 ? '-' : (state & MF_GRAYED) != 0 ? '.' : '+';
    }
    EndMenu();
}

TEST(Win32ContextMenu, GreysWhatWouldDoNothing) {
    rongxi::win32::MainWindow form(GetModuleHandleW(nullptr));
    ShowWindow(form.handle(), SW_SHOW);
    HWND box = GetDlgItem(form.handle(), 100 + 3);  // Text3
    ProgramDriver::setClipboard(u"56");
    SetWindowTextW(box, L"4");
    const auto menuItems = [&] {
        gMenuItems.clear();
        SetTimer(nullptr, 0, 20, &ReadOpenMenu);
        SendMessageW(box, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box), MAKELPARAM(-1, -1));
        return gMenuItems;
    };
    // Undo | Cut Copy Paste Delete | Select All
    SendMessageW(box, EM_SETSEL, 1, 1);
    EXPECT_EQ(menuItems(), ".-....-+");  // a full box, nothing selected, nothing to undo
    SendMessageW(box, EM_SETSEL, 0, -1);
    EXPECT_EQ(menuItems(), ".-++++-.");  // all of it selected
}

// An input method's commit takes the place of the selected character, as
// a paste does: its first character, not the character it replaced. The
// window is made here, where the test can be the input method.
TEST(Win32InputMethod, ACommitInPlaceOfTheSelectedCharacterLeavesItsFirst) {
    rongxi::win32::MainWindow form(GetModuleHandleW(nullptr));
    ShowWindow(form.handle(), SW_SHOW);
    SetForegroundWindow(form.handle());
    HWND box = GetDlgItem(form.handle(), 100 + 3);  // Text3
    SetWindowTextW(box, L"1");
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    HIMC context = ImmGetContext(box);
    ASSERT_NE(context, nullptr);
    std::wstring phrase = L"你好";
    const auto bytes = static_cast<DWORD>(phrase.size() * sizeof(wchar_t));
    EXPECT_TRUE(ImmSetCompositionStringW(context, SCS_SETSTR, phrase.data(), bytes, nullptr, 0));
    EXPECT_TRUE(ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0));
    ImmReleaseContext(box, context);
    EXPECT_TRUE(Eventually([&] {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            DispatchMessageW(&message);
        }
        return Text(box) == L"你";
    })) << Utf8(Text(box));
}

// Only a focused button wears the default button's frame: in a box, Enter
// presses nothing, and no button may look as if it would.
TEST_F(Win32Window, OnlyAFocusedButtonIsFramedAsTheDefault) {
    const auto framed = [&](std::string_view button) {
        return (static_cast<DWORD>(GetWindowLongW(user.control(button), GWL_STYLE)) &
                BS_TYPEMASK) == static_cast<DWORD>(BS_DEFPUSHBUTTON);
    };
    user.click("Command2");
    EXPECT_TRUE(Eventually([&] { return framed("Command2"); }));
    clickInto("Text1");
    EXPECT_TRUE(Eventually([&] { return !framed("Command2"); }));
    for (const char* button : {"Command1", "Command2", "Command3"}) EXPECT_FALSE(framed(button));
}

// DEL (which Ctrl+Backspace types into an EDIT control) and the C0 and C1
// controls are not text: a box takes none of them.
TEST_F(Win32Window, ControlCharactersAreNotTaken) {
    clickInto("Text1");
    user.key(VK_BACK, {VK_CONTROL});
    user.type(u"\x7F\x85\x9F\x1B");
    user.type(u"4");  // lands after them: the box was still empty
    EXPECT_TRUE(Eventually([&] { return user.text("Text1") == u"4"; }));
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Text2"; }));
}

// A high half typed into a box waits for its low half only while the box
// keeps the focus.
TEST_F(Win32Window, AHalfCharacterDoesNotOutliveTheFocus) {
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Text1"; }));
    user.type(u"\xD83D");
    clickInto("Text2");
    clickInto("Text1");
    user.type(
        u"\xDE00"
        u"4");
    EXPECT_TRUE(Eventually([&] { return user.text("Text1") == u"4"; }));
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Text2"; }));
}

TEST_F(Win32Window, TabWalksTheTableOrderBothWays) {
    const auto& cycle = rongxi::test::kTabCycle;
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Text1"; }));
    for (std::size_t step = 1; step <= cycle.size(); ++step) {
        user.key(VK_TAB);
        const std::string_view next = cycle[step % cycle.size()];
        EXPECT_TRUE(Eventually([&] { return user.focusName() == next; })) << next;
    }
    for (std::size_t step = cycle.size(); step > 0; --step) {
        user.key(VK_TAB, {VK_SHIFT});
        const std::string_view previous = cycle[step - 1];
        EXPECT_TRUE(Eventually([&] { return user.focusName() == previous; })) << previous;
    }
}

TEST_F(Win32Window, EnterAndEscInABoxPressNothingEnterOnAButtonPressesIt) {
    typeDraw(u"123");
    user.key(VK_RETURN);
    user.key(VK_ESCAPE);
    user.key(VK_TAB);  // reaches the window after Enter and Esc
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Command1"; }));
    EXPECT_EQ(user.text("Text4"), u"");

    user.key(VK_RETURN);
    EXPECT_TRUE(Eventually([&] { return user.text("Text4") == u"1234590*2345601*3456712"; }));
    user.key(VK_TAB);
    user.key(VK_SPACE);
    EXPECT_TRUE(
        Eventually([&] { return user.text("Text1").empty() && user.text("Text9").empty(); }));
    EXPECT_EQ(user.focusName(), "Command2");  // the clear leaves the focus where it is
}

// However the focus came to a button, by Tab or after clicks elsewhere,
// Enter presses it.
TEST_F(Win32Window, EnterPressesTheFocusedButtonAfterTheMouseWasUsed) {
    typeDraw(u"123");
    user.key(VK_TAB);
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Command1"; }));
    user.key(VK_RETURN);
    EXPECT_TRUE(Eventually([&] { return user.text("Text4") == u"1234590*2345601*3456712"; }));

    user.click("Command2");
    EXPECT_TRUE(Eventually([&] { return user.text("Text4").empty(); }));
    clickInto("Text1");
    typeDraw(u"456");
    user.key(VK_TAB);
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Command1"; }));
    user.key(VK_RETURN);
    const std::u16string firstRow =
        Utf16FromUtf8(rongxi::test::ExpectedRows({u"4", u"5", u"6"}).front());
    EXPECT_TRUE(Eventually([&] { return user.text("Text4") == firstRow; }));

    user.key(VK_TAB);
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Command2"; }));
    user.key(VK_RETURN);
    EXPECT_TRUE(
        Eventually([&] { return user.text("Text1").empty() && user.text("Text9").empty(); }));

    clickInto("Text4");
    user.key(VK_TAB, {VK_SHIFT});
    EXPECT_TRUE(Eventually([&] { return user.focusName() == "Command3"; }));
    user.key(VK_RETURN);
    EXPECT_EQ(user.waitForExit(), 0);
}

TEST_F(Win32Window, ResultBoxesTakeTextsOfAnyLength) {
    const std::u16string longText(40000, u'8');  // an EDIT stops at 30,000 unless told
    ProgramDriver::setClipboard(longText);
    user.click("Text9");
    user.key('V', {VK_CONTROL});
    EXPECT_TRUE(Eventually([&] { return user.text("Text9").size() == longText.size(); }));
}

TEST_F(Win32Window, ExitEndsWithStatusZero) {
    user.type(u"12");
    user.click("Command3");
    EXPECT_EQ(user.waitForExit(), 0);
}

TEST(Win32Closing, EveryWayOfClosingEndsWithStatusZero) {
    for (const char* how : {"WM_CLOSE", "Alt+F4"}) {
        SCOPED_TRACE(how);
        ProgramDriver user(gProgram);
        user.type(u"9");
        if (std::string_view(how) == "WM_CLOSE") {
            PostMessageW(user.window(), WM_CLOSE, 0, 0);
        } else {
            user.key(VK_F4, {VK_MENU});
        }
        EXPECT_EQ(user.waitForExit(), 0);
    }
}

TEST(Win32Failure, IsReportedUnderTheCaptionAndEndsWithStatusOne) {
    ProgramDriver user(gFailingProgram);
    user.click("Command1");
    HWND messageBox =
        user.waitForWindow([](HWND window) { return ClassName(window) == L"#32770"; });
    ASSERT_NE(messageBox, nullptr);
    EXPECT_EQ(Text(messageBox), L"榕汐 ");
    EXPECT_EQ(Text(GetDlgItem(messageBox, 0xFFFF)), L"运行时错误：磁盘已满");
    EXPECT_EQ(user.text("Text5"), u"0156789*0156789*0156789");  // written before the failure
    EXPECT_EQ(user.text("Text6"), u"");
    PostMessageW(messageBox, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(user.waitForExit(), 1);
}

// The client area as drawn, shown without activation (so no caret blinks).
std::vector<COLORREF> DrawnPixels(HWND window) {
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    for (MSG message{}; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE;) {
        DispatchMessageW(&message);
    }
    RECT client{};
    GetClientRect(window, &client);
    HDC source = GetDC(window);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) pixels.push_back(GetPixel(source, x, y));
    }
    ReleaseDC(window, source);
    return pixels;
}

// "Make text bigger" changes the system's message font; the layout is fixed,
// so the window must not take it up.
TEST(Win32Fonts, TheWindowLooksTheSameWhateverTheSystemMessageFont) {
    NONCLIENTMETRICSW original{};
    original.cbSize = sizeof(original);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(original), &original, 0));
    // Put back however the test ends.
    const std::unique_ptr<NONCLIENTMETRICSW, void (*)(NONCLIENTMETRICSW*)> restore(
        &original, [](NONCLIENTMETRICSW* metrics) {
            SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(*metrics), metrics, 0);
        });
    std::vector<COLORREF> first;
    for (const LONG height : {original.lfMessageFont.lfHeight, -18L, -24L}) {
        SCOPED_TRACE(height);
        NONCLIENTMETRICSW metrics = original;
        metrics.lfMessageFont.lfHeight = height;
        ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
        rongxi::win32::MainWindow form(GetModuleHandleW(nullptr));
        const std::vector<COLORREF> pixels = DrawnPixels(form.handle());
        if (first.empty()) first = pixels;
        EXPECT_TRUE(pixels == first);
    }
    EXPECT_NE(std::count(first.begin(), first.end(), first.front()), std::ssize(first))
        << "nothing drawn";
}

// A control the system refuses to create ends the program as a failure
// does, in Chinese and with status 1, and the window made by then goes
// with it.
TEST(Win32Failure, AControlTheSystemRefusesLeavesNoWindowBehind) {
    SetEnvironmentVariableW(L"RONGXI_FAULT", L"control");
    ProgramDriver user(gFailingProgram);  // the window it finds is the message
    SetEnvironmentVariableW(L"RONGXI_FAULT", nullptr);
    HWND messageBox = user.window();
    EXPECT_EQ(ClassName(messageBox), L"#32770");
    EXPECT_EQ(Text(GetDlgItem(messageBox, 0xFFFF)).rfind(L"运行时错误：", 0), 0U);
    EXPECT_EQ(FindWindowW(L"RongxiMainWindow", nullptr), nullptr);
    PostMessageW(messageBox, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(user.waitForExit(), 1);
}

// Once the user has closed the window, the program does not touch its
// handle again: the system may give it to another window.
TEST(Win32Lifetime, AClosedWindowIsLetGo) {
    rongxi::win32::MainWindow form(GetModuleHandleW(nullptr));
    ASSERT_NE(form.handle(), nullptr);
    SendMessageW(form.handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form.handle(), nullptr);
    MSG quit{};
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the closed window's
}

// A window the system refuses to create is a failure, not a message loop
// with nothing to show.
TEST(Win32Lifetime, AWindowTheSystemRefusesIsAFailure) {
    HHOOK refuse = SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (code == HCBT_CREATEWND) return 1;
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    ASSERT_NE(refuse, nullptr);
    EXPECT_THROW(rongxi::win32::MainWindow form(GetModuleHandleW(nullptr)), std::system_error);
    UnhookWindowsHookEx(refuse);
}

// Another program may put a clipboard block with no NUL at its end.
TEST(Win32Clipboard, ABlockIsReadUpToItsNulAndNeverPastItsEnd) {
    const wchar_t units[] = {L'1', L'2', L'\0', L'3', L'4', L'5'};
    const struct {
        std::size_t bytes;
        std::u16string text;
    } cases[] = {{sizeof(units), u"12"},
                 {2 * sizeof(wchar_t), u"12"},
                 {sizeof(wchar_t) + 1, u"1"},
                 {0, u""}};
    for (const auto& c : cases) {
        EXPECT_EQ(rongxi::win32::TextInBlock(units, c.bytes), c.text) << c.bytes;
    }
    EXPECT_EQ(rongxi::win32::TextInBlock(units + 3, 3 * sizeof(wchar_t)), u"345");
}

// A path as Wine shows the Unix file system: drive Z.
std::wstring WindowsPath(std::string path) {
    if (!path.empty() && path.front() == '/') {
        for (char& c : path) c = c == '/' ? '\\' : c;
        path = "Z:" + path;
    }
    return Wide(path);
}

}  // namespace

int main(int argc, char** argv) {
    // Measures in real pixels at any scale, where the system knows how.
    using SetAwarenessFunction = BOOL(WINAPI*)(HANDLE);
    if (const auto setAwareness =
            reinterpret_cast<SetAwarenessFunction>(reinterpret_cast<void (*)()>(GetProcAddress(
                GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")))) {
        auto* const perMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
        setAwareness(perMonitorAwareV2);
    }
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--program=", 0) == 0) gProgram = WindowsPath(argument.substr(10));
        if (argument.rfind("--failing-program=", 0) == 0) {
            gFailingProgram = WindowsPath(argument.substr(18));
        }
    }
    gProgramWithoutNewerDpi =
        CopyWithoutFunctions(gProgram, {"GetDpiForWindow", "GetDpiForMonitor"});
    return RUN_ALL_TESTS();
}
