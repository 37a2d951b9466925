// Every text the program shows or speaks, other than the controls' captions
// and accessible names (which stand in the layout table), in one table.
// Front-ends and the page's build ask for a text by its key.
//
// Texts are UTF-8.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace rongxi::core {

enum class ProgramText {
    // Spoken to a screen reader user after the compute and clear buttons,
    // whose rows and boxes change away from the focus.
    RowsFilled,
    BoxesCleared,
    // A handler's failure: the prefix, and the failure nothing described.
    RuntimeError,
    UnknownFailure,
    // The entry boxes' own context menu, where the toolkit has none in
    // Chinese; "&" marks an item's access key.
    MenuUndo,
    MenuCut,
    MenuCopy,
    MenuPaste,
    MenuDelete,
    MenuSelectAll,
    // A graphical interface that could not be started, in Chinese and in
    // English: no display set, one that does not answer ("{}" names it), or
    // another failure ("{}" names the platform or the display).
    NoDisplaySet,
    NoDisplaySetEnglish,
    DisplayUnreachable,
    DisplayUnreachableEnglish,
    PlatformFailed,
    PlatformFailedEnglish,
    // The page: in the window's place once the program has ended, where the
    // browser cannot run it, where the program could not be downloaded (and
    // the link that tries again), and without JavaScript.
    Ended,
    StartAgain,
    CannotRun,
    DownloadFailed,
    TryAgain,
    NeedsJavaScript,
    // A page without one of the window's elements, whose id follows.
    MissingElement,
};

struct ProgramTextEntry {
    ProgramText id;
    std::string_view key;  // its name outside C++: the page's build, the tests
    std::string_view text;
};

inline constexpr std::array<ProgramTextEntry, 23> kProgramTexts{{
    {ProgramText::RowsFilled, "rows-filled", "杀垃圾复试六行已填好"},
    {ProgramText::BoxesCleared, "boxes-cleared", "九个框已全部清空"},
    {ProgramText::RuntimeError, "runtime-error", "运行时错误："},
    {ProgramText::UnknownFailure, "unknown-failure", "未知错误"},
    {ProgramText::MenuUndo, "menu-undo", "撤消(&U)"},
    {ProgramText::MenuCut, "menu-cut", "剪切(&T)"},
    {ProgramText::MenuCopy, "menu-copy", "复制(&C)"},
    {ProgramText::MenuPaste, "menu-paste", "粘贴(&P)"},
    {ProgramText::MenuDelete, "menu-delete", "删除(&D)"},
    {ProgramText::MenuSelectAll, "menu-select-all", "全选(&A)"},
    {ProgramText::NoDisplaySet, "no-display-set",
     "没有可以显示窗口的图形界面：未设置 DISPLAY 或 WAYLAND_DISPLAY，请在桌面会话中启动。"},
    {ProgramText::NoDisplaySetEnglish, "no-display-set-english",
     "no graphical display is set (DISPLAY or WAYLAND_DISPLAY): start it from a desktop "
     "session."},
    {ProgramText::DisplayUnreachable, "display-unreachable",
     "无法连接图形界面 {}：请确认它正在运行，或在桌面会话中启动。"},
    {ProgramText::DisplayUnreachableEnglish, "display-unreachable-english",
     "cannot reach the graphical display {}: check that it is running, or start it from a "
     "desktop session."},
    {ProgramText::PlatformFailed, "platform-failed",
     "无法在图形界面 {} 上打开窗口，Qt 的说明如下："},
    {ProgramText::PlatformFailedEnglish, "platform-failed-english",
     "cannot open the window on the graphical interface {}; Qt says:"},
    {ProgramText::Ended, "ended", "榕汐已退出。"},
    {ProgramText::StartAgain, "start-again", "重新打开"},
    {ProgramText::CannotRun, "cannot-run", "榕汐无法在此浏览器中运行。"},
    {ProgramText::DownloadFailed, "download-failed",
     "榕汐没能通过网络载入，请检查网络连接后重试。"},
    {ProgramText::TryAgain, "try-again", "重试"},
    {ProgramText::NeedsJavaScript, "needs-javascript", "榕汐需要浏览器允许运行 JavaScript。"},
    {ProgramText::MissingElement, "missing-element", "页面中缺少元素 "},
}};

static_assert(
    [] {
        for (std::size_t index = 0; index < kProgramTexts.size(); ++index) {
            if (static_cast<std::size_t>(kProgramTexts[index].id) != index) return false;
        }
        return true;
    }(),
    "each text stands at the index of its key");

constexpr std::string_view TextOf(ProgramText id) {
    return kProgramTexts[static_cast<std::size_t>(id)].text;
}

}  // namespace rongxi::core
