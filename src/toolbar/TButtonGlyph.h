#pragma once

#include "toolbar/TGlyphCache.h"
#include "toolbar/TLazyPixmap.h"
#include "toolbar/TSpeedButtonState.h"

#include <QColor>
#include <QPixmap>

class QPalette;

namespace mecovnik {

// A speed button's glyph: a bitmap of one to four images side by side (up,
// disabled, down, latched), its transparent colour (the bottom-left pixel's)
// and the prepared image of each state, kept in the shared glyph cache. The
// same artwork at twice the size may stand beside it: screens with more than
// one device pixel to a pixel are drawn from that, and it is read only when
// such a screen first asks for an image.
class TButtonGlyph final
{
public:
    TButtonGlyph() = default;
    ~TButtonGlyph();
    Q_DISABLE_COPY_MOVE(TButtonGlyph)

    void SetBitmap(const QPixmap& bitmap);
    [[nodiscard]] const QPixmap& Bitmap() const { return m_bitmap; }
    // The artwork at twice the size (the same images side by side, each twice
    // as wide and high, the transparent colour its own bottom-left pixel's);
    // none for none. Read on the first image for a ratio above 1.
    void SetLargeBitmap(const TLazyPixmap& bitmap);
    // The large artwork if it has been read; null otherwise.
    [[nodiscard]] QPixmap LargeBitmap() const { return m_largeRead; }
    // 1 to 4; above 4 is taken as 4, below 1 is ignored.
    void SetNumGlyphs(int count);
    [[nodiscard]] int NumGlyphs() const { return m_numGlyphs; }
    [[nodiscard]] QColor TransparentColor() const { return m_transparent; }
    // One image's size; 0 x 0 without a bitmap.
    [[nodiscard]] QSize GlyphSize() const;

    // The image of a state in the given palette, prepared once and reused,
    // for a device pixel ratio: above 1 from the large artwork when there is
    // one (the image then has a ratio of 2 and the same size in pixels).
    [[nodiscard]] QPixmap Image(TButtonPaintState state, const QPalette& palette,
                                qreal devicePixelRatio = 1.0) const;
    // What the glyph cache knows the image of a state in a palette by.
    [[nodiscard]] TGlyphCache::TKey Key(TButtonPaintState state, const QPalette& palette,
                                        qreal devicePixelRatio = 1.0) const;
    // Drops the prepared images (the system colours changed).
    void Invalidate() const;

private:
    [[nodiscard]] QPixmap Build(TButtonPaintState state, const QPalette& palette, int scale) const;
    [[nodiscard]] QPixmap BuildAt(TButtonPaintState state, const QPalette& palette,
                                  int scale) const;
    [[nodiscard]] QImage Source(int index, int scale) const;
    [[nodiscard]] int ScaleFor(qreal devicePixelRatio) const;
    // Reads the large artwork if not yet read and takes it into the cache.
    [[nodiscard]] const QPixmap& Large() const;
    void ReleaseLarge();

    QPixmap m_bitmap;
    TLazyPixmap m_large;
    // What Large() read and the cache was told of; null before.
    mutable QPixmap m_largeRead;
    mutable QColor m_largeTransparent = QColor(128, 128, 0);
    int m_numGlyphs = 1;
    QColor m_transparent = QColor(128, 128, 0);
};

} // namespace mecovnik
