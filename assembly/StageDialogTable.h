#pragma once
// The dialogs that introduce the design stages: caption and text lines, each line with the
// picture of the palette button it speaks of (none for the opening line).

#include <span>
#include <string_view>

namespace bw::assembly {

struct StageDialogLine {
    std::string_view dialog; // "frm2" ... "frm12"
    std::string_view caption;
    int column; // 0 left, 1 right
    std::string_view text;
    std::string_view icon; // empty: an opening line without a picture
};

std::span<const StageDialogLine> stageDialogLines();

} // namespace bw::assembly
