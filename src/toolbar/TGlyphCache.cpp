#include "toolbar/TGlyphCache.h"

namespace mecovnik {

TGlyphCache& TGlyphCache::Instance()
{
    static TGlyphCache cache;
    return cache;
}

QPixmap TGlyphCache::Image(const TKey& key, const std::function<QPixmap()>& build)
{
    const auto it = m_images.constFind(key);
    if (it != m_images.constEnd())
        return *it;
    ++m_builds;
    QPixmap image = build();
    m_images.insert(key, image);
    return image;
}

QPixmap TGlyphCache::Face(const TKey& key, QSize size, int layout, int margin, int ratio,
                          const std::function<QPixmap()>& build)
{
    const TFaceKey faceKey{key, size, layout, margin, ratio};
    const auto it = m_faces.constFind(faceKey);
    if (it != m_faces.constEnd())
        return *it;
    QPixmap face = build();
    m_faces.insert(faceKey, face);
    return face;
}

QColor TGlyphCache::TransparentColor(const QPixmap& bitmap)
{
    const auto it = m_transparent.constFind(bitmap.cacheKey());
    if (it != m_transparent.constEnd())
        return *it;
    const QImage image = bitmap.toImage();
    const QColor colour = image.pixelColor(0, image.height() - 1);
    m_transparent.insert(bitmap.cacheKey(), colour);
    return colour;
}

void TGlyphCache::Acquire(qint64 bitmap)
{
    ++m_users[bitmap];
}

void TGlyphCache::Release(qint64 bitmap)
{
    const auto it = m_users.find(bitmap);
    if (it == m_users.end())
        return;
    if (--*it > 0)
        return;
    m_users.erase(it);
    Invalidate(bitmap);
}

void TGlyphCache::Invalidate(qint64 bitmap)
{
    m_images.removeIf([bitmap](const auto& entry) { return entry.key().Bitmap == bitmap; });
    m_faces.removeIf([bitmap](const auto& entry) { return entry.key().Glyph.Bitmap == bitmap; });
    m_transparent.remove(bitmap);
}

} // namespace mecovnik
