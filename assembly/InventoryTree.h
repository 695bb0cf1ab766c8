#pragma once
// The inventory: the parts of the newest system grouped by kind. A display only: the
// program never reads it back and none of its events changes anything else.

#include <cstdint>
#include <QHash>
#include <QString>
#include <QTreeWidget>

#include "assembly/ImageList.h"

namespace bw::assembly {

class InventoryTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit InventoryTree(QWidget* parent);

    // The pictures that nodes name by image key.
    void attachImageList(const ImageList* images) { images_ = images; }

    // Empties the tree and adds the root and the category nodes; the enclosure category
    // only for a tower or a laptop.
    void build_tree(std::int16_t enclosureType);
    // Adds a node under `relativeKey` (empty: at the top). Refuses a key already in the tree
    // or a missing parent, and then changes nothing.
    bool addNode(const QString& relativeKey, const QString& key, const QString& text,
                 const QString& imageKey);

    QTreeWidgetItem* node(const QString& key) const { return nodes_.value(key); }
    static QString keyOf(const QTreeWidgetItem* item);
    static QString imageKeyOf(const QTreeWidgetItem* item);

private:
    QHash<QString, QTreeWidgetItem*> nodes_;
    const ImageList* images_ = nullptr;
};

} // namespace bw::assembly
