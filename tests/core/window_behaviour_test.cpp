// The window's behaviour through a fake window: what each of the five
// handlers reads, writes and moves, in what order, and what a failure does.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/unicode_text.h"
#include "core/window_behaviour.h"
#include "data/draw_scenarios.h"

namespace {

using rongxi::core::Control;
using rongxi::core::ControlByDesignName;
using rongxi::core::Utf16FromUtf8;
using rongxi::core::WindowBehaviour;

// Tests name the controls as the layout table does.
Control Named(std::string_view name) {
    const std::optional<Control> control = ControlByDesignName(name);
    if (!control) throw std::invalid_argument("no control " + std::string(name));
    return *control;
}
std::u16string Spoken(rongxi::core::ProgramText id) {
    return Utf16FromUtf8(rongxi::core::TextOf(id));
}
std::string NameOf(Control control) {
    return std::string(rongxi::core::SpecOf(control).designName);
}

// Nine boxes in a map. Like a real toolkit it reports every change of a
// box's text, including the corrections the behaviour makes, and it logs
// what the behaviour did.
class FakeWindow final : public rongxi::core::MainWindow {
public:
    [[nodiscard]] std::u16string text(Control box) const override { return boxes.at(NameOf(box)); }
    void setText(Control box, std::u16string_view text) override {
        if (NameOf(box) == failingBox) throw std::runtime_error("磁盘已满");
        log.push_back("set " + NameOf(box));
        change(box, text);
    }
    void correctText(Control box, std::u16string_view text) override {
        log.push_back("correct " + NameOf(box));
        change(box, text);
    }
    void setFocus(Control box) override { focus = NameOf(box); }
    void announce(std::u16string_view text) override {
        log.emplace_back(text == Spoken(rongxi::core::ProgramText::RowsFilled) ? "say rows filled"
                         : text == Spoken(rongxi::core::ProgramText::BoxesCleared) ? "say cleared"
                                                                                   : "say other");
    }
    void endProgram(int status) override { exitStatus = status; }
    void showFailure(std::u16string_view title, std::u16string_view message) override {
        failureTitle = title;
        failureMessage = message;
    }

    // What a user does: changes a box's text by a path the toolkit does not
    // report as arriving text, lets text arrive, clicks, presses Enter.
    void type(std::string_view box, std::string_view utf8) {
        change(Named(box), Utf16FromUtf8(utf8));
    }
    void arrive(std::string_view box, rongxi::core::Arrival how, std::u16string_view incoming) {
        const std::u16string shown = boxes.at(std::string(box));
        const auto edit =
            behaviour.editForArrival(Named(box), shown, {0, shown.size()}, how, incoming);
        if (edit) change(Named(box), rongxi::core::Applied(shown, edit));
    }
    void click(std::string_view control) { behaviour.click(Named(control)); }

