#include "core/kill_rows.h"

#include <array>
#include <cstddef>
#include <string>

#include "core/number_text_internal.h"

namespace rongxi::core {
namespace {

using EntryValues = std::array<double, 3>;

std::string KillRow(const KillRowSpec& spec, const EntryValues& values) {
    std::string row;
    row.reserve(kKillRowLength);
    for (std::size_t group = 0; group < values.size(); ++group) {
        if (group > 0) row += '*';
        for (int offset : spec.offsets) {
            // The digit is whatever the text of the sum ends in, which gives
            // a long entry such as "1.5" or "-3" a row too.
            row += detail::LastNumberTextChar(values[group] + offset);
        }
    }
    return row;
}

}  // namespace

KillRows ComputeKillRows(std::u16string_view e1, std::u16string_view e2, std::u16string_view e3) {
    const EntryValues values{EntryValue(e1), EntryValue(e2), EntryValue(e3)};
    KillRows rows;
    for (std::size_t i = 0; i < KillRowTable.size(); ++i)
        rows[i] = KillRow(KillRowTable[i], values);
    return rows;
}

}  // namespace rongxi::core
