#pragma once

#include "toolbar/TSpeedButtonState.h"

#include <QHash>
#include <QPixmap>
#include <QRgb>

#include <functional>

namespace mecovnik {

// The prepared images of speed-button glyphs, shared by every button showing
// the same bitmap: one image per bitmap, image count, state and the palette
// colours it was prepared with, built once and then reused.
class TGlyphCache final
{
public:
    struct TKey
    {
        qint64 Bitmap = 0;
        int NumGlyphs = 1;
        TButtonPaintState State = TButtonPaintState::psUp;
        QRgb Face = 0;
        QRgb Highlight = 0;
        QRgb Shadow = 0;
        friend bool operator==(const TKey&, const TKey&) = default;
    };

    // The process's cache.
    [[nodiscard]] static TGlyphCache& Instance();

    // The image of key, made by build the first time it is asked for.
    [[nodiscard]] QPixmap Image(const TKey& key, const std::function<QPixmap()>& build);
    // A glyph starts or stops showing a bitmap; the images of a bitmap no glyph
    // shows any more are dropped.
    void Acquire(qint64 bitmap);
    void Release(qint64 bitmap);
    // Drops every image of a bitmap (the system colours changed).
    void Invalidate(qint64 bitmap);

    // How many images were built since the process started, and how many are kept.
    [[nodiscard]] int Builds() const { return m_builds; }
    [[nodiscard]] int Size() const { return static_cast<int>(m_images.size()); }

private:
    QHash<TKey, QPixmap> m_images;
    QHash<qint64, int> m_users;
    int m_builds = 0;
};

size_t qHash(const TGlyphCache::TKey& key, size_t seed = 0);

} // namespace mecovnik
