#pragma once
// Labels that show a value: a status, a part's name, a number. Once a label has an
// accessible name, screen readers read that name instead of the label's text, so the name
// carries the value after the label's caption: "Status: Next Stage".

class QLabel;
class QString;

namespace bw::ui {

// Gives `label` the caption it is read by, keeping what it shows.
void makeValueLabel(QLabel& label, const QString& caption);
// Shows `value`, and names the label "caption: value" (the caption alone while empty).
void showValue(QLabel& label, const QString& value);

} // namespace bw::ui
