#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>

#include "app/DesignDocument.h"
#include "app/Frmabt.h"
#include "app/FrmColor.h"
#include "app/Frmmain.h"
#include "app/FrmStart.h"
#include "assembly/DesignState.h"
#include "tests/app/TestPlatform.h"
#include "TopLevelWindow.h"
#include "ui/ControlName.h"

using namespace bw;
using app::Frmmain;

namespace {

// What a screen reader can read of a widget.
QString readAloud(QWidget* w) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    if (!face) return {};
    return face->text(QAccessible::Name) + '\n' + face->text(QAccessible::Value) + '\n' +
           face->text(QAccessible::Description);
}

// The label's text as the eye reads it.
QString shownText(const QLabel* label) {
    QString text = label->text();
    if (label->textFormat() == Qt::RichText || Qt::mightBeRichText(text)) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    return text.simplified();
}

// Every label under `root` that shows text is read with that text; returns how many showed some.
int expectLabelsReadAsShown(const QWidget& root) {
    int showing = 0;
    for (QLabel* label : root.findChildren<QLabel*>()) {
        const QString text = shownText(label);
        if (text.isEmpty()) continue;
        ++showing;
        EXPECT_TRUE(readAloud(label).simplified().contains(text))
            << root.objectName().toStdString() << "/" << label->objectName().toStdString() << " shows \""
            << text.toStdString() << "\" but reads \"" << readAloud(label).toStdString() << "\"";
    }
    return showing;
}

QString textOf(const QWidget& root, const QString& name) {
    auto* label = root.findChild<QLabel*>(name);
    EXPECT_NE(label, nullptr) << name.toStdString();
    return label ? label->text() : QString();
}

void press(const QWidget* dialog, const char* button) {
    ASSERT_TRUE(dialog && dialog->isVisible());
    QTest::mouseClick(dialog->findChild<QAbstractButton*>(button), Qt::LeftButton);
}

void expectCentredOver(const QWidget& dialog, const QWidget& window) {
    const QPoint offset = dialog.geometry().center() - window.geometry().center();
    EXPECT_LE(offset.manhattanLength(), 2)
        << dialog.objectName().toStdString() << " off by " << offset.x() << "," << offset.y();
}

} // namespace

TEST(Accessibility, MainWindowLabelsAreReadWithTheirValues) {
    Frmmain window{bw::apptest::testPlatform()};
    ASSERT_TRUE(window.Form_Load());
    auto* frm1 = window.findChild<QWidget*>("frm1");
    EXPECT_GT(expectLabelsReadAsShown(*frm1), 0);
    press(frm1, "Label2");
    EXPECT_FALSE(textOf(window, "Label8").isEmpty()) << "the first stage's hint";
    expectLabelsReadAsShown(window);

    QTest::mouseClick(window.findChild<QWidget*>("Picture8"), Qt::LeftButton, {}, QPoint(4, 4));
    auto* frm2 = window.findChild<QWidget*>("frm2");
    EXPECT_GT(expectLabelsReadAsShown(*frm2), 0);
    press(frm2, "Label6");

    // A part just added shows its name, the total its sum, the status the view's answer.
    window.Picture4_Click(12);
    auto* cost = window.findChild<QLineEdit*>("txtCost");
    cost->setText("12.50");
    QTest::keyClick(cost, Qt::Key_Return);
    EXPECT_FALSE(textOf(window, "lblpart").isEmpty());
    EXPECT_FALSE(textOf(window, "lblTotal").isEmpty());
    EXPECT_GE(expectLabelsReadAsShown(window), 4);

    // New design empties them; their names stay.
    window.document().setUnsavedQuestion([](const QString&) { return app::DesignDocument::Answer::Discard; });
    window.findChild<QAction*>("mnunew")->trigger();
    for (const char* name : {"lblpart", "lblTotal"}) {
        auto* label = window.findChild<QLabel*>(name);
        EXPECT_TRUE(label->text().isEmpty()) << name;
        EXPECT_FALSE(label->accessibleName().isEmpty()) << name;
    }
    window.findChild<QWidget*>("frm1")->hide();
}

TEST(Accessibility, ColourDialogReadsItsNumbers) {
    app::FrmColor dialog;
    dialog.show();
    dialog.Colors_MouseDown(Qt::LeftButton, QPoint(dialog.findChild<QWidget*>("Colors")->width() / 3, 20));
    dialog.Colors_MouseUp(Qt::LeftButton);
    dialog.findChild<QScrollBar*>("HScroll1")->setValue(200);
    EXPECT_GE(expectLabelsReadAsShown(dialog), 7); // R, G, B, their values and the grey level

    const char* channels[] = {"Red", "Green", "Blue"};
    for (int i = 0; i < 3; ++i) {
        const QString value = textOf(dialog, ui::controlName("Label2", i));
        EXPECT_TRUE(readAloud(dialog.findChild<QLabel*>(ui::controlName("Label2", i)))
                        .startsWith(QStringLiteral("%1: %2").arg(channels[i], value)))
            << channels[i];
    }
    EXPECT_TRUE(readAloud(dialog.findChild<QLabel*>("Label3")).startsWith("Grey level: 200"));
    EXPECT_TRUE(readAloud(dialog.findChild<QLineEdit*>("thehex"))
                    .contains(dialog.findChild<QLineEdit*>("thehex")->text()));
    dialog.hide();
}

TEST(Accessibility, SplashReadsItsProgress) {
    app::FrmStart splash;
    splash.setMessage("Loading ini...");
    EXPECT_GE(expectLabelsReadAsShown(splash), 1);
    splash.setMessage("Loading VR...");
    expectLabelsReadAsShown(splash);
}

TEST(Accessibility, AboutAndColourAreDialogsCentredOverTheMainWindow) {
    Frmmain window{bw::apptest::testPlatform()};
    window.move(20, 10);
    window.show();

    window.mnuabt_Click();
    auto* about = tests::topLevelWindow<app::Frmabt>("Frmabt");
    ASSERT_NE(about, nullptr);
    QTest::mouseClick(window.findChild<QWidget*>("Picture5(18)"), Qt::LeftButton, {}, QPoint(4, 4));
    auto* colour = tests::topLevelWindow<app::FrmColor>("FrmColor");
    ASSERT_NE(colour, nullptr);

    for (QWidget* dialog : {static_cast<QWidget*>(about), static_cast<QWidget*>(colour)}) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(dialog->isWindow());
        EXPECT_EQ(dialog->parentWidget(), &window);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(dialog);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), QAccessible::Dialog);
        EXPECT_EQ(face->text(QAccessible::Name), dialog->windowTitle());
        expectCentredOver(*dialog, window);
        EXPECT_GT(expectLabelsReadAsShown(*dialog), 0);
    }

    // Esc closes the colour dialog as Cancel does.
    const qint32 before = window.backgroundColour();
    colour->Colors_MouseDown(Qt::LeftButton, QPoint(0, 0));
    QTest::keyClick(colour, Qt::Key_Escape);
    EXPECT_FALSE(colour->isVisible());
    EXPECT_EQ(window.backgroundColour(), before);

    about->hide();

    // The wizard's dialogs too.
    window.state().designStage = assembly::DesignStage::NoEnclosure;
    QTest::mouseClick(window.findChild<QWidget*>("Picture8"), Qt::LeftButton, {}, QPoint(4, 4));
    auto* frm1 = window.findChild<QWidget*>("frm1");
    ASSERT_NE(frm1, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(frm1)->role(), QAccessible::Dialog);
    expectCentredOver(*frm1, window);
    frm1->hide();
}
