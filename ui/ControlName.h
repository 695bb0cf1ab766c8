#pragma once
// Members of a control array are named with their index, "Picture4(7)", so that tests and
// UI automation find any control by name.

#include <QString>

namespace bw::ui {

inline QString controlName(const char* array, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

} // namespace bw::ui
