#include "ui/ValueLabel.h"

#include <QLabel>
#include <QVariant>

namespace bw::ui {
namespace {

constexpr const char* kCaptionProperty = "valueCaption";

QString nameFor(const QLabel& label, const QString& value) {
    const QString caption = label.property(kCaptionProperty).toString();
    return value.isEmpty() ? caption : caption + QStringLiteral(": ") + value;
}

} // namespace

void makeValueLabel(QLabel& label, const QString& caption) {
    label.setProperty(kCaptionProperty, caption);
    showValue(label, label.text());
}

void showValue(QLabel& label, const QString& value) {
    if (label.text() != value) label.setText(value);
    // Setting the name tells assistive technology that it changed.
    const QString name = nameFor(label, value);
    if (label.accessibleName() != name) label.setAccessibleName(name);
}

} // namespace bw::ui
