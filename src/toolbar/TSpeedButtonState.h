#pragma once

namespace mecovnik {

// What a speed button shows, in the order of the images of a multi-image glyph.
enum class TButtonPaintState
{
    psUp = 0,
    psDisabled = 1,
    psDown = 2,
    psLatched = 3,
};

// The latching and mouse-tracking rules of a speed button, without a window.
// Every operation returns whether the button must repaint.
class TSpeedButtonState final
{
public:
    // Whether a point of a client area width x height counts as inside: the
    // bottom edge does, the right edge does not.
    [[nodiscard]] static bool Inside(int x, int y, int width, int height)
    {
        return 0 <= x && x < width && 0 <= y && y <= height;
    }

    // Latches or releases. A push button (group 0) is never down, and a down
    // button is not released while AllowAllUp is false. wentDown tells whether
    // the group must be told.
    bool SetDown(bool value, bool* wentDown = nullptr);
    // The group index; a push button is released.
    void SetGroupIndex(int index);

    // Left button pressed on an enabled button.
    bool Press();
    // Pointer moved while tracking.
    bool Move(int x, int y, int width, int height);
    struct TRelease
    {
        bool Repaint = false;
        bool Click = false;
        bool WentDown = false;
    };
    // Left button released while tracking.
    TRelease Release(int x, int y, int width, int height);

    // Another button of the parent went down with group index index.
    bool GroupPressed(int index, bool senderDown, bool senderAllowAllUp);

    // The state to paint: disabled shows psDisabled and ends tracking; an
    // enabled button still disabled-looking returns to up or latched.
    TButtonPaintState StateForPaint();

    [[nodiscard]] bool Down() const { return m_down; }
    [[nodiscard]] int GroupIndex() const { return m_groupIndex; }
    [[nodiscard]] bool Tracking() const { return m_tracking; }
    [[nodiscard]] TButtonPaintState State() const { return m_state; }

    bool AllowAllUp = false;
    bool Enabled = true;

private:
    int m_groupIndex = 0;
    bool m_down = false;
    bool m_tracking = false;
    TButtonPaintState m_state = TButtonPaintState::psUp;
};

} // namespace mecovnik
