#include <gtest/gtest.h>

#include "assembly/ImageList.h"
#include "assembly/InventoryTree.h"
#include "catalogue/PartCatalogue.h"
#include "resources/PicturePaths.h"
#include "ui/DeferredIcon.h"
#include "ui/PictureLibrary.h"

#include <QFile>
#include <QPainter>

using namespace bw;
using assembly::InventoryTree;

namespace {

struct Node {
    QString key, text, image;
    bool operator==(const Node&) const = default;
};

std::vector<Node> childrenOf(const QTreeWidgetItem* item) {
    std::vector<Node> out;
    for (int i = 0; i < item->childCount(); ++i) {
        const QTreeWidgetItem* c = item->child(i);
        out.push_back({InventoryTree::keyOf(c), c->text(0), InventoryTree::imageKeyOf(c)});
    }
    return out;
}

} // namespace

TEST(ImageList, HoldsThirtySevenPicturesForEveryKeyTheCatalogueUses) {
    const auto& keys = assembly::imageListKeys();
    EXPECT_EQ(keys.size(), 37);
    EXPECT_EQ(keys.first(), "bios");
    EXPECT_EQ(keys.last(), "wireless");
    EXPECT_EQ(assembly::imageList3().size(), 37);
    for (const QString& key : keys)
        EXPECT_FALSE(assembly::imageList3().value(key).isNull()) << key.toStdString();
    for (const QString& key : keys)
        EXPECT_TRUE(QFile::exists(resources::iconPath(key))) << key.toStdString();
    for (const catalogue::PartSlot& s : catalogue::allSlots()) {
        if (!s.imageKey.empty()) {
            EXPECT_TRUE(keys.contains(QString::fromStdString(s.imageKey))) << s.slotName;
        }
    }
    for (const catalogue::Category& c : catalogue::categories())
        for (std::int16_t type : {1, 3}) {
            const auto image = catalogue::categoryImage(c, type);
            EXPECT_TRUE(keys.contains(QString::fromUtf8(image.data(), static_cast<qsizetype>(image.size()))));
        }
}

TEST(ImageList, DeferredPicturesAreBuiltOnceOnFirstUseAndMatchEagerOnes) {
    int builds = 0;
    const QIcon deferred = ui::deferredIcon([&builds] {
        ++builds;
        QIcon icon;
        for (int size : {16, 32})
            icon.addPixmap(ui::iconPicture("cpu", QSize(size, size)));
        return icon;
    });
    const QIcon copy = deferred; // a copy shares the one build
    EXPECT_FALSE(deferred.isNull());
    EXPECT_EQ(builds, 0);

    QIcon eager;
    for (int size : {16, 32})
        eager.addPixmap(ui::iconPicture("cpu", QSize(size, size)));
    for (int size : {16, 24, 32, 48}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(copy.actualSize(QSize(size, size)), eager.actualSize(QSize(size, size)));
        EXPECT_EQ(copy.pixmap(size).toImage(), eager.pixmap(size).toImage());
        EXPECT_EQ(deferred.pixmap(size, QIcon::Disabled).toImage(),
                  eager.pixmap(size, QIcon::Disabled).toImage());
    }
    EXPECT_EQ(copy.availableSizes(), eager.availableSizes());
    QImage painted(40, 40, QImage::Format_ARGB32_Premultiplied), expected = painted;
    painted.fill(Qt::transparent);
    expected.fill(Qt::transparent);
    {
        QPainter p(&painted), q(&expected);
        deferred.paint(&p, QRect(2, 2, 36, 36));
        eager.paint(&q, QRect(2, 2, 36, 36));
    }
    EXPECT_EQ(painted, expected);
    EXPECT_EQ(builds, 1);

    // The list's own pictures are the icons rendered at the tree's sizes.
    EXPECT_EQ(assembly::imageList3().value("hd").pixmap(20).toImage(),
              ui::iconPicture("hd", QSize(20, 20)).toImage());
}

TEST(InventoryTree, SkeletonForTowerLaptopAndNoEnclosure) {
    InventoryTree tree(nullptr);
    tree.attachImageList(&assembly::imageList3());
    EXPECT_EQ(tree.topLevelItemCount(), 0);

    for (std::int16_t type :
         {catalogue::enclosure::Tower, catalogue::enclosure::Laptop, catalogue::enclosure::None}) {
        SCOPED_TRACE(type);
        tree.build_tree(type);
        ASSERT_EQ(tree.topLevelItemCount(), 1);
        const QTreeWidgetItem* root = tree.topLevelItem(0);
        EXPECT_EQ((Node{InventoryTree::keyOf(root), root->text(0), InventoryTree::imageKeyOf(root)}),
                  (Node{"1 node", "PC", "pc"}));
        EXPECT_FALSE(root->icon(0).isNull());

        std::vector<Node> expected;
        for (const catalogue::Category& c : catalogue::categories()) {
            QString image = QString::fromUtf8(c.image.data(), static_cast<qsizetype>(c.image.size()));
            if (c.key == "37 node") {
                if (type == catalogue::enclosure::None) continue;
                image = type == catalogue::enclosure::Tower ? "tower" : "pc";
            }
            expected.push_back({QString::fromUtf8(c.key.data(), static_cast<qsizetype>(c.key.size())),
                                QString::fromUtf8(c.text.data(), static_cast<qsizetype>(c.text.size())),
                                image});
        }
        const auto categories = childrenOf(root);
        EXPECT_EQ(categories.size(), type == catalogue::enclosure::None ? 37u : 38u);
        EXPECT_EQ(categories, expected);
        EXPECT_EQ(categories[0].key, "32 node");
        EXPECT_EQ(categories.back().key, "12 node");
        for (int i = 0; i < root->childCount(); ++i)
            EXPECT_EQ(root->child(i)->childCount(), 0);
    }
}

TEST(InventoryTree, RefusesDuplicateKeysAndMissingParents) {
    InventoryTree tree(nullptr);
    tree.build_tree(catalogue::enclosure::Tower);
    EXPECT_TRUE(tree.addNode("7 node", "7a node", "PCI (Slot 1)", "slots"));
    EXPECT_FALSE(tree.addNode("7 node", "7a node", "again", "slots"));
    EXPECT_FALSE(tree.addNode("5 node", "7a node", "elsewhere", "cpu"));
    EXPECT_FALSE(tree.addNode("99 node", "99a node", "nowhere", "cpu"));
    EXPECT_FALSE(tree.addNode("", "1 node", "second root", "pc"));
    EXPECT_EQ(tree.node("7 node")->childCount(), 1);
    EXPECT_EQ(tree.node("7a node")->text(0), "PCI (Slot 1)");
    EXPECT_EQ(tree.node("99a node"), nullptr);
    // Items keep the order they were added in.
    EXPECT_TRUE(tree.addNode("7 node", "7aa node", "PCI Express 16 (Slot 1)", "slots"));
    EXPECT_TRUE(tree.addNode("7 node", "7b node", "PCI (Slot 2)", "slots"));
    EXPECT_EQ(childrenOf(tree.node("7 node")),
              (std::vector<Node>{{"7a node", "PCI (Slot 1)", "slots"},
                                 {"7aa node", "PCI Express 16 (Slot 1)", "slots"},
                                 {"7b node", "PCI (Slot 2)", "slots"}}));
    // A new skeleton discards every item.
    tree.build_tree(catalogue::enclosure::Laptop);
    EXPECT_EQ(tree.node("7a node"), nullptr);
    EXPECT_EQ(tree.node("7 node")->childCount(), 0);
}
