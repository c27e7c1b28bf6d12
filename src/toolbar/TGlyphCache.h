#pragma once

#include "toolbar/TSpeedButtonState.h"

#include <QColor>
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
        QRgb Midlight = 0;
        QRgb DarkShadow = 0;
        // 1: the bitmap's own pixels; 2: its artwork at twice the size.
        int Scale = 1;
        friend bool operator==(const TKey&, const TKey&) = default;
    };

    friend size_t qHash(const TKey& key, size_t seed = 0)
    {
        return qHashMulti(seed, key.Bitmap, key.NumGlyphs, static_cast<int>(key.State), key.Face,
                          key.Highlight, key.Shadow, key.Midlight, key.DarkShadow, key.Scale);
    }

    // The process's cache.
    [[nodiscard]] static TGlyphCache& Instance();

    // The image of key, made by build the first time it is asked for.
    [[nodiscard]] QPixmap Image(const TKey& key, const std::function<QPixmap()>& build);
    // A whole button face (frame, background and glyph) of a size, glyph
    // layout and margin at a device pixel ratio (in hundredths), for buttons
    // without a caption; made by build the first time.
    [[nodiscard]] QPixmap Face(const TKey& key, QSize size, int layout, int margin, int ratio,
                               const std::function<QPixmap()>& build);
    // The colour of the bitmap's bottom-left pixel, read once per bitmap.
    [[nodiscard]] QColor TransparentColor(const QPixmap& bitmap);
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
    struct TFaceKey
    {
        TKey Glyph;
        QSize Size;
        int Layout = 0;
        int Margin = 0;
        int Ratio = 100;
        friend bool operator==(const TFaceKey&, const TFaceKey&) = default;
        friend size_t qHash(const TFaceKey& key, size_t seed = 0)
        {
            return qHashMulti(seed, qHash(key.Glyph), key.Size.width(), key.Size.height(),
                              key.Layout, key.Margin, key.Ratio);
        }
    };

    QHash<TKey, QPixmap> m_images;
    QHash<TFaceKey, QPixmap> m_faces;
    QHash<qint64, QColor> m_transparent;
    QHash<qint64, int> m_users;
    int m_builds = 0;
};

} // namespace mecovnik
