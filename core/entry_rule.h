// An entry box holds one whole character, never more and never half of one.
//
// The toolkits count UTF-16 units, so a box gets room for two (a character
// outside the Basic Multilingual Plane), and these rules say what an edit
// may do:
// - text that arrives in the box, by whatever path: a full box takes
//   nothing; an empty box, or one whose character is wholly selected, takes
//   the first whole character that is text. Control characters (C0, DEL and
//   C1) are never text: keys such as Backspace are the toolkit's commands.
//   A drop lands beside what the box holds, never over it;
// - any other change of the text (undo, or a program such as a screen
//   reader's editing interface setting it): lone surrogate halves and
//   control characters are dropped, and a box that would hold more than one character keeps what it
//   held, or the first whole character if it held nothing.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rongxi::core {

// A selection in UTF-16 units; start == end is a caret with nothing selected.
struct TextSelection {
    std::size_t start = 0;
    std::size_t end = 0;
    friend constexpr bool operator==(const TextSelection&, const TextSelection&) = default;
};

// The paths by which text arrives in a box.
enum class Arrival {
    Typed,     // a key, or a character an input method sends as one
    Pasted,    // the clipboard or the primary selection, by key, menu or mouse
    Dropped,   // dragged into the box
    Composed,  // an input method's commit, in place of `selection`
    Replaced,  // a replacement the toolkit offers for the selection (spelling)
    Assisted,  // an insertion or replacement through the accessibility
               // interface (on-screen keyboards, voice input)
};

// One edit of a box's text: `range` replaced by `text`.
struct TextEdit {
    TextSelection range;
    std::u16string text;
    friend bool operator==(const TextEdit&, const TextEdit&) = default;
};

// The edit an entry box showing `shown`, with `selection` selected, makes
// when `incoming` arrives; none when it takes nothing.
std::optional<TextEdit> EditForArrival(std::u16string_view shown, TextSelection selection,
                                       Arrival how, std::u16string_view incoming);

// `text` after `edit`; `text` itself for no edit.
std::u16string Applied(std::u16string_view text, const std::optional<TextEdit>& edit);

// What an entry box that held `held` holds after a change proposes `proposed`.
std::u16string EntryAfterChange(std::u16string_view held, std::u16string_view proposed);

// True when `text` is something an entry box may hold.
bool IsEntryText(std::u16string_view text);

}  // namespace rongxi::core
