#include "platform/ReportPages.h"

#include "history/FightReport.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <numeric>
#include <vector>

namespace mecovnik {

namespace {

QString Text(const std::string& s)
{
    return QString::fromStdString(s);
}

// Wrapping that never loses a character: at spaces, and anywhere only in a
// text with a word too long for its column (Qt's "anywhere" breaks every
// line mid-word, so it is kept for those).
constexpr int kWrap = Qt::TextWordWrap | Qt::TextWrapAnywhere;

int WrapFor(const QFontMetricsF& fm, const QString& text, double width)
{
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts))
        if (fm.horizontalAdvance(word) > width)
            return kWrap;
    return Qt::TextWordWrap;
}

class TPagePainter
{
public:
    TPagePainter(QPagedPaintDevice& device, QPainter& painter, const QString& title)
        : m_device(device), m_painter(painter), m_title(title)
    {
        const double dpi = device.logicalDpiY();
        m_mm = dpi / 25.4;
        m_body = QGuiApplication::font();
        m_body.setPointSizeF(9);
        // No ligatures: a PDF's text is searched and copied letter by letter
        // ("fi" stays two letters); it also spares the shaping's time.
        m_body.setStyleStrategy(QFont::PreferNoShaping);
        m_bold = m_body;
        m_bold.setBold(true);
        m_small = m_body;
        m_small.setPointSizeF(7.5);
        m_heading = m_bold;
        m_heading.setPointSizeF(12);
        m_titleFont = m_bold;
        m_titleFont.setPointSizeF(16);
        m_width = device.width();
        m_foot = QFontMetricsF(m_small, &device).height() + 2 * m_mm;
        m_bottom = device.height() - m_foot;
        m_pad = 0.8 * m_mm;
    }

    bool Paint(const TFightReport& report)
    {
        DrawLine(m_titleFont, Text(report.Title));
        DrawLine(m_body, Text(report.Date));
        m_y += 3 * m_mm;
        for (const TReportTable& table : report.Tables)
            if (!PaintTable(table))
                return false;
        Foot();
        return true;
    }

    [[nodiscard]] int Pages() const { return m_page; }

private:
    // One row's texts and their widths, each measured once.
    struct TRow
    {
        std::vector<QString> Texts;
        std::vector<double> Advances;
        // How each cell that does not fit on one line wraps.
        std::vector<int> Wraps;
        double Height = 0;
    };

    void DrawLine(const QFont& font, const QString& text)
    {
        m_painter.setFont(font);
        const QRectF room(0, m_y, m_width, m_bottom - m_y);
        const QRectF used = m_painter.boundingRect(room, kWrap, text);
        m_painter.drawText(room, kWrap, text);
        m_y += used.height();
    }