    std::map<std::string, std::u16string> boxes{{"Text1", u""}, {"Text2", u""}, {"Text3", u""},
                                                {"Text4", u""}, {"Text5", u""}, {"Text6", u""},
                                                {"Text7", u""}, {"Text8", u""}, {"Text9", u""}};
    WindowBehaviour behaviour{*this};
    std::string focus = "Text1";
    std::vector<std::string> log;
    std::string failingBox;
    int exitStatus = -1;
    std::u16string failureTitle;
    std::u16string failureMessage;

private:
    void change(Control box, std::u16string_view text) {
        std::u16string& held = boxes.at(NameOf(box));
        if (held == text) return;
        held = text;
        behaviour.textChanged(box);
    }
};

class Handlers : public testing::Test {
protected:
    FakeWindow window;
};

TEST_F(Handlers, ComputeWritesEachScenarioRowByRow) {
    for (const auto& scenario : rongxi::test::kDrawScenarios) {
        SCOPED_TRACE(scenario.name);
        for (std::size_t i = 0; i < 3; ++i) {
            window.boxes["Text" + std::to_string(i + 1)] = Utf16FromUtf8(scenario.entries[i]);
        }
        window.focus = "Command1";
        window.log.clear();
        window.click("Command1");
        for (std::size_t row = 0; row < 6; ++row) {
            EXPECT_EQ(window.boxes["Text" + std::to_string(row + 4)],
                      Utf16FromUtf8(scenario.rows[row]));
        }
        // A screen reader hears of the rows once they are all written.
        EXPECT_EQ(window.log,
                  (std::vector<std::string>{"set Text4", "set Text5", "set Text6", "set Text7",
                                            "set Text8", "set Text9", "say rows filled"}));
        EXPECT_EQ(window.focus, "Command1");
    }
}

TEST_F(Handlers, EntryAdvanceLooksOnlyAtTheLength) {
    const struct {
        const char* box;
        const char* typed;
        const char* focusAfter;
    } cases[] = {
        {"Text1", "1", "Text2"}, {"Text1", "x", "Text2"}, {"Text1", "杀", "Text2"},
        {"Text1", "😀", "Text2"}, {"Text1", "", "Text1"},  {"Text1", "12", "Text2"},
        {"Text2", " ", "Text3"}, {"Text2", "", "Text1"},  {"Text3", "3", "Text1"},
        {"Text4", "7", "Text1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " <- '" + c.typed + "'");
        window.focus = "Text1";
        window.type(c.box, c.typed);
        EXPECT_EQ(window.focus, c.focusAfter);
    }
}

TEST_F(Handlers, ClearEmptiesTheNineBoxesInOrderAndKeepsTheFocus) {
    for (auto& [name, text] : window.boxes) text = u"9";
    window.focus = "Command2";
    window.click("Command2");
    std::vector<std::string> expected;
    for (int n = 1; n <= 9; ++n) {
        expected.push_back("set Text" + std::to_string(n));
        EXPECT_EQ(window.boxes["Text" + std::to_string(n)], u"");
    }
    expected.emplace_back("say cleared");
    EXPECT_EQ(window.log, expected);
    EXPECT_EQ(window.focus, "Command2");  // the nested entry advances found empty boxes
    window.click("Command1");
    EXPECT_EQ(window.boxes["Text4"], u"0123489*0123489*0123489");
}

TEST_F(Handlers, EntryBoxesKeepOneCharacterWhateverPathTheTextTakes) {
    using rongxi::core::Arrival;
    window.arrive("Text1", Arrival::Pasted, u"56");
    EXPECT_EQ(window.boxes["Text1"], u"5");
    EXPECT_EQ(window.focus, "Text2");
    window.arrive("Text2", Arrival::Typed, u"\x7F");
    EXPECT_EQ(window.boxes["Text2"], u"");
    EXPECT_EQ(window.focus, "Text2");
    // A change the toolkit did not show as arriving text (an undo, a screen
    // reader) is put right through the window, as an edit of its own.
    window.type("Text2", "78");
    EXPECT_EQ(window.boxes["Text2"], u"7");
    EXPECT_EQ(window.focus, "Text3");
    window.type("Text2", "79");
    EXPECT_EQ(window.boxes["Text2"], u"7");
    EXPECT_EQ(window.log, (std::vector<std::string>{"correct Text2", "correct Text2"}));
    // A composition that landed whole is cut down to what it may leave.
    window.focus = "Text3";
    window.boxes["Text3"] = u"你好";
    window.behaviour.compositionLanded(Named("Text3"), u"", {0, 0}, u"你好");
    EXPECT_EQ(window.boxes["Text3"], u"你");
}

TEST_F(Handlers, EnterPressesTheFocusedButtonAndNothingElse) {
    window.boxes["Text1"] = u"1";
    for (const char* control : {"Text1", "Text4", "Frame1"}) {
        window.behaviour.enterPressed(Named(control));
    }
    EXPECT_TRUE(window.log.empty());
    window.behaviour.enterPressed(Named("Command2"));
    EXPECT_EQ(window.boxes["Text1"], u"");
}

TEST_F(Handlers, ExitEndsWithStatusZeroAndOtherEventsDoNothing) {
    for (const char* control : {"Frame1", "Frame2", "Text1", "Text9"}) window.click(control);
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(window.exitStatus, -1);
    window.click("Command3");
    EXPECT_EQ(window.exitStatus, 0);
    EXPECT_TRUE(window.failureMessage.empty());
}

TEST_F(Handlers, FailureIsReportedUnderTheCaptionAndEndsWithStatusOne) {
    window.failingBox = "Text6";
    window.boxes["Text6"] = u"old";
    window.click("Command1");
    EXPECT_EQ(window.log, (std::vector<std::string>{"set Text4", "set Text5"}));  // nothing said
    EXPECT_EQ(window.boxes["Text5"], u"0156789*0156789*0156789");  // written before it failed
    EXPECT_EQ(window.boxes["Text6"], u"old");
    EXPECT_EQ(window.failureTitle, u"榕汐 ");
    EXPECT_EQ(window.failureMessage, u"运行时错误：磁盘已满");
    EXPECT_EQ(window.exitStatus, 1);
}

TEST_F(Handlers, AFailureOfAnyKindIsReported) {
    window.behaviour.runGuarded([] { throw 42; });
    EXPECT_EQ(window.failureMessage, u"运行时错误：未知错误");
    EXPECT_EQ(window.exitStatus, 1);
    window.behaviour.runGuarded([] { throw std::runtime_error("\xff broken"); });
    EXPECT_EQ(window.failureMessage, u"运行时错误：\uFFFD broken");
}

}  // namespace
