// The one-character rule of the entry boxes, on UTF-16 texts.
#include <gtest/gtest.h>

#include <string>

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

TEST(EntryRule, CheckAfterAChangeReportsOnceAndKeepsWhatWasHeld) {
    using Action = EntryCheck::Action;
    std::u16string held = u"1";
    EXPECT_EQ(CheckEntryChange(held, u"991").action, Action::Restore);
    EXPECT_EQ(held, u"1");
    const EntryCheck emptied = CheckEntryChange(held, kSmile.substr(1));
    EXPECT_EQ(emptied.action, Action::Replace);
    EXPECT_EQ(emptied.text, u"");
    EXPECT_EQ(held, u"1");  // until the replacement arrives as a change of its own
    EXPECT_EQ(CheckEntryChange(held, u"").action, Action::Report);
    EXPECT_EQ(held, u"");
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