    void Foot()
    {
        m_painter.setFont(m_small);
        m_painter.setPen(Qt::black);
        const QRectF foot(0, m_bottom + m_mm, m_width, m_foot - m_mm);
        m_painter.drawText(foot, Qt::AlignLeft | Qt::AlignBottom, m_title);
        m_painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom,
                           QStringLiteral("Strana %1").arg(m_page));
    }

    bool NewPage()
    {
        Foot();
        if (!m_device.newPage())
            return false;
        ++m_page;
        m_y = 0;
        return true;
    }

    // The widest word of a heading: headings wrap between words only.
    double HeadingWidth(const QFontMetricsF& fm, const QString& title) const
    {
        double widest = 0;
        for (const QString& word : title.split(u' '))
            widest = std::max(widest, fm.horizontalAdvance(word));
        return widest;
    }

    struct TLaidTable
    {
        std::vector<double> Widths;
        TRow Header;
    };

    TLaidTable Lay(const TReportTable& table) const
    {
        const QFontMetricsF body(m_body, &m_device);
        const QFontMetricsF bold(m_bold, &m_device);
        const std::size_t n = table.Columns.size();
        std::vector<double> natural(n, 0);
        for (std::size_t c = 0; c < n; ++c)
            natural[c] = HeadingWidth(bold, Text(table.Columns[c].Title));
        for (const auto& row : table.Rows)
            for (std::size_t c = 0; c < n && c < row.size(); ++c)
                natural[c] = std::max(natural[c], body.horizontalAdvance(Text(row[c])));
        // A hair more than measured, so that rounding never wraps a word.
        for (double& w : natural)
            w += 2 * m_pad + 0.3 * m_mm;

        TLaidTable laid;
        laid.Widths = natural;
        const double total = std::accumulate(natural.begin(), natural.end(), 0.0);
        double textTotal = 0;
        for (std::size_t c = 0; c < n; ++c)
            if (!table.Columns[c].Numeric)
                textTotal += natural[c];
        if (total > m_width && textTotal > 0) {
            // The text columns give way and wrap: a short one (up to about a
            // fifth of the page, such as the time "2024-05-01 21:00:00")
            // keeps its own width and stays on one line, a long one keeps at
            // least a share of the page while names and events wrap.
            const double room = std::max(m_width - (total - textTotal), m_width * 0.3);
            double floors = 0;
            std::vector<double> floor(n, 0);
            for (std::size_t c = 0; c < n; ++c)
                if (!table.Columns[c].Numeric)
                    floors += floor[c] = natural[c] <= m_width * 0.22 ? natural[c] : m_width * 0.16;
            for (std::size_t c = 0; c < n; ++c) {
                if (table.Columns[c].Numeric)
                    continue;
                laid.Widths[c] = room > floors
                                     ? floor[c] + (natural[c] - floor[c]) * (room - floors) /
                                                      (textTotal - floors)
                                     : floor[c] * room / floors;
            }
        } else if (total > m_width) {
            for (double& w : laid.Widths)
                w *= m_width / total;
        } else if (textTotal > 0) {
            // The spare width goes to the text columns.
            for (std::size_t c = 0; c < n; ++c)
                if (!table.Columns[c].Numeric)
                    laid.Widths[c] += (m_width - total) * natural[c] / textTotal;
        }
        laid.Header = MakeRow(bold, laid.Widths, table.Columns, nullptr);
        return laid;
    }

    // The row of cells (or of the column headings when cells is null) in
    // font, no taller than what fits on a page below the headings (a cell
    // longer than a page is cut at its foot).
    TRow MakeRow(const QFontMetricsF& fm, const std::vector<double>& widths,
                 const std::vector<TReportColumn>& columns,
                 const std::vector<std::string>* cells) const
    {
        TRow row;
        row.Texts.reserve(widths.size());
        row.Advances.reserve(widths.size());
        row.Wraps.assign(widths.size(), Qt::TextWordWrap);
        double lines = fm.height();
        for (std::size_t c = 0; c < widths.size(); ++c) {
            row.Texts.push_back(
                Text(cells ? (c < cells->size() ? (*cells)[c] : std::string()) : columns[c].Title));
            row.Advances.push_back(fm.horizontalAdvance(row.Texts.back()));
            const double inner = widths[c] - 2 * m_pad;
            if (row.Advances.back() > inner) {
                row.Wraps[c] = WrapFor(fm, row.Texts.back(), inner);
                lines = std::max(
                    lines, fm.boundingRect(QRectF(0, 0, inner, 1e9), row.Wraps[c], row.Texts.back())
                               .height());
            }
        }
        row.Height = std::min(lines + 2 * m_pad, m_bottom * 0.8);
        return row;
    }

    void DrawRow(const QFont& font, const QFontMetricsF& fm, const std::vector<double>& widths,
                 const std::vector<TReportColumn>& columns, const TRow& row, bool heading)
    {
        m_painter.setFont(font);
        const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
        if (heading)
            m_painter.fillRect(QRectF(0, m_y, total, row.Height), QColor(225, 225, 225));
        double x = 0;
        const double baseline = m_y + m_pad + fm.ascent();
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const double inner = widths[c] - 2 * m_pad;
            const bool right = columns[c].Numeric;
            if (row.Advances[c] <= inner) {
                // One line: drawn without a text layout, which is what makes
                // long tables fast.
                m_painter.drawText(
                    QPointF(right ? x + widths[c] - m_pad - row.Advances[c] : x + m_pad, baseline),
                    row.Texts[c]);
            } else {
                const QRectF cell(x + m_pad, m_y + m_pad, inner, row.Height - 2 * m_pad);
                m_painter.save();
                m_painter.setClipRect(cell.adjusted(0, 0, 0, m_pad));
                m_painter.drawText(
                    cell, (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop | row.Wraps[c],
                    row.Texts[c]);
                m_painter.restore();
            }
            x += widths[c];
        }
        m_y += row.Height;
        m_painter.setPen(QPen(heading ? Qt::black : QColor(170, 170, 170), 0.15 * m_mm));
        m_painter.drawLine(QPointF(0, m_y), QPointF(total, m_y));
        m_painter.setPen(Qt::black);
    }

    bool PaintTable(const TReportTable& table)
    {
        const QFontMetricsF heading(m_heading, &m_device);
        const double headingHeight = heading.height() + m_mm;
        if (table.Rows.empty()) {
            const double need = headingHeight + QFontMetricsF(m_body, &m_device).height();
            if (m_y + need > m_bottom && m_y > 0 && !NewPage())
                return false;
            DrawLine(m_heading, Text(table.Heading));
            QFont italic = m_body;
            italic.setItalic(true);
            DrawLine(italic, Text(table.EmptyText));
            m_y += 4 * m_mm;
            return true;
        }
        const TLaidTable laid = Lay(table);
        const QFontMetricsF body(m_body, &m_device);
        const QFontMetricsF bold(m_bold, &m_device);
        TRow row = MakeRow(body, laid.Widths, table.Columns, &table.Rows.front());
        // A heading never stands alone at the foot of a page.
        if (m_y + headingHeight + m_mm + laid.Header.Height + row.Height > m_bottom && m_y > 0 &&
            !NewPage())
            return false;
        DrawLine(m_heading, Text(table.Heading));
        m_y += m_mm;
        DrawRow(m_bold, bold, laid.Widths, table.Columns, laid.Header, true);
        for (std::size_t r = 0; r < table.Rows.size(); ++r) {
            if (r > 0)
                row = MakeRow(body, laid.Widths, table.Columns, &table.Rows[r]);
            if (m_y + row.Height > m_bottom) {
                if (!NewPage())
                    return false;
                DrawRow(m_bold, bold, laid.Widths, table.Columns, laid.Header, true);
            }
            DrawRow(m_body, body, laid.Widths, table.Columns, row, false);
        }
        m_y += 4 * m_mm;
        return true;
    }

    QPagedPaintDevice& m_device;
    QPainter& m_painter;
    QString m_title;
    QFont m_body;
    QFont m_bold;
    QFont m_small;
    QFont m_heading;
    QFont m_titleFont;
    double m_mm = 1;
    double m_width = 0;
    double m_bottom = 0;
    double m_foot = 0;
    double m_pad = 0;
    double m_y = 0;
    int m_page = 1;
};

} // namespace

int PaintReport(const TFightReport& report, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    TPagePainter pages(device, painter, Text(report.Title));
    const bool painted = pages.Paint(report);
    painter.end();
    return painted ? pages.Pages() : 0;
}

} // namespace mecovnik
