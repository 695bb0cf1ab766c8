#pragma once
// The About box: shown modeless by the main menu, hidden (not destroyed) by OK.

#include <QDialog>

class QLabel;

namespace bw::app {

class Frmabt : public QDialog {
    Q_OBJECT
public:
    explicit Frmabt(QWidget* parent = nullptr);

    void Command1_Click();
    // Names the device that draws the 3D view, so that a user can tell what runs.
    void setDrawingDevice(const QString& device);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* device_ = nullptr;
};

} // namespace bw::app
