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

EntryCheck CheckEntryChange(std::u16string& held, std::u16string_view now) {
    using Action = EntryCheck::Action;
    std::u16string kept = EntryAfterChange(held, now);
    if (kept == now) {
        held = std::move(kept);
        return {Action::Report, {}};
    }
    if (kept == held) return {Action::Restore, std::move(kept)};
    return {Action::Replace, std::move(kept)};
}

}  // namespace rongxi::ui
