#include "app/MessageBoxNotifier.h"

#include <cstdlib>
#include <QMessageBox>

namespace bw::app {

namespace {
void showBox(QWidget* parent, QMessageBox::Icon icon, const std::string& title, const std::string& text) {
    QMessageBox box(icon, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                    parent);
    box.exec();
}
} // namespace

void MessageBoxNotifier::showInformation(const std::string& title, const std::string& text) {
    showBox(parent_, QMessageBox::Information, title, text);
}

void MessageBoxNotifier::showError(const std::string& title, const std::string& text) {
    showBox(parent_, QMessageBox::Critical, title, text);
}

void MessageBoxNotifier::endProgram() { std::exit(EXIT_FAILURE); }

void showNoDeviceBox(QWidget* parent) {
    showBox(parent, QMessageBox::NoIcon, "Boardwright", "Unable to initialize 3D device!");
}

} // namespace bw::app
