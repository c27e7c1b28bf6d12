#pragma once

class QPagedPaintDevice;

namespace mecovnik {

struct TFightReport;

// Lays report out on device's pages and paints it (part of the print module):
// the title and date, then each table under its heading, its column headings
// repeated at the top of every page it reaches, and "Strana N" at the foot of
// each page. Long texts wrap within their column; every text is drawn as
// plain text. Returns the pages painted, 0 when the device could not be
// painted on. O(cells).
int PaintReport(const TFightReport& report, QPagedPaintDevice& device);

} // namespace mecovnik
