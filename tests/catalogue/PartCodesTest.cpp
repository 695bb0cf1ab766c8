#include <gtest/gtest.h>

#include <string>

#include "catalogue/PartCatalogue.h"
#include "catalogue/PartCodes.h"

using namespace bw::catalogue;

// The names of the codes are the catalogue's slot names: a code renamed, moved or left out
// on either side fails here.
TEST(PartCodes, EveryCodeIsNamedAfterItsSlot) {
    ASSERT_EQ(std::size(kPartCodeNames), static_cast<std::size_t>(kSlotCount));
    for (std::size_t i = 0; i < std::size(kPartCodeNames); ++i) {
        const PartCodeName& entry = kPartCodeNames[i];
        SCOPED_TRACE(std::string(entry.name));
        EXPECT_EQ(entry.code, static_cast<PartCode>(i)) << "the list is in code order, without gaps";
        EXPECT_EQ(slotAt(entry.code).slotName, entry.name);
        const PartSlot* byName = findSlot(entry.name);
        ASSERT_NE(byName, nullptr);
        EXPECT_EQ(byName->code, entry.code);
    }
}
