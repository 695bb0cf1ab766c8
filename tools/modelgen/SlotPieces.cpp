// Expansion slots, memory modules and drive connectors on the board.

#include "tools/modelgen/Components.h"
#include "tools/modelgen/Layout.h"
#include "tools/modelgen/ModelPieces.h"

namespace bw::modelgen {
namespace {

using namespace components;
constexpr Space B = Space::Board;

// PCI Express slots of one lane follow each other from the back panel: x16, x8, x4, x1.
constexpr float kPcie16Z = -1.55f;
constexpr float kPcie8Z = 0.225f;
constexpr float kPcie4Z = 1.435f;
constexpr float kPcie1Z = 2.3f;

constexpr auto kPciSlot = expansionSlot(1.9f, M::Cream, 1.45f);
constexpr auto kPcie16Slot = expansionSlot(2.0f, M::Blue, 0.3f);
constexpr auto kPcie8Slot = expansionSlot(1.25f, M::Charcoal, 0.3f);
constexpr auto kPcie4Slot = expansionSlot(0.87f, M::Orange, 0.3f);
constexpr auto kPcie1Slot = expansionSlot(0.56f, M::White, 0.3f);

constexpr float kModuleBottom = 0.08f; // memory modules stand in their slots

// What all four memory modules share sits low in the slot, where a module slid a little
// along the board still hides it.
constexpr Primitive kContactsNear[] = {
    {S::Box, {2.3, 0.1, 0.006}, {0, 0.05, -0.018}, {}, M::Gold},
};
constexpr Primitive kContactsFar[] = {
    {S::Box, {2.3, 0.1, 0.006}, {0, 0.05, 0.018}, {}, M::Gold},
};
constexpr Primitive kModuleKey[] = {
    {S::Box, {0.06, 0.1, 0.034}, {-0.3, 0.05, 0}, {}, M::Black},
};
constexpr Primitive kModuleNotchLeft[] = {
    {S::Box, {0.06, 0.1, 0.034}, {-1.2, 0.05, 0}, {}, M::NavyBlue},
};
constexpr Primitive kModuleNotchRight[] = {
    {S::Box, {0.06, 0.1, 0.034}, {1.2, 0.05, 0}, {}, M::NavyBlue},
};

constexpr std::array<Primitive, 3> ideConnector(Material shroud) {
    return {{
        {S::Box, {0.26, 0.22, 1.15}, {0, 0.11, 0}, {}, shroud},
        {S::Box, {0.17, 0.006, 1.05}, {0, 0.221, 0}, {}, M::Black},
        {S::Box, {0.05, 0.1, 0.16}, {-0.13, 0.12, 0}, {}, shroud},
    }};
}
constexpr auto kIdeBlue = ideConnector(M::Blue);
constexpr auto kIdeBlack = ideConnector(M::Charcoal);
constexpr auto kIdeWhite = ideConnector(M::White);
constexpr float kIdeZ = -1.25f;

constexpr Primitive kSataConnector[] = {
    {S::Box, {0.14, 0.2, 0.36}, {0, 0.1, 0}, {}, M::Red},
    {S::Box, {0.06, 0.006, 0.3}, {0, 0.201, 0}, {}, M::Black},
    {S::Box, {0.06, 0.2, 0.08}, {0.08, 0.1, -0.14}, {}, M::Red},
};
constexpr float sataX(int n) { return 2.5f + 0.3f * ((n - 1) % 3); }
constexpr float sataZ(int n) { return n <= 3 ? -1.7f : -1.15f; }

constexpr Vector3 moduleAt(int slot) { return {kMemorySlotX, kModuleBottom, memorySlotZ(slot)}; }

constexpr PieceRow kPieces[] = {
    {"vm200.x", "Cube_61-9", B, kPciSlot, {pciLaneX(1), 0, kPciSlotZ}, {}},
    {"vm201.x", "Cube_62-9", B, kPciSlot, {pciLaneX(2), 0, kPciSlotZ}, {}},
    {"vm202.x", "Cube_63-9", B, kPciSlot, {pciLaneX(3), 0, kPciSlotZ}, {}},
    {"vm203.x", "Cube_64-9", B, kPciSlot, {pciLaneX(4), 0, kPciSlotZ}, {}},
    {"vm204.x", "Cube_65-9", B, kPciSlot, {pciLaneX(5), 0, kPciSlotZ}, {}},
    {"vm205.x", "Cube_66-9", B, kPciSlot, {pciLaneX(6), 0, kPciSlotZ}, {}},
    {"vm207.x", "Frame9Cube_6", B, kPciSlot, {pciLaneX(7), 0, kPciSlotZ}, {}},

    {"vm300.x", "Cube_61-11", B, kPcie16Slot, {pcieLaneX(1), 0, kPcie16Z}, {}},
    {"vm301.x", "Cube_62-11", B, kPcie16Slot, {pcieLaneX(2), 0, kPcie16Z}, {}},
    {"vm302.x", "Cube_63-11", B, kPcie16Slot, {pcieLaneX(3), 0, kPcie16Z}, {}},
    {"vm303.x", "Cube_64-11", B, kPcie16Slot, {pcieLaneX(4), 0, kPcie16Z}, {}},
    {"vm304.x", "Cube_65-11", B, kPcie16Slot, {pcieLaneX(5), 0, kPcie16Z}, {}},
    {"vm305.x", "Cube_66-11", B, kPcie16Slot, {pcieLaneX(6), 0, kPcie16Z}, {}},
    {"vm306.x", "Cube_67-11", B, kPcie16Slot, {pcieLaneX(7), 0, kPcie16Z}, {}},

    {"vm500.x", "Cube_401-9", B, kPcie8Slot, {pcieLaneX(1), 0, kPcie8Z}, {}},
    {"vm501.x", "Cube_402-9", B, kPcie8Slot, {pcieLaneX(2), 0, kPcie8Z}, {}},
    {"vm502.x", "Cube_403-9", B, kPcie8Slot, {pcieLaneX(3), 0, kPcie8Z}, {}},
    {"vm503.x", "Cube_404-9", B, kPcie8Slot, {pcieLaneX(4), 0, kPcie8Z}, {}},
    {"vm504.x", "Cube_405-9", B, kPcie8Slot, {pcieLaneX(5), 0, kPcie8Z}, {}},
    {"vm505.x", "Cube_406-9", B, kPcie8Slot, {pcieLaneX(6), 0, kPcie8Z}, {}},
    {"vm506.x", "Cube_407-9", B, kPcie8Slot, {pcieLaneX(7), 0, kPcie8Z}, {}},

    {"vm600.x", "Cube_441-5", B, kPcie4Slot, {pcieLaneX(1), 0, kPcie4Z}, {}},
    {"vm601.x", "Cube_442-5", B, kPcie4Slot, {pcieLaneX(2), 0, kPcie4Z}, {}},
    {"vm602.x", "Cube_443-5", B, kPcie4Slot, {pcieLaneX(3), 0, kPcie4Z}, {}},
    {"vm603.x", "Cube_444-5", B, kPcie4Slot, {pcieLaneX(4), 0, kPcie4Z}, {}},
    {"vm604.x", "Cube_445-5", B, kPcie4Slot, {pcieLaneX(5), 0, kPcie4Z}, {}},
    {"vm605.x", "Cube_446-5", B, kPcie4Slot, {pcieLaneX(6), 0, kPcie4Z}, {}},
    {"vm606.x", "Cube_447-5", B, kPcie4Slot, {pcieLaneX(7), 0, kPcie4Z}, {}},

    {"vm700.x", "Cube_541-5", B, kPcie1Slot, {pcieLaneX(1), 0, kPcie1Z}, {}},
    {"vm701.x", "Cube_542-5", B, kPcie1Slot, {pcieLaneX(2), 0, kPcie1Z}, {}},
    {"vm702.x", "Cube_543-5", B, kPcie1Slot, {pcieLaneX(3), 0, kPcie1Z}, {}},
    {"vm703.x", "Cube_544-5", B, kPcie1Slot, {pcieLaneX(4), 0, kPcie1Z}, {}},
    {"vm704.x", "Cube_545-5", B, kPcie1Slot, {pcieLaneX(5), 0, kPcie1Z}, {}},
    {"vm705.x", "Cube_546-5", B, kPcie1Slot, {pcieLaneX(6), 0, kPcie1Z}, {}},
    {"vm706.x", "Cube_547-5", B, kPcie1Slot, {pcieLaneX(7), 0, kPcie1Z}, {}},

    {"vm901.x", "Frame9Cube_129", B, kContactsNear, moduleAt(1), {}},
    {"vm140a.x", "Frame0Cube_1291", B, kMemoryModule, moduleAt(1), {}},
    {"vm140b.x", "Frame0Cube_1292", B, kMemoryModule, moduleAt(2), {}},
    {"vm140c.x", "Frame0Cube_1293", B, kMemoryModule, moduleAt(3), {}},
    {"vm140d.x", "Frame0Cube_1294", B, kMemoryModule, moduleAt(4), {}},
    {"vm117.x", "Frame17Cube_129", B, kContactsFar, moduleAt(1), {}},
    {"vm118.x", "Frame18Cube_129", B, kModuleKey, moduleAt(1), {}},
    {"vm119.x", "Frame19Cube_129", B, kModuleNotchLeft, moduleAt(1), {}},
    {"vm120.x", "Frame20Cube_129", B, kModuleNotchRight, moduleAt(1), {}},

    {"ide1.x", "Cube_16-5", B, kIdeBlue, {4.75, 0, kIdeZ}, {}},
    {"ide2.x", "Cube_16-6", B, kIdeBlack, {4.35, 0, kIdeZ}, {}},
    {"ide3.x", "Cube_16-7", B, kIdeWhite, {3.95, 0, kIdeZ}, {}},

    {"sata11.x", "Cube_8-13", B, kSataConnector, {sataX(1), 0, sataZ(1)}, {}},
    {"sata12.x", "Cube_8-14", B, kSataConnector, {sataX(2), 0, sataZ(2)}, {}},
    {"sata13.x", "Cube_8-15", B, kSataConnector, {sataX(3), 0, sataZ(3)}, {}},
    {"sata14.x", "Cube_8-16", B, kSataConnector, {sataX(4), 0, sataZ(4)}, {}},
    {"sata15.x", "Cube_8-17", B, kSataConnector, {sataX(5), 0, sataZ(5)}, {}},
    {"sata16.x", "Cube_8-18", B, kSataConnector, {sataX(6), 0, sataZ(6)}, {}},
};

} // namespace

std::span<const PieceRow> slotPieces() { return kPieces; }

} // namespace bw::modelgen
