// The one-character rule of the entry boxes, on UTF-16 texts.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/entry_box_model.h"
#include "core/entry_rule.h"
#include "core/unicode_text.h"

namespace {

using namespace rongxi::core;

const std::u16string kSmile = u"\U0001F600";  // two units, one character
const std::u16string kHigh(1, u'\xD83D');
const std::u16string kLow(1, u'\xDE00');

// Every path by which text arrives, in one table: what the box shows and
// has selected, and the one edit it makes (none when it takes nothing).
TEST(EntryRule, TheEditArrivingTextMakes) {
    const struct {
        const char* name;
        std::u16string shown;
        TextSelection selection;
        Arrival how;
        std::u16string incoming;
        std::optional<TextEdit> edit;
    } cases[] = {
        {"empty box takes a digit", u"", {}, Arrival::Typed, u"7", TextEdit{{0, 0}, u"7"}},
        {"empty box takes the first of several",
         u"",
         {},
         Arrival::Pasted,
         u"89",
         TextEdit{{0, 0}, u"8"}},
        {"a whole wide character",
         u"",
         {},
         Arrival::Pasted,
         kSmile + u"2",
         TextEdit{{0, 0}, kSmile}},
        {"lone halves are skipped",
         u"",
         {},
         Arrival::Pasted,
         kLow + kHigh + u"4",
         TextEdit{{0, 0}, u"4"}},
        {"nothing whole, nothing taken", u"", {}, Arrival::Typed, kHigh, std::nullopt},
        {"full box takes nothing", u"1", {1, 1}, Arrival::Typed, u"2", std::nullopt},
        {"full wide box takes nothing", kSmile, {0, 0}, Arrival::Pasted, u"2", std::nullopt},
        {"selected character is replaced",
         u"1",
         {0, 1},
         Arrival::Pasted,
         u"56",
         TextEdit{{0, 1}, u"5"}},
        {"a commit replaces its range",
         u"1",
         {0, 1},
         Arrival::Composed,
         u"你好",
         TextEdit{{0, 1}, u"你"}},
        {"a replacement for the selection",
         u"1",
         {0, 1},
         Arrival::Replaced,
         u"2",
         TextEdit{{0, 1}, u"2"}},
        {"a drop never lands over the selection",
         u"1",
         {0, 1},
         Arrival::Dropped,
         u"2",
         std::nullopt},
        {"a drop into an empty box", u"", {}, Arrival::Dropped, u"34", TextEdit{{0, 0}, u"3"}},
        {"line breaks and tabs are not text",
         u"",
         {},
         Arrival::Pasted,
         u"\r\n\t5",
         TextEdit{{0, 0}, u"5"}},
        {"DEL is not text", u"", {}, Arrival::Typed, u"\x7F", std::nullopt},
        {"nor a C1 control", u"", {}, Arrival::Typed, u"\x85", std::nullopt},
        {"nor C0", u"", {}, Arrival::Typed, u"\x1B", std::nullopt},
        {"a no-break space is", u"", {}, Arrival::Typed, u"\xA0", TextEdit{{0, 0}, u"\xA0"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EditForArrival(c.shown, c.selection, c.how, c.incoming), c.edit) << c.name;
        EXPECT_TRUE(IsEntryText(Applied(c.shown, c.edit))) << c.name;
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
        {"control characters go", u"",
         u"\x7F"
         u"8",
         u"8"},
    };
    for (const auto& c : cases) EXPECT_EQ(EntryAfterChange(c.held, c.proposed), c.kept) << c.name;
    for (const auto& c : cases) EXPECT_TRUE(IsEntryText(c.kept)) << c.name;
    EXPECT_FALSE(IsEntryText(kHigh));
    EXPECT_FALSE(IsEntryText(u"12"));
}

// A box's model through a sequence of edits, as a toolkit reports them: a
// correction it asks for comes back as a change of its own.
TEST(EntryBoxModel, DecidesWhatEachChangeMeans) {
    const struct {
        const char* name;
        TextSelection selection;
        std::u16string incoming;  // arriving text; empty for a change by another path
        std::u16string shown;     // the text the toolkit then reports
        bool report;
        std::optional<std::u16string> correction;
    } steps[] = {
        {"a typed digit", {0, 0}, u"1", u"1", true, std::nullopt},
        {"a notification with nothing changed", {1, 1}, u"", u"1", false, std::nullopt},
        {"a digit typed over itself", {0, 1}, u"1", u"1", true, std::nullopt},
        {"an insertion by another path", {1, 1}, u"", u"19", false, u"1"},
        {"the correction arriving", {1, 1}, u"", u"1", false, std::nullopt},
        {"half of a pair", {1, 1}, u"", kHigh, false, u""},
        {"the emptied box arriving", {0, 0}, u"", u"", true, std::nullopt},
        {"several into an empty box", {0, 0}, u"", u"45", false, u"4"},
        {"the first of them arriving", {0, 0}, u"", u"4", true, std::nullopt},
        {"a commit replacing the character", {0, 1}, u"2", u"2", true, std::nullopt},
    };
    EntryBoxModel box;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        if (!step.incoming.empty()) {
            const auto edit =
                box.editForArrival(box.held(), step.selection, Arrival::Typed, step.incoming);
            EXPECT_EQ(Applied(box.held(), edit), step.shown);
        }
        const EntryBoxModel::Verdict verdict = box.textChanged(step.shown);
        EXPECT_EQ(verdict.report, step.report);
        EXPECT_EQ(verdict.correction, step.correction);
    }
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
