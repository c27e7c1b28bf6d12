#pragma once

#include <QFrame>
#include <QPointer>

namespace mecovnik {

// Horizontal alignment of a label's text.
enum class TAlignment
{
    taLeftJustify,
    taRightJustify,
    taCenter
};

// What a label shows. Only stlText shows the caption; the frame and rectangle
// looks are plain shapes, the picture looks show nothing.
enum class TStaticTextLook
{
    stlText,
    stlBitmap,
    stlBlackFrame,
    stlBlackRect,
    stlGrayFrame,
    stlGrayRect,
    stlIcon,
    stlEnhMetaFile,
    stlWhiteFrame,
    stlWhiteRect,
    stlEtchedHorz,
    stlEtchedVert
};

// A field label: a caption with an accelerator that moves the focus to another
// control, automatic sizing and word wrap. A new label is 100 x 13, left-aligned,
// auto-sized, without word wrap, and shows "&" as the accelerator mark.
//
// Right or centred alignment always goes with word wrap: setting such an
// alignment turns word wrap on, and turning word wrap off makes the text left-aligned.
class TStaticText : public QFrame
{
    Q_OBJECT
    // For form descriptions.
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

public:
    explicit TStaticText(QWidget* parent = nullptr);
    ~TStaticText() override;
    Q_DISABLE_COPY_MOVE(TStaticText)

    // The text, with "&" marking the accelerator when ShowAccelChar is on.
    // A change re-sizes the label when AutoSize is on.
    [[nodiscard]] QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);

    // Setting right or centre also turns WordWrap on. Does not re-size.
    [[nodiscard]] TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);

    // When on, the label takes the size of its caption whenever the caption,
    // the font, AutoSize or WordWrap changes. Turning it on re-sizes at once.
    [[nodiscard]] bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);

    // The control that Alt plus the accelerator focuses, or none. Cleared by
    // itself when that control is destroyed.
    [[nodiscard]] QWidget* FocusControl() const { return m_focusControl; }
    void SetFocusControl(QWidget* control);

    // On: a single "&" marks the accelerator and is not shown, "&&" shows "&".
    // Off: the caption is shown and measured literally and has no accelerator.
    // Does not re-size.
    [[nodiscard]] bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool show);

    // Wraps the caption at the label's width. Turning it off also makes the
    // text left-aligned. A change re-sizes the label when AutoSize is on.
    [[nodiscard]] bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);

    // Does not re-size; a label whose look is not stlText never re-sizes.
    [[nodiscard]] TStaticTextLook Look() const { return m_look; }
    void SetLook(TStaticTextLook look);

    // The character after the first single "&" of caption, or a null character
    // when there is none ("&&" stands for "&" itself).
    [[nodiscard]] static QChar AccelChar(const QString& caption);

signals:
    // The left button was pressed and released over the label.
    void OnClick(mecovnik::TStaticText* sender);
    // The left button was double-clicked over the label (after OnClick of
    // the first click).
    void OnDblClick(mecovnik::TStaticText* sender);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] int TextFlags() const;
    void AdjustBounds();
    void UpdateShortcut();
    // The accelerator is offered only while the focus control can take the
    // focus; otherwise Alt+key is left to others.
    void UpdateShortcutEnabled();
    void FocusControlDestroyed();

    QString m_caption;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    bool m_autoSize = true;
    QPointer<QWidget> m_focusControl;
    QMetaObject::Connection m_focusControlWatch;
    bool m_showAccelChar = true;
    bool m_wordWrap = false;
    TStaticTextLook m_look = TStaticTextLook::stlText;
    int m_shortcutId = 0;
    bool m_pressed = false;
};

} // namespace mecovnik
