#pragma once

#include "toolbar/ButtonLayout.h"
#include "toolbar/TButtonGlyph.h"
#include "toolbar/TSpeedButtonState.h"

#include <QWidget>

class QPainter;

namespace mecovnik {

// A flat 25 x 25 push button of its own window with a glyph and an optional
// caption; with a group index it latches down, exclusive with the buttons of
// the same index under the same parent.
class THandleSpeedButton : public QWidget
{
    Q_OBJECT
    // The help topic of the button, found by F1 and What's-this help.
    Q_PROPERTY(int helpContext MEMBER m_helpContext)

public:
    explicit THandleSpeedButton(QWidget* parent = nullptr);
    ~THandleSpeedButton() override;
    Q_DISABLE_COPY_MOVE(THandleSpeedButton)

    [[nodiscard]] bool AllowAllUp() const { return m_state.AllowAllUp; }
    void SetAllowAllUp(bool value);
    [[nodiscard]] int GroupIndex() const { return m_state.GroupIndex(); }
    void SetGroupIndex(int value);
    [[nodiscard]] bool Down() const { return m_state.Down(); }
    void SetDown(bool value);

    [[nodiscard]] QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    [[nodiscard]] const QPixmap& Glyph() const { return m_glyph.Bitmap(); }
    void SetGlyph(const QPixmap& bitmap);
    // The glyph's artwork at twice the size, for screens of a ratio above 1.
    void SetLargeGlyph(const TLazyPixmap& bitmap);
    [[nodiscard]] int NumGlyphs() const { return m_glyph.NumGlyphs(); }
    void SetNumGlyphs(int count);
    [[nodiscard]] TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout layout);
    [[nodiscard]] int Margin() const { return m_margin; }
    // Values below -1 are ignored.
    void SetMargin(int margin);
    [[nodiscard]] int Spacing() const { return m_spacing; }
    void SetSpacing(int spacing);

    [[nodiscard]] TButtonPaintState PaintState() const { return m_state.State(); }
    [[nodiscard]] bool Tracking() const { return m_state.Tracking(); }
    [[nodiscard]] const TButtonGlyph& ButtonGlyph() const { return m_glyph; }

    // Raise OnClick / OnDblClick.
    virtual void Click();
    virtual void DblClick();

signals:
    void OnClick();
    void OnDblClick();
    void OnMouseDown(QMouseEvent* event);
    void OnMouseMove(QMouseEvent* event);
    void OnMouseUp(QMouseEvent* event);

protected:
    // The three mouse handlers: the events first, then tracking.
    virtual void MouseDown(QMouseEvent* event);
    virtual void MouseMove(QMouseEvent* event);
    virtual void MouseUp(QMouseEvent* event);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Another button of the parent went down.
    void ButtonPressed(int groupIndex, THandleSpeedButton* sender);
    // Tells the buttons of the parent that this one went down or that its
    // group settings changed.
    void UpdateExclusive();
    void UpdateShortcut();
    // Frame, background, glyph and caption of a state.
    void PaintFace(QPainter& painter, TButtonPaintState state);

    TSpeedButtonState m_state;
    TButtonGlyph m_glyph;
    QString m_caption;
    TButtonLayout m_layout = TButtonLayout::blGlyphLeft;
    int m_margin = -1;
    int m_spacing = 4;
    int m_shortcut = 0;
    int m_helpContext = 0;
};

} // namespace mecovnik
