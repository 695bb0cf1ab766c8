#pragma once
// The data the model files are made from: the list of files, and one row per piece.

#include <span>
#include <string_view>

#include "scene3d/math/Vector3.h"
#include "tools/modelgen/Primitive.h"

namespace bw::modelgen {

// Where a piece's coordinates are measured.
//   Board: in the motherboard's own plane (x across, y up from the board's top, z from the
//          back-panel edge towards the far edge), which the file turns into the room.
//   Room:  upright in the room (x right, y up, z away from the default camera).
enum class Space { Board, Room };

// One model file and the position that its part frame gets after loading; the file's
// content is moved back by that much so that it lands where its pieces say.
struct ModelFileEntry {
    std::string_view name;
    Vector3 frameOffset;
};

// A component (a few primitives around its own origin) placed in a file, inside the inner
// frame whose name a click on it reports.
struct PieceRow {
    std::string_view file;
    std::string_view frame;
    Space space;
    std::span<const Primitive> component;
    Vector3 at;
    Vector3 turn; // degrees about x, then y, then z
};

// Every model file, once each, grouped by the part frame that loads it first.
std::span<const ModelFileEntry> modelFiles();

// All pieces of all files.
std::span<const PieceRow> modelPieces();

// The pieces of each area of the model.
std::span<const PieceRow> boardPieces();
std::span<const PieceRow> slotPieces();
std::span<const PieceRow> backPanelPieces();
std::span<const PieceRow> frontPanelPieces();
std::span<const PieceRow> cardPieces();
std::span<const PieceRow> coolingPieces();
std::span<const PieceRow> drivePieces();
std::span<const PieceRow> deskPieces();

} // namespace bw::modelgen
