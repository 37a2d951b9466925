// What one entry box holds, and what each edit of it means, for any toolkit.
//
// A front-end catches every path by which text arrives in the box and asks
// editForArrival() for the one edit to make; it makes that edit as the
// toolkit's own undoable edit, or drops the arrival when there is none.
// After every change notification of the box it asks textChanged() what the
// change means: a change to report as the box's Change, nothing, or a text
// to put the box right with (MainWindow::correctText), whose own change
// comes back here like any other.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/entry_rule.h"

namespace rongxi::core {

class EntryBoxModel {
public:
    [[nodiscard]] std::optional<TextEdit> editForArrival(std::u16string_view shown,
                                                         TextSelection selection, Arrival how,
                                                         std::u16string_view incoming);

    // Whether the change that left the box showing `shown` is the box's
    // Change, and the text that puts the box right when the rule refuses it.
    struct Verdict {
        bool report = false;
        std::optional<std::u16string> correction;
    };
    [[nodiscard]] Verdict textChanged(std::u16string_view shown);

    [[nodiscard]] const std::u16string& held() const { return held_; }

private:
    std::u16string held_;  // the text as the rule last left the box
    // A character admitted and not yet seen: replacing a character by itself
    // is still an edit, though the text looks unchanged.
    bool insertionPending_ = false;
};

}  // namespace rongxi::core
