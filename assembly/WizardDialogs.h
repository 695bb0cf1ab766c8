#pragma once
// The wizard's windows: the stage dialogs frm2 ... frm12, the Design dialog frm1 and the
// finishing dialog Frm0. Each only reports which button was pressed; the wizard decides.

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace bw::assembly {

// Each showing starts with OK as the default button and the focus on it, so that Enter goes
// on whatever was pressed last time; Esc cancels.
class WizardDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

protected:
    void setOkButton(QPushButton* ok);
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* ok_ = nullptr;
};

// A stage dialog: its text lines with pictures, OK (Label6) and Cancel (Label5).
class StageDialog : public WizardDialog {
    Q_OBJECT
public:
    StageDialog(const QString& name, QWidget* parent);

signals:
    void okPressed();
    void cancelPressed();
};

// frm1: tower or laptop.
class DesignDialog : public WizardDialog {
    Q_OBJECT
public:
    explicit DesignDialog(QWidget* parent);
    bool towerChosen() const;

signals:
    void okPressed();
    void cancelPressed();

private:
    QRadioButton* Option1_;
    QRadioButton* Option2_;
};

// Frm0: the design is finished.
class FinishedDialog : public WizardDialog {
    Q_OBJECT
public:
    explicit FinishedDialog(QWidget* parent);

signals:
    void viewInventoryPressed();
    void viewMotherboardPressed();
    void okPressed();
    void cancelPressed();
};

} // namespace bw::assembly
