// What one entry box holds, and what each edit of it means, for any toolkit.
//
// A front-end catches every path by which text arrives in the box and asks
// admit() what to insert in place of the selection; it inserts that as the
// toolkit's own single, undoable edit, or drops the arrival when it is
// empty. After every change notification of the box it asks changed() what
// the change means: a change to report as the box's Change, nothing, or a
// text to put back. A restored text must not come back as a notification,
// so the front-end mutes the box's notification while it restores; a
// replacement comes back as a change of its own and is reported then.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rongxi::ui {

// A selection in UTF-16 units; start == end is a caret with nothing selected.
struct TextSelection {
    std::size_t start = 0;
    std::size_t end = 0;
};

struct BoxCorrection {
    enum class Action {
        None,     // nothing to put right
        Restore,  // put `text` back, muted
        Replace,  // set `text`; the box reports that change when it arrives
    };
    Action action = Action::None;
    std::u16string text;
};

class EntryBoxModel {
public:
    // What replaces `selection` of the `shown` text when `incoming` arrives;
    // empty when the box takes nothing.
    [[nodiscard]] std::u16string admit(std::u16string_view shown, TextSelection selection,
                                       std::u16string_view incoming);

    // Whether the change that left the box showing `shown` is the box's
    // Change; `correction` is what the front-end puts right when it is not.
    struct Verdict {
        bool report = false;
        BoxCorrection correction;
    };
    [[nodiscard]] Verdict changed(std::u16string_view shown);

    [[nodiscard]] const std::u16string& held() const { return held_; }

private:
    std::u16string held_;  // the text as the rule last left the box
    // A character admitted and not yet seen: replacing a character by itself
    // is still an edit, though the text looks unchanged.
    bool insertionPending_ = false;
};

}  // namespace rongxi::ui
