#include "ui/entry_box_model.h"

#include <utility>

#include "ui/entry_rule.h"

namespace rongxi::ui {

std::u16string EntryBoxModel::admit(std::u16string_view shown, TextSelection selection,
                                    std::u16string_view incoming) {
    const bool wholeSelected = selection.start == 0 && selection.end >= shown.size();
    std::u16string taken = EntryInsertion(shown, wholeSelected, incoming);
    insertionPending_ = !taken.empty();
    return taken;
}

EntryBoxModel::Verdict EntryBoxModel::changed(std::u16string_view shown) {
    using Action = BoxCorrection::Action;
    const bool inserted = std::exchange(insertionPending_, false);
    // Some toolkits notify a change where there is none (Wine's EDIT on
    // Ctrl+A): only a real change, or an insertion, is the box's Change.
    if (shown == held_ && !inserted) return {};
    std::u16string kept = EntryAfterChange(held_, shown);
    if (kept == shown) {
        held_ = std::move(kept);
        return {true, {}};
    }
    if (kept == held_) return {false, {Action::Restore, std::move(kept)}};
    return {false, {Action::Replace, std::move(kept)}};
}

}  // namespace rongxi::ui
