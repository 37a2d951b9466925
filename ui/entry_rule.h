// An entry box holds one whole character, never more and never half of one.
//
// The toolkits count UTF-16 units, so a box gets room for two (a character
// outside the Basic Multilingual Plane), and these rules say what an edit
// may do:
// - text that arrives in the box (typed, pasted, dropped, committed by an
//   input method): a full box takes nothing; an empty box, or one whose
//   character is wholly selected, takes the first whole character;
// - any other change of the text (undo, or a program such as a screen
//   reader's editing interface setting it): lone surrogate halves are
//   dropped, and a box that would hold more than one character keeps what it
//   held, or the first whole character if it held nothing.
#pragma once

#include <string>
#include <string_view>

namespace rongxi::ui {

// What an entry box holding `held` takes of `incoming`: empty means nothing.
// `heldIsSelected` is true when all of `held` is selected, so the incoming
// text replaces it.
std::u16string EntryInsertion(std::u16string_view held, bool heldIsSelected,
                              std::u16string_view incoming);

// What an entry box that held `held` holds after a change proposes `proposed`.
std::u16string EntryAfterChange(std::u16string_view held, std::u16string_view proposed);

// True when `text` is something an entry box may hold.
bool IsEntryText(std::u16string_view text);

}  // namespace rongxi::ui
