#pragma once

#include <QPixmap>

#include <functional>
#include <memory>

namespace mecovnik {

// A pixmap read the first time it is asked for and kept from then on; copies
// share the one reading. The toolbar's artwork at twice the size is wanted
// only on screens with more than one device pixel to a pixel, and a fight
// button's glyph only once the button shows, so neither is decoded at start.
// Used from the GUI thread only.
class TLazyPixmap final
{
public:
    // None: Get() gives a null pixmap.
    TLazyPixmap() = default;
    // Read by load on the first Get(); a null pixmap from it means none.
    explicit TLazyPixmap(std::function<QPixmap()> load);
    // One already read.
    static TLazyPixmap Of(const QPixmap& pixmap);

    // The pixmap, read now if it was not yet; null for none.
    [[nodiscard]] QPixmap Get() const;
    // Whether there is nothing to read: no reader and no pixmap.
    [[nodiscard]] bool IsNone() const { return !m_state; }
    // Whether Get() has read it (or there was nothing to read).
    [[nodiscard]] bool IsRead() const { return !m_state || m_state->Read; }

private:
    struct TState
    {
        std::function<QPixmap()> Load;
        QPixmap Pixmap;
        bool Read = false;
    };
    std::shared_ptr<TState> m_state;
};

} // namespace mecovnik
