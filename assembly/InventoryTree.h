#pragma once
// The inventory: the parts of the shown system grouped by kind. A display: the program
// never reads it back; its one command is to ask for a part's removal.

#include <cstdint>
#include <optional>
#include <QHash>
#include <QString>
#include <QTreeWidget>

#include "assembly/ImageList.h"
#include "catalogue/PartCatalogue.h"

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
    // Empties the tree, as before the first design.
    void removeAllNodes();
    // A note after the root's name ("PC — $ 1,234.50"), kept when the tree is built anew.
    void setRootNote(const QString& note);
    // Adds a node under `relativeKey` (empty: at the top). Refuses a key already in the tree
    // or a missing parent, and then changes nothing.
    bool addNode(const QString& relativeKey, const QString& key, const QString& text,
                 const QString& imageKey);
    // As above, for a node that stands for a part the user may remove.
    bool addPartNode(catalogue::PartCode code, const QString& relativeKey, const QString& key,
                     const QString& text, const QString& imageKey);
    // Removes the node of the part, if shown.
    void removePartNode(catalogue::PartCode code);
    // The removable part a node stands for; nothing for the root, categories and enclosure.
    static std::optional<catalogue::PartCode> partOf(const QTreeWidgetItem* item);

    QTreeWidgetItem* node(const QString& key) const { return nodes_.value(key); }
    static QString keyOf(const QTreeWidgetItem* item);
    static QString imageKeyOf(const QTreeWidgetItem* item);

signals:
    // "Remove" from the node's context menu, or the Delete key on it.
    void removeRequested(catalogue::PartCode code);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showRootNote();

    QHash<QString, QTreeWidgetItem*> nodes_;
    QString rootNote_;
    const ImageList* images_ = nullptr;
};

} // namespace bw::assembly
