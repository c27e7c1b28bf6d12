#include "toolbar/TGlyphCache.h"

namespace mecovnik {

size_t qHash(const TGlyphCache::TKey& key, size_t seed)
{
    return qHashMulti(seed, key.Bitmap, key.NumGlyphs, static_cast<int>(key.State), key.Face,
                      key.Highlight, key.Shadow);
}

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
}

} // namespace mecovnik
