// The window's behaviour through a fake window: what each of the five
// handlers reads, writes and moves, in what order, and what a failure does.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "draw_scenarios.h"
#include "ui/form1_handlers.h"
#include "ui/unicode_text.h"

namespace {

using rongxi::ui::Control;
using rongxi::ui::ControlNamed;
using rongxi::ui::Form1Handlers;
using rongxi::ui::Utf16FromUtf8;

// Tests name the controls as the layout table does.
Control Named(std::string_view name) {
    const std::optional<Control> control = ControlNamed(name);
    if (!control) throw std::invalid_argument("no control " + std::string(name));
    return *control;
}
std::string NameOf(Control control) { return std::string(rongxi::ui::SpecOf(control).name); }

// Nine boxes in a map. Like a real toolkit it reports every change of a
// box's text, puts back what the handlers correct, and logs what the
// handlers did.
class FakeWindow final : public rongxi::ui::Form1Window {
public:
    [[nodiscard]] std::u16string text(Control box) const override { return boxes.at(NameOf(box)); }
    void setText(Control box, std::u16string_view text) override {
        if (NameOf(box) == failingBox) throw std::runtime_error("磁盘已满");
        log.push_back("set " + NameOf(box));
        change(box, text);
    }
    void setFocus(Control box) override { focus = NameOf(box); }
    void endProgram(int status) override { exitStatus = status; }
    void showFailure(std::u16string_view title, std::u16string_view message) override {
        failureTitle = title;
        failureMessage = message;
    }

    // What a user does: types into a box (a change of its text), clicks.
    void type(std::string_view box, std::string_view utf8) {
        change(Named(box), Utf16FromUtf8(utf8));
    }
    void click(std::string_view control) { handlers.click(Named(control)); }

    std::map<std::string, std::u16string> boxes{{"Text1", u""}, {"Text2", u""}, {"Text3", u""},
                                                {"Text4", u""}, {"Text5", u""}, {"Text6", u""},
                                                {"Text7", u""}, {"Text8", u""}, {"Text9", u""}};
    Form1Handlers handlers{*this};
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
        const rongxi::ui::BoxCorrection correction = handlers.textChanged(box, held);
        using Action = rongxi::ui::BoxCorrection::Action;
        if (correction.action == Action::Restore) held = correction.text;
        if (correction.action == Action::Replace) change(box, correction.text);
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
        EXPECT_EQ(window.log, (std::vector<std::string>{"set Text4", "set Text5", "set Text6",
                                                        "set Text7", "set Text8", "set Text9"}));
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
    EXPECT_EQ(window.log, expected);
    EXPECT_EQ(window.focus, "Command2");  // the nested entry advances found empty boxes
    window.click("Command1");
    EXPECT_EQ(window.boxes["Text4"], u"0123489*0123489*0123489");
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
    EXPECT_EQ(window.log, (std::vector<std::string>{"set Text4", "set Text5"}));
    EXPECT_EQ(window.boxes["Text5"], u"0156789*0156789*0156789");  // written before it failed
    EXPECT_EQ(window.boxes["Text6"], u"old");
    EXPECT_EQ(window.failureTitle, u"榕汐 ");
    EXPECT_EQ(window.failureMessage, u"运行时错误：磁盘已满");
    EXPECT_EQ(window.exitStatus, 1);
}

TEST_F(Handlers, AFailureOfAnyKindIsReported) {
    window.handlers.runGuarded([] { throw 42; });
    EXPECT_EQ(window.failureMessage, u"运行时错误：未知错误");
    EXPECT_EQ(window.exitStatus, 1);
    window.handlers.runGuarded([] { throw std::runtime_error("\xff broken"); });
    EXPECT_EQ(window.failureMessage, u"运行时错误：\uFFFD broken");
}

}  // namespace
