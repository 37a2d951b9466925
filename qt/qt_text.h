// Texts between the shared code and Qt: the layout table's are UTF-8, the
// boxes' UTF-16, as QString holds them.
#pragma once

#include <QString>
#include <string_view>

namespace rongxi::qt {

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString FromUtf16(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

}  // namespace rongxi::qt
