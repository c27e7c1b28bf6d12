#include "toolbar/TButtonGlyph.h"

#include "toolbar/TGlyphCache.h"

#include <QBitmap>
#include <QPainter>
#include <QPalette>

namespace mecovnik {

namespace {

// Whether a pixel belongs to the shape of a disabled glyph: dark pixels do,
// light ones and the transparent colour do not.
bool InShape(QRgb pixel, QRgb transparent)
{
    return (pixel & 0xFFFFFF) != (transparent & 0xFFFFFF) && qGray(pixel) < 192;
}

} // namespace

TButtonGlyph::~TButtonGlyph()
{
    if (!m_bitmap.isNull())
        TGlyphCache::Instance().Release(m_bitmap.cacheKey());
    ReleaseLarge();
}

void TButtonGlyph::ReleaseLarge()
{
    if (!m_largeRead.isNull())
        TGlyphCache::Instance().Release(m_largeRead.cacheKey());
    m_largeRead = QPixmap();
}

void TButtonGlyph::SetLargeBitmap(const TLazyPixmap& bitmap)
{
    ReleaseLarge();
    m_large = bitmap;
}

const QPixmap& TButtonGlyph::Large() const
{
    if (m_largeRead.isNull() && !m_large.IsNone()) {
        // Read once however many glyphs share it; a null one is not read again.
        m_largeRead = m_large.Get();
        if (!m_largeRead.isNull()) {
            TGlyphCache& cache = TGlyphCache::Instance();
            cache.Acquire(m_largeRead.cacheKey());
            m_largeTransparent = cache.TransparentColor(m_largeRead);
        }
    }
    return m_largeRead;
}

int TButtonGlyph::ScaleFor(qreal devicePixelRatio) const
{
    if (devicePixelRatio <= 1.0)
        return 1;
    // The large artwork fits only a bitmap whose every image it doubles.
    const QPixmap& large = Large();
    const bool fits = !large.isNull() && large.width() == 2 * m_bitmap.width() &&
                      large.height() == 2 * m_bitmap.height();
    return fits ? 2 : 1;
}

void TButtonGlyph::SetBitmap(const QPixmap& bitmap)
{
    TGlyphCache& cache = TGlyphCache::Instance();
    if (!m_bitmap.isNull())
        cache.Release(m_bitmap.cacheKey());
    m_bitmap = bitmap;
    if (m_bitmap.isNull())
        return;
    cache.Acquire(m_bitmap.cacheKey());
    m_transparent = cache.TransparentColor(m_bitmap);
}

void TButtonGlyph::SetNumGlyphs(int count)
{
    if (count < 1)
        return;
    m_numGlyphs = std::min(count, 4);
}

QSize TButtonGlyph::GlyphSize() const
{
    if (m_bitmap.isNull())
        return {0, 0};
    return {m_bitmap.width() / m_numGlyphs, m_bitmap.height()};
}

void TButtonGlyph::Invalidate() const
{
    TGlyphCache::Instance().Invalidate(m_bitmap.cacheKey());
    if (!m_largeRead.isNull())
        TGlyphCache::Instance().Invalidate(m_largeRead.cacheKey());
}

TGlyphCache::TKey TButtonGlyph::Key(TButtonPaintState state, const QPalette& palette,
                                    qreal devicePixelRatio) const
{
    const int scale = ScaleFor(devicePixelRatio);
    return {scale == 2 ? m_largeRead.cacheKey() : m_bitmap.cacheKey(),
            m_numGlyphs,
            state,
            palette.color(QPalette::Button).rgb(),
            palette.color(QPalette::Light).rgb(),
            palette.color(QPalette::Dark).rgb(),
            palette.color(QPalette::Midlight).rgb(),
            palette.color(QPalette::Shadow).rgb(),
            scale};
}

QPixmap TButtonGlyph::Image(TButtonPaintState state, const QPalette& palette,
                            qreal devicePixelRatio) const
{
    if (m_bitmap.isNull() || GlyphSize().isEmpty())
        return {};
    const int scale = ScaleFor(devicePixelRatio);
    return TGlyphCache::Instance().Image(Key(state, palette, devicePixelRatio),
                                         [&] { return Build(state, palette, scale); });
}

QImage TButtonGlyph::Source(int index, int scale) const
{
    if (index >= m_numGlyphs)
        index = 0;
    const QSize size = GlyphSize() * scale;
    return (scale == 2 ? m_largeRead : m_bitmap)
        .toImage()
        .copy(index * size.width(), 0, size.width(), size.height())
        .convertToFormat(QImage::Format_ARGB32);
}

QPixmap TButtonGlyph::Build(TButtonPaintState state, const QPalette& palette, int scale) const
{
    QPixmap image = BuildAt(state, palette, scale);
    image.setDevicePixelRatio(scale);
    return image;
}

QPixmap TButtonGlyph::BuildAt(TButtonPaintState state, const QPalette& palette, int scale) const
{
    const QRgb face = palette.color(QPalette::Button).rgb();
    const QRgb highlight = palette.color(QPalette::Light).rgb();
    const QRgb shadow = palette.color(QPalette::Dark).rgb();
    const QRgb transparent = (scale == 2 ? m_largeTransparent : m_transparent).rgb();
    const auto isTransparent = [&](QRgb p) { return (p & 0xFFFFFF) == (transparent & 0xFFFFFF); };

    int index = static_cast<int>(state);
    if (state == TButtonPaintState::psDown && m_numGlyphs < 3)
        index = 0;

    if (state == TButtonPaintState::psDisabled && m_numGlyphs == 1) {
        // An embossed shape: the dark pixels in the highlight colour one pixel
        // (of the glyph's own size) right and down, then in the shadow colour
        // in place.
        const QImage source = Source(0, scale);
        QImage out(source.size(), QImage::Format_ARGB32);
        out.fill(face);
        for (const auto& [colour, offset] : {std::pair{highlight, scale}, std::pair{shadow, 0}}) {
            for (int y = 0; y < source.height(); ++y) {
                for (int x = 0; x < source.width(); ++x) {
                    const int tx = x + offset;
                    const int ty = y + offset;
                    if (tx < out.width() && ty < out.height() &&
                        InShape(source.pixel(x, y), transparent))
                        out.setPixel(tx, ty, colour);
                }
            }
        }
        return QPixmap::fromImage(out);
    }

    QImage image = Source(state == TButtonPaintState::psDisabled ? 1 : index, scale);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            QRgb& p = line[x];
            if (isTransparent(p)) {
                // Latched images show the pattern through their transparent part.
                p = state == TButtonPaintState::psLatched ? qRgba(0, 0, 0, 0) : face;
            } else if (state == TButtonPaintState::psDisabled) {
                if ((p & 0xFFFFFF) == 0xFFFFFF)
                    p = highlight;
                else if ((p & 0xFFFFFF) == 0x808080)
                    p = shadow;
            }
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace mecovnik
