#include "ui/entry_rule.h"

#include "ui/unicode_text.h"

namespace rongxi::ui {

std::u16string EntryInsertion(std::u16string_view held, bool heldIsSelected,
                              std::u16string_view incoming) {
    if (!held.empty() && !heldIsSelected) return {};
    return std::u16string(FirstWholeCharacter(incoming));
}

std::u16string EntryAfterChange(std::u16string_view held, std::u16string_view proposed) {
    std::u16string whole = WithoutLoneSurrogates(proposed);
    if (CharacterCount(whole) <= 1) return whole;
    if (held.empty()) return std::u16string(FirstWholeCharacter(whole));
    return std::u16string(held);
}

bool IsEntryText(std::u16string_view text) {
    return CharacterCount(text) <= 1 && WithoutLoneSurrogates(text).size() == text.size();
}

}  // namespace rongxi::ui
