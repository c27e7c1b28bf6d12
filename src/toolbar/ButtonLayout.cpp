#include "toolbar/ButtonLayout.h"

namespace mecovnik {

TButtonLayoutResult LayoutGlyphAndText(TPoint available, TPoint glyphSize, TPoint textSize,
                                       TButtonLayout layout, int margin, int spacing)
{
    TButtonLayoutResult r;
    const bool horizontal =
        layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
    // Across the layout direction both are centred.
    if (horizontal) {
        r.Glyph.Y = (available.Y - glyphSize.Y + 1) / 2;
        r.Text.Y = (available.Y - textSize.Y + 1) / 2;
    } else {
        r.Glyph.X = (available.X - glyphSize.X + 1) / 2;
        r.Text.X = (available.X - textSize.X + 1) / 2;
    }
    const int extent = horizontal ? available.X : available.Y;
    const int glyph = horizontal ? glyphSize.X : glyphSize.Y;
    const int text = horizontal ? textSize.X : textSize.Y;
    if (glyph == 0 || text == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (extent - (glyph + text)) / 3;
            spacing = margin;
        } else {
            margin = (extent - (glyph + spacing + text) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (extent - margin - glyph - text) / 2;
    }
    int glyphAt = 0;
    int textAt = 0;
    if (layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphTop) {
        glyphAt = margin;
        textAt = glyphAt + glyph + spacing;
    } else {
        glyphAt = extent - margin - glyph;
        textAt = glyphAt - spacing - text;
    }
    if (horizontal) {
        r.Glyph.X = glyphAt;
        r.Text.X = textAt;
    } else {
        r.Glyph.Y = glyphAt;
        r.Text.Y = textAt;
    }
    return r;
}

} // namespace mecovnik
