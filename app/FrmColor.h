#pragma once
// The background-colour dialog: the user picks a colour from a spectrum that fades
// downwards to a chosen grey; OK hands the colour to the main window. Modeless, and only
// hidden by OK and Cancel, so it keeps its state between showings.

#include <array>
#include <optional>
#include <QDialog>
#include <QImage>

class QFrame;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace bw::app {

class FrmColor : public QDialog {
    Q_OBJECT
public:
    explicit FrmColor(QWidget* parent = nullptr);

    // Runs once, when the dialog is first shown.
    void Form_Load();

    // Positions are in pixels of the spectrum picture.
    void Colors_MouseDown(Qt::MouseButton button, QPoint position);
    void Colors_MouseMove(QPoint position);
    void Colors_MouseUp(Qt::MouseButton button);
    void HScroll1_Change();
    // 0 OK, 1 Cancel.
    void Command1_Click(int index);
    // Esc and the close box: Cancel.
    void reject() override;

    void updateshape();
    void PaintSpectrum();
    static int fixByte(float num);

    // 255 minus the red, green and blue of the last colour read from the spectrum.
    const std::array<int, 3>& invertedComponents() const { return inverted_; }

    // The colour "&H" + text stands for, when the text is exactly six hexadecimal digits.
    static std::optional<qint32> colourFromHex(const QString& text);

signals:
    void colourChosen(qint32 colour);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void readColourAt(QPoint position);
    QPoint insideSpectrum(QPoint position) const;

    QLabel* Colors_;
    QScrollBar* HScroll1_;
    QLabel* Label3_;
    std::array<QLabel*, 3> values_{}; // Label2(0..2)
    QFrame* Picture1_;
    QFrame* Picture2_;
    QLineEdit* thehex_;

    QImage spectrum_;
    std::array<int, 3> inverted_{0, 0, 0};
    bool loaded_ = false;
    bool pointerConfined_ = false;
};

} // namespace bw::app
