#include "ui/DeferredIcon.h"

#include <QIconEngine>
#include <QPainter>

namespace bw::ui {
namespace {

class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> build) : build_(std::move(build)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    // Copies share what was built, or build it themselves when nothing was yet.
    QIconEngine* clone() const override {
        auto* copy = new DeferredIconEngine(build_);
        copy->built_ = built_;
        return copy;
    }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    // Known without building: every caller's builder gives pictures.
    bool isNull() override { return false; }

private:
    const QIcon& icon() {
        if (built_.isNull()) built_ = build_();
        return built_;
    }

    std::function<QIcon()> build_;
    QIcon built_;
};

} // namespace

QIcon deferredIcon(std::function<QIcon()> build) { return QIcon(new DeferredIconEngine(std::move(build))); }

} // namespace bw::ui
