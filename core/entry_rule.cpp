#include "core/entry_rule.h"

#include <algorithm>

#include "core/unicode_text.h"

namespace rongxi::core {

std::optional<TextEdit> EditForArrival(std::u16string_view shown, TextSelection selection,
                                       Arrival how, std::u16string_view incoming) {
    if (how == Arrival::Dropped) selection = {};
    const bool wholeSelected = selection.start == 0 && selection.end >= shown.size();
    if (!shown.empty() && !wholeSelected) return std::nullopt;
    std::u16string taken(FirstTextCharacter(incoming));
    if (taken.empty()) return std::nullopt;
    return TextEdit{{0, shown.empty() ? 0 : shown.size()}, std::move(taken)};
}

std::u16string Applied(std::u16string_view text, const std::optional<TextEdit>& edit) {
    std::u16string result(text);
    if (!edit) return result;
    const std::size_t start = std::min(edit->range.start, result.size());
    const std::size_t end = std::clamp(edit->range.end, start, result.size());
    return result.replace(start, end - start, edit->text);
}

std::u16string EntryAfterChange(std::u16string_view held, std::u16string_view proposed) {
    std::u16string whole = TextCharacters(proposed);
    if (CharacterCount(whole) <= 1) return whole;
    if (held.empty()) return std::u16string(FirstTextCharacter(whole));
    return std::u16string(held);
}

bool IsEntryText(std::u16string_view text) {
    return CharacterCount(text) <= 1 && TextCharacters(text).size() == text.size();
}

}  // namespace rongxi::core
