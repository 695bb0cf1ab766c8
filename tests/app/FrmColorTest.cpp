#include <gtest/gtest.h>

#include <array>
#include <map>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "app/FrmColor.h"
#include "ui/ControlName.h"

using bw::app::FrmColor;
using bw::ui::controlName;

namespace {

template <typename T = QWidget> T* control(const FrmColor& dialog, const QString& name) {
    auto* w = dialog.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

QString text(const FrmColor& dialog, const QString& name) {
    if (auto* edit = dialog.findChild<QLineEdit*>(name)) return edit->text();
    return control<QLabel>(dialog, name)->text();
}

QStringList valueLabels(const FrmColor& dialog) {
    return {text(dialog, controlName("Label2", 0)), text(dialog, controlName("Label2", 1)),
            text(dialog, controlName("Label2", 2))};
}

QColor swatch(const FrmColor& dialog, const char* name) {
    return control(dialog, name)->palette().color(QPalette::Window);
}

QImage spectrumShown(const FrmColor& dialog) { return control<QLabel>(dialog, "Colors")->pixmap().toImage(); }

void click(const FrmColor& dialog, const QString& button) {
    QTest::mouseClick(control<QPushButton>(dialog, button), Qt::LeftButton);
}

} // namespace

TEST(FrmColor, ControlsAsDesignedAndLoadedOnFirstShow) {
    FrmColor dialog;
    EXPECT_EQ(dialog.windowTitle(), "Background Color");
    EXPECT_TRUE(dialog.windowFlags() & Qt::Dialog);
    const std::map<QString, QString> captions{{controlName("Label1", 3), "Dark"},
                                              {controlName("Label2", 3), "Light"},
                                              {controlName("Label1", 4), "Backcolor"},
                                              {controlName("Label1", 0), "R"},
                                              {controlName("Label1", 1), "G"},
                                              {controlName("Label1", 2), "B"},
                                              {"Label3", "85"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(text(dialog, name), caption) << name.toStdString();
    EXPECT_EQ(control<QPushButton>(dialog, controlName("Command1", 0))->text(), "OK");
    EXPECT_EQ(control<QPushButton>(dialog, controlName("Command1", 1))->text(), "Cancel");
    auto* scroll = control<QScrollBar>(dialog, "HScroll1");
    EXPECT_EQ(scroll->minimum(), 0);
    EXPECT_EQ(scroll->maximum(), 255);
    EXPECT_EQ(scroll->value(), 85);
    EXPECT_EQ(control(dialog, "Colors")->cursor().shape(), Qt::CrossCursor);
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_")) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }

    dialog.show();
    EXPECT_EQ(valueLabels(dialog), QStringList({"0", "0", "0"}));
    EXPECT_EQ(swatch(dialog, "Picture2"), QColor(Qt::black));
    const QImage spectrum = spectrumShown(dialog);
    EXPECT_EQ(spectrum.size(), control(dialog, "Colors")->size());
    EXPECT_EQ(QColor(spectrum.pixel(0, 0)), QColor(255, 0, 0));

    // Nothing overlaps.
    const QList<QWidget*> children = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* a : children) {
        for (QWidget* b : children) {
            if (a != b && a->isVisibleTo(&dialog) && b->isVisibleTo(&dialog)) {
                EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                    << a->objectName().toStdString() << " overlaps " << b->objectName().toStdString();
            }
        }
    }
}

TEST(FrmColor, PickingPureRedThenOkChoosesIt) {
    FrmColor dialog;
    QSignalSpy chosen(&dialog, &FrmColor::colourChosen);
    dialog.show();
    // A real click, then the top-left corner (QTest reads (0, 0) as "the centre").
    const QPoint somewhere(40, 20);
    QTest::mousePress(control(dialog, "Colors"), Qt::LeftButton, {}, somewhere);
    QTest::mouseRelease(control(dialog, "Colors"), Qt::LeftButton, {}, somewhere);
    EXPECT_EQ(swatch(dialog, "Picture1"), QColor(spectrumShown(dialog).pixel(somewhere)));
    dialog.Colors_MouseDown(Qt::LeftButton, QPoint(0, 0));
    dialog.Colors_MouseUp(Qt::LeftButton);
    EXPECT_EQ(text(dialog, "thehex"), "FF0000");
    EXPECT_EQ(valueLabels(dialog), QStringList({"0", "255", "255"}));
    EXPECT_EQ(swatch(dialog, "Picture1"), QColor(255, 0, 0));

    click(dialog, controlName("Command1", 0));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).value<qint32>(), 16711680);
    EXPECT_TRUE(dialog.isHidden());

    // OK again without a new pick: still the same colour.
    dialog.show();
    click(dialog, controlName("Command1", 0));
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(chosen.at(1).at(0).value<qint32>(), 16711680);
}

