#include "toolbar/TLazyPixmap.h"

namespace mecovnik {

TLazyPixmap::TLazyPixmap(std::function<QPixmap()> load)
    : m_state(load ? std::make_shared<TState>(TState{std::move(load), {}, false}) : nullptr)
{
}

TLazyPixmap TLazyPixmap::Of(const QPixmap& pixmap)
{
    TLazyPixmap lazy;
    if (!pixmap.isNull())
        lazy.m_state = std::make_shared<TState>(TState{{}, pixmap, true});
    return lazy;
}

QPixmap TLazyPixmap::Get() const
{
    if (!m_state)
        return {};
    if (!m_state->Read) {
        // Read before the reader goes: it may hold what it reads from.
        m_state->Pixmap = m_state->Load();
        m_state->Read = true;
        m_state->Load = nullptr;
    }
    return m_state->Pixmap;
}

} // namespace mecovnik
