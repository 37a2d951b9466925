// The one-character rule of the entry boxes, on UTF-16 texts.
#include <gtest/gtest.h>

#include <string>

#include "ui/entry_box_model.h"
#include "ui/entry_rule.h"
#include "ui/unicode_text.h"

namespace {

using namespace rongxi::ui;

const std::u16string kSmile = u"\U0001F600";  // two units, one character
const std::u16string kHigh(1, u'\xD83D');
const std::u16string kLow(1, u'\xDE00');

TEST(EntryRule, WhatArrivingTextLeavesInABox) {
    const struct {
        const char* name;
        std::u16string held;
        bool heldIsSelected;
        std::u16string incoming;
        std::u16string taken;
    } cases[] = {
        {"empty box takes a digit", u"", false, u"7", u"7"},
        {"empty box takes the first of several", u"", false, u"89", u"8"},
        {"empty box takes a whole wide character", u"", false, kSmile + u"2", kSmile},
        {"lone halves are skipped", u"", false, kLow + kHigh + u"4", u"4"},
        {"nothing whole, nothing taken", u"", false, kHigh, u""},
        {"full box takes nothing", u"1", false, u"2", u""},
        {"full wide box takes nothing", kSmile, false, u"2", u""},
        {"selected character is replaced", u"1", true, u"56", u"5"},
        {"line breaks count as characters", u"", false, u"\n5", u"\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EntryInsertion(c.held, c.heldIsSelected, c.incoming), c.taken) << c.name;
    }
}

TEST(EntryRule, WhatAnyOtherChangeLeaves) {
    const struct {
        const char* name;
        std::u16string held;
        std::u16string proposed;
        std::u16string kept;
    } cases[] = {
        {"one character stays", u"", u"9", u"9"},
        {"emptied stays empty", u"1", u"", u""},
        {"half of a wide character goes whole", kSmile, kLow, u""},
        {"insertion into a full box is refused", u"1", u"991", u"1"},
        {"several into an empty box keep the first", u"", u"99", u"9"},
        {"a wide one replaces a narrow one", u"1", kSmile, kSmile},
    };
    for (const auto& c : cases) EXPECT_EQ(EntryAfterChange(c.held, c.proposed), c.kept) << c.name;
    for (const auto& c : cases) EXPECT_TRUE(IsEntryText(c.kept)) << c.name;
    EXPECT_FALSE(IsEntryText(kHigh));
    EXPECT_FALSE(IsEntryText(u"12"));
}

// A box's model through a sequence of edits, as a toolkit reports them.
TEST(EntryBoxModel, DecidesWhatEachChangeMeans) {
    using Action = BoxCorrection::Action;
    const struct {
        const char* name;
        TextSelection selection;
        std::u16string incoming;  // arriving text; empty for a change by another path
        std::u16string shown;     // the text the toolkit then reports
        bool report;
        Action action;
        std::u16string corrected;
    } steps[] = {
        {"a typed digit", {0, 0}, u"1", u"1", true, Action::None, u""},
        {"a notification with nothing changed", {1, 1}, u"", u"1", false, Action::None, u""},
        {"a digit typed over itself", {0, 1}, u"1", u"1", true, Action::None, u""},
        {"an insertion by another path", {1, 1}, u"", u"19", false, Action::Restore, u"1"},
        {"half of a pair", {1, 1}, u"", kHigh, false, Action::Replace, u""},
        {"the replacement arriving", {0, 0}, u"", u"", true, Action::None, u""},
        {"several into an empty box", {0, 0}, u"", u"45", false, Action::Replace, u"4"},
        {"the first of them arriving", {0, 0}, u"", u"4", true, Action::None, u""},
        {"a commit replacing the character", {0, 1}, u"2", u"2", true, Action::None, u""},
    };
    EntryBoxModel box;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        if (!step.incoming.empty()) {
            EXPECT_EQ(box.admit(box.held(), step.selection, step.incoming), step.incoming);
        }
        const EntryBoxModel::Verdict verdict = box.changed(step.shown);
        EXPECT_EQ(verdict.report, step.report);
        EXPECT_EQ(verdict.correction.action, step.action);
        EXPECT_EQ(verdict.correction.text, step.corrected);
    }
    EXPECT_EQ(box.admit(u"2", {1, 1}, u"3"), u"");  // full, nothing selected
    EXPECT_EQ(box.admit(u"2", {0, 1}, u"34"), u"3");
}

TEST(UnicodeText, CountsAndConverts) {
    EXPECT_EQ(CharacterCount(kSmile + u"1" + kHigh), 3U);
    EXPECT_EQ(Utf16FromUtf8("榕汐 😀"), u"榕汐 " + kSmile);
    // Truncated, overlong and surrogate encodings become U+FFFD, one per bad unit.
    EXPECT_EQ(Utf16FromUtf8("\xe6\xa6"), u"\uFFFD");
    EXPECT_EQ(Utf16FromUtf8("\xc0\xaf"
                            "a"),
              u"\uFFFD\uFFFD"
              u"a");
    EXPECT_EQ(Utf16FromUtf8("\xed\xa0\x80"), u"\uFFFD");
}

}  // namespace
