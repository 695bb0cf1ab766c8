#include "assembly/InventoryTree.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

#include "catalogue/PartCatalogue.h"
#include "ui/Utf8Text.h"

namespace bw::assembly {
namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kPartRole = Qt::UserRole + 2;
const QString kRootKey = QStringLiteral("1 node");

using ui::text;

} // namespace

InventoryTree::InventoryTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("TrView1");
    setAccessibleName("Inventory");
    header()->hide();
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setRootIsDecorated(true);
    setIconSize(QSize(20, 20));
    setUniformRowHeights(true);
}

QString InventoryTree::keyOf(const QTreeWidgetItem* item) { return item->data(0, kKeyRole).toString(); }

QString InventoryTree::imageKeyOf(const QTreeWidgetItem* item) {
    return item->data(0, kImageRole).toString();
}

bool InventoryTree::addNode(const QString& relativeKey, const QString& key, const QString& text,
                            const QString& imageKey) {
    if (nodes_.contains(key)) return false;
    QTreeWidgetItem* parent = nullptr;
    if (!relativeKey.isEmpty()) {
        parent = nodes_.value(relativeKey);
        if (!parent) return false;
    }
    auto* item = new QTreeWidgetItem(QStringList(text));
    item->setData(0, kKeyRole, key);
    item->setData(0, kImageRole, imageKey);
    if (images_) item->setIcon(0, images_->value(imageKey));
    if (parent) {
        parent->addChild(item);
        parent->setExpanded(true);
    } else {
        addTopLevelItem(item);
    }
    item->setExpanded(true);
    nodes_.insert(key, item);
    return true;
}

bool InventoryTree::addPartNode(catalogue::PartCode code, const QString& relativeKey, const QString& key,
                                const QString& text, const QString& imageKey) {
    if (!addNode(relativeKey, key, text, imageKey)) return false;
    nodes_.value(key)->setData(0, kPartRole, static_cast<int>(code));
    return true;
}

void InventoryTree::removePartNode(catalogue::PartCode code) {
    for (auto it = nodes_.begin(); it != nodes_.end(); ++it) {
        if (partOf(it.value()) != code) continue;
        delete it.value(); // takes it out of its parent
        nodes_.erase(it);
        return;
    }
}

std::optional<catalogue::PartCode> InventoryTree::partOf(const QTreeWidgetItem* item) {
    const QVariant code = item ? item->data(0, kPartRole) : QVariant();
    if (!code.isValid()) return std::nullopt;
    return static_cast<catalogue::PartCode>(code.toInt());
}

void InventoryTree::contextMenuEvent(QContextMenuEvent* event) {
    const auto code = partOf(itemAt(event->pos()));
    if (!code) return;
    // Shown without a nested event loop, as the program's other popups are.
    auto* menu = new QMenu(this);
    menu->setObjectName("treeMenu");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu->addAction("Remove"), &QAction::triggered, this,
            [this, part = *code] { emit removeRequested(part); });
    menu->popup(event->globalPos());
}

void InventoryTree::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        if (const auto code = partOf(currentItem())) {
            emit removeRequested(*code);
            return;
        }
    }
    QTreeWidget::keyPressEvent(event);
}

void InventoryTree::setRootNote(const QString& note) {
    rootNote_ = note;
    showRootNote();
}

void InventoryTree::showRootNote() {
    if (QTreeWidgetItem* root = nodes_.value(kRootKey))
        root->setText(0, rootNote_.isEmpty() ? QStringLiteral("PC") : QStringLiteral("PC — ") + rootNote_);
}

void InventoryTree::removeAllNodes() {
    clear();
    nodes_.clear();
}

void InventoryTree::build_tree(std::int16_t enclosureType) {
    removeAllNodes();
    addNode(QString(), kRootKey, "PC", "pc");
    showRootNote();
    for (const catalogue::Category& category : catalogue::categories()) {
        const std::string_view image = catalogue::categoryImage(category, enclosureType);
        if (image.empty()) continue; // no enclosure category without a tower or laptop
        addNode(kRootKey, text(category.key), text(category.text), text(image));
    }
}

} // namespace bw::assembly
