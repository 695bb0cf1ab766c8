#include <gtest/gtest.h>

#include "catalogue/PartDetails.h"

using namespace bw::catalogue;

TEST(PartDetails, StoreAndShowGuardCodeAndSystem) {
    SystemStore store;
    const PartDetails typed{"Intel", "Intel Corp.", "i7", "$ 300"};
    EXPECT_FALSE(storeDetails(store, 1, codes::IntelProcessor, typed)); // no system yet
    store.addSystem();
    store.addSystem();
    for (int code : {0, -1, 172}) {
        EXPECT_FALSE(storeDetails(store, 1, code, typed)) << code;
        EXPECT_FALSE(recordedDetails(store, 1, code)) << code;
    }
    for (int system : {0, 3, -1}) {
        EXPECT_FALSE(storeDetails(store, system, 68, typed)) << system;
        EXPECT_FALSE(recordedDetails(store, system, 68)) << system;
    }
    EXPECT_EQ(store.text(1, codes::Enclosure, TextField::PartName), "");

    // Stored into the given system only; the second store wins.
    ASSERT_TRUE(storeDetails(store, 2, codes::IntelProcessor, typed));
    ASSERT_TRUE(
        storeDetails(store, 2, codes::IntelProcessor, {"Intel", "Intel Corp.", "i9", "£ 500 (approx)"}));
    const auto shown = recordedDetails(store, 2, codes::IntelProcessor);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->model, "i9");
    EXPECT_EQ(shown->cost, "£ 500 (approx)");
    EXPECT_EQ(recordedDetails(store, 1, codes::IntelProcessor)->manufacturer, "");
    EXPECT_FALSE(store.isPresent(2, codes::IntelProcessor)) << "storing never marks a part present";

    // A record whose cost was never stored shows an empty cost and its part name.
    store.setText(1, codes::MouseUsb8, TextField::PartName, "Mouse (USB 8)");
    const auto unset = recordedDetails(store, 1, codes::MouseUsb8);
    EXPECT_EQ(unset->cost, "");
    EXPECT_EQ(unset->partName, "Mouse (USB 8)");
}
