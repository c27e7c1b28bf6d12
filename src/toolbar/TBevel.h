#pragma once

#include <QWidget>

namespace mecovnik {

// A lowered bevel: a box (shadow at top and left, highlight at bottom and
// right), or, as a top line, a shadow line over a highlight line.
class TBevel final : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool topLine READ TopLine WRITE SetTopLine)

public:
    explicit TBevel(QWidget* parent = nullptr);

    [[nodiscard]] bool TopLine() const { return m_topLine; }
    void SetTopLine(bool topLine);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_topLine = false;
};

} // namespace mecovnik
