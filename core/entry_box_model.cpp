#include "core/entry_box_model.h"

#include <utility>

namespace rongxi::core {

std::optional<TextEdit> EntryBoxModel::editForArrival(std::u16string_view shown,
                                                      TextSelection selection, Arrival how,
                                                      std::u16string_view incoming) {
    std::optional<TextEdit> edit = EditForArrival(shown, selection, how, incoming);
    insertionPending_ = edit.has_value();
    return edit;
}

EntryBoxModel::Verdict EntryBoxModel::textChanged(std::u16string_view shown) {
    const bool inserted = std::exchange(insertionPending_, false);
    // Some toolkits notify a change where there is none (Wine's EDIT on
    // Ctrl+A): only a real change, or an insertion, is the box's Change.
    if (shown == held_ && !inserted) return {};
    std::u16string kept = EntryAfterChange(held_, shown);
    if (kept == shown) {
        held_ = std::move(kept);
        return {true, std::nullopt};
    }
    return {false, std::move(kept)};
}

}  // namespace rongxi::core
