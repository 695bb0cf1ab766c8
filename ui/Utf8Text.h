#pragma once
// The catalogue and the tables hold UTF-8 text; the widgets want QString.

#include <QString>
#include <string_view>

namespace bw::ui {

inline QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace bw::ui
