#include "toolbar/TSpeedButtonState.h"

namespace mecovnik {

bool TSpeedButtonState::SetDown(bool value, bool* wentDown)
{
    if (wentDown)
        *wentDown = false;
    if (m_groupIndex == 0)
        value = false;
    if (value == m_down)
        return false;
    if (m_down && !AllowAllUp)
        return false;
    m_down = value;
    m_state = value ? TButtonPaintState::psLatched : TButtonPaintState::psUp;
    if (wentDown)
        *wentDown = value;
    return true;
}

void TSpeedButtonState::SetGroupIndex(int index)
{
    m_groupIndex = index;
    if (index == 0 && m_down) {
        m_down = false;
        m_state = TButtonPaintState::psUp;
    }
}

bool TSpeedButtonState::Press()
{
    if (!Enabled)
        return false;
    m_tracking = true;
    if (m_down)
        return false;
    m_state = TButtonPaintState::psDown;
    return true;
}

bool TSpeedButtonState::Move(int x, int y, int width, int height)
{
    if (!m_tracking)
        return false;
    TButtonPaintState next = TButtonPaintState::psUp;
    if (m_down)
        next = TButtonPaintState::psLatched;
    else if (Inside(x, y, width, height))
        next = TButtonPaintState::psDown;
    if (next == m_state)
        return false;
    m_state = next;
    return true;
}

TSpeedButtonState::TRelease TSpeedButtonState::Release(int x, int y, int width, int height)
{
    TRelease r;
    if (!m_tracking)
        return r;
    m_tracking = false;
    const bool inside = Inside(x, y, width, height);
    m_state = TButtonPaintState::psUp;
    r.Repaint = true;
    if (m_groupIndex != 0) {
        if (inside)
            SetDown(!m_down, &r.WentDown);
        if (m_down)
            m_state = TButtonPaintState::psLatched;
    }
    r.Click = inside;
    return r;
}

bool TSpeedButtonState::GroupPressed(int index, bool senderDown, bool senderAllowAllUp)
{
    if (index != m_groupIndex)
        return false;
    AllowAllUp = senderAllowAllUp;
    if (!(senderDown && m_down))
        return false;
    m_down = false;
    m_state = TButtonPaintState::psUp;
    return true;
}

TButtonPaintState TSpeedButtonState::StateForPaint()
{
    if (!Enabled) {
        m_state = TButtonPaintState::psDisabled;
        m_tracking = false;
    } else if (m_state == TButtonPaintState::psDisabled) {
        m_state =
            m_down && m_groupIndex != 0 ? TButtonPaintState::psLatched : TButtonPaintState::psUp;
    }
    return m_state;
}

} // namespace mecovnik
