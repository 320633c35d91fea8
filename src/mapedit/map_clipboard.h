#pragma once
// One map area as the clipboard block the canvas copies and pastes: five
// 32-bit little-endian numbers (HREF, ALT and TARGET lengths, point count,
// kind), the three texts zero-terminated with the local-file flag behind HREF,
// the points, and one spare zero byte. The byte logic is plain; the last
// functions move a block to and from the system clipboard.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "mapedit/map_data.h"

namespace vesk {

// The clipboard's name for the block.
inline constexpr char kMapDataMimeType[] = "application/x-veskhtml-cmapdata";

// The block for a shape (its id is not part of it).
std::string EncodeMapShape(const MapShape& shape);

// The shape a block holds, or nothing when the block is damaged: shorter than
// its header, lengths that run past its end, a missing terminator, a kind the
// canvas cannot paste (only poly, circ and rect are copied) or a point count
// that does not suit the kind.
std::optional<MapShape> DecodeMapShape(std::string_view block);

// The system clipboard. Putting replaces whatever it held.
void PutMapShapeOnClipboard(const MapShape& shape);
bool ClipboardHasMapShape();
std::optional<MapShape> MapShapeFromClipboard();
void ClearClipboard();

}  // namespace vesk
