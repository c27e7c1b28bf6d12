#pragma once

#include "toolbar/ToolbarGeometry.h"

namespace mecovnik {

enum class TButtonLayout
{
    blGlyphLeft,
    blGlyphRight,
    blGlyphTop,
    blGlyphBottom,
};

struct TButtonLayoutResult
{
    TPoint Glyph;
    TPoint Text;
    friend bool operator==(const TButtonLayoutResult&, const TButtonLayoutResult&) = default;
};

// Positions of a glyph of glyphSize and a one-line caption of textSize within
// an area of available size (both sizes 0 x 0 when missing). Along the layout
// direction margin -1 centres, spacing -1 spreads evenly; across it both are
// centred. Positions are relative to the area.
[[nodiscard]] TButtonLayoutResult LayoutGlyphAndText(TPoint available, TPoint glyphSize,
                                                     TPoint textSize, TButtonLayout layout,
                                                     int margin, int spacing);

} // namespace mecovnik
