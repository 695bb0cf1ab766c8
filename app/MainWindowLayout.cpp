#include "app/MainWindowLayout.h"

namespace bw::app {

const std::vector<Placement>& designTimeLayout() {
    static const std::vector<Placement> layout = {
        {"Picture1", {0, 0, 15360, 1050}},     {"Picture6", {150, 165, 720, 720}},
        {"Image4", {1050, 165, 720, 720}},     {"Image1(4)", {2010, 225, 600, 600}},
        {"Image1(5)", {2700, 225, 600, 600}},  {"Image1(6)", {3390, 225, 600, 600}},
        {"Image1(7)", {4080, 225, 600, 600}},  {"Picture9", {4920, 165, 720, 720}},
        {"Label8", {5820, 300, 8400, 450}},    {"Picture8", {14400, 165, 720, 720}},
        {"PicGR", {990, 1125, 14250, 8400}},   {"Label1", {1080, 1215, 3900, 390}},
        {"TrView1", {1080, 1605, 3900, 7800}}, {"Picture2", {990, 9630, 14250, 600}},
    };
    return layout;
}

const std::vector<CompactChange>& compactLayout() {
    static const std::vector<CompactChange> changes = {
        {"Picture8", 10416, -1, -1, -1},
        {"", 0, 0, 11724, 8244},
        {"PicGR", 990, 1125, 10620, 6420},
        {"TrView1", -1, -1, -1, 5000},
        {"Picture2", -1, 7560, -1, -1},
        // The status ends short of the Next Stage arrow, which moved left.
        {"Label8", -1, -1, 4500, -1},
    };
    return changes;
}

int pictureTwips(ButtonKind kind) {
    struct Size {
        ButtonKind kind;
        int twips;
    };
    static constexpr Size kSizes[] = {
        {ButtonKind::Toolbar, 720},  {ButtonKind::ToolbarImage, 600},   {ButtonKind::Palette, 600},
        {ButtonKind::PanArrow, 480}, {ButtonKind::InventoryClose, 390},
    };
    for (const Size& size : kSizes)
        if (size.kind == kind) return size.twips;
    return 0;
}

} // namespace bw::app
