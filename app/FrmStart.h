#pragma once
// The splash window shown while the program starts: a picture, the version, a progress
// message and five progress blocks that light one by one.

#include <array>
#include <QWidget>

class QLabel;

namespace bw::app {

class FrmStart : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBlockCount = 5;

    explicit FrmStart(QWidget* parent = nullptr);

    void lightBlock(int index);
    void setMessage(const QString& text);
    bool isBlockLit(int index) const;
    QString message() const;

signals:
    void blockLit(int index);
    void messageShown(const QString& text);

private:
    QLabel* picture_;
    QLabel* version_;
    QWidget* line_;
    QLabel* message_;
    std::array<QWidget*, kBlockCount> blocks_{};
};

} // namespace bw::app