TEST(FrmColor, PointerMovesShowTheColourUnderItOnly) {
    FrmColor dialog;
    dialog.show();
    dialog.Colors_MouseDown(Qt::LeftButton, QPoint(0, 0));
    dialog.Colors_MouseUp(Qt::LeftButton);
    const QImage spectrum = spectrumShown(dialog);
    const QPoint blueish(250, 10);
    QTest::mouseMove(control(dialog, "Colors"), blueish);
    dialog.Colors_MouseMove(blueish); // offscreen windows may not deliver synthetic moves
    const QColor under(spectrum.pixel(blueish));
    EXPECT_EQ(swatch(dialog, "Picture2"), under);
    EXPECT_EQ(dialog.invertedComponents(),
              (std::array<int, 3>{255 - under.red(), 255 - under.green(), 255 - under.blue()}));
    EXPECT_EQ(text(dialog, "thehex"), "FF0000");
    EXPECT_EQ(valueLabels(dialog), QStringList({"0", "255", "255"}));
    EXPECT_EQ(swatch(dialog, "Picture1"), QColor(255, 0, 0));

    // Beyond the picture the colour at its nearest edge is read.
    dialog.Colors_MouseDown(Qt::LeftButton, QPoint(-50, 10000));
    EXPECT_EQ(QColor(spectrum.pixel(0, spectrum.height() - 1)), QColor(85, 85, 85));
    EXPECT_EQ(text(dialog, "thehex"), "555555");
    dialog.Colors_MouseUp(Qt::LeftButton);
    // Only the left button picks.
    dialog.Colors_MouseDown(Qt::RightButton, QPoint(0, 0));
    EXPECT_EQ(text(dialog, "thehex"), "555555");
}

TEST(FrmColor, CancelAndTypedTextChangeNothing) {
    FrmColor dialog;
    QSignalSpy chosen(&dialog, &FrmColor::colourChosen);
    dialog.show();
    dialog.Colors_MouseDown(Qt::LeftButton, QPoint(0, 0));
    dialog.Colors_MouseUp(Qt::LeftButton);
    click(dialog, controlName("Command1", 1));
    EXPECT_TRUE(dialog.isHidden());
    EXPECT_EQ(chosen.count(), 0);

    auto* hex = control<QLineEdit>(dialog, "thehex");
    for (const char* typed : {"", "FF00", "FF00000", "&HFF00", "GG0000", "FF 000", "ff8000"}) {
        dialog.show();
        hex->setText(typed);
        dialog.Command1_Click(0);
        EXPECT_TRUE(dialog.isHidden()) << typed;
    }
    ASSERT_EQ(chosen.count(), 1) << "only six hex digits choose a colour";
    EXPECT_EQ(chosen.at(0).at(0).value<qint32>(), 0xFF8000);
    EXPECT_EQ(FrmColor::colourFromHex("0000FF"), 255);
    EXPECT_EQ(FrmColor::colourFromHex("808080"), 8421504);
    EXPECT_EQ(FrmColor::colourFromHex("FFFFFF"), 16777215);
    EXPECT_EQ(FrmColor::colourFromHex(QString::fromUtf8("١٢٣٤٥٦")), std::nullopt)
        << "digits of other scripts";
}

TEST(FrmColor, KeepsItsStateWhenShownAgain) {
    FrmColor dialog;
    dialog.show();
    control<QScrollBar>(dialog, "HScroll1")->setValue(200);
    dialog.Colors_MouseDown(Qt::LeftButton, QPoint(100, 50));
    dialog.Colors_MouseUp(Qt::LeftButton);
    dialog.Colors_MouseMove(QPoint(200, 30));
    const QString hex = text(dialog, "thehex");
    const QStringList values = valueLabels(dialog);
    const QColor under = swatch(dialog, "Picture2");
    const QImage spectrum = spectrumShown(dialog);
    ASSERT_NE(under, QColor(Qt::black));

    dialog.Command1_Click(1);
    dialog.show();
    EXPECT_EQ(text(dialog, "thehex"), hex);
    EXPECT_EQ(valueLabels(dialog), values);
    EXPECT_EQ(swatch(dialog, "Picture2"), under) << "the load step runs only once";
    EXPECT_EQ(text(dialog, "Label3"), "200");
    EXPECT_EQ(spectrumShown(dialog), spectrum);
}

TEST(FrmColor, GreyLevelRepaintsTheSpectrum) {
    FrmColor dialog;
    dialog.show();
    auto* scroll = control<QScrollBar>(dialog, "HScroll1");
    for (int grey : {0, 255, 85}) {
        scroll->setValue(grey);
        EXPECT_EQ(text(dialog, "Label3"), QString::number(grey));
        const QImage spectrum = spectrumShown(dialog);
        for (int x = 0; x < spectrum.width(); ++x)
            ASSERT_EQ(QColor(spectrum.pixel(x, spectrum.height() - 1)), QColor(grey, grey, grey)) << x;
        EXPECT_EQ(QColor(spectrum.pixel(0, 0)), QColor(255, 0, 0));
    }
}
