#pragma once

#include "history/ExperienceLedger.h"
#include "history/FightState.h"
#include "history/LedgerExport.h"

#include <string>
#include <string_view>
#include <vector>

namespace mecovnik {

// One column of a printed table: its heading and whether it holds numbers
// (set flush right).
struct TReportColumn
{
    std::string Title;
    bool Numeric = false;
    friend bool operator==(const TReportColumn&, const TReportColumn&) = default;
};

// A printed table: a heading above it, the column headings (repeated on
// every page the table reaches), the cells row by row as plain text, and
// what stands instead of the table when it has no rows.
struct TReportTable
{
    std::string Heading;
    std::vector<TReportColumn> Columns;
    std::vector<std::vector<std::string>> Rows;
    std::string EmptyText;
    friend bool operator==(const TReportTable&, const TReportTable&) = default;
};

// The fight on paper: a title, the date, and the tables in order. Every
// text is plain text, never markup.
struct TFightReport
{
    std::string Title;
    std::string Date;
    std::vector<TReportTable> Tables;
    friend bool operator==(const TFightReport&, const TFightReport&) = default;
};

// The title of a fight's pages: the file's name without its folder (the
// path may use '/'), or "Souboj" for a fight without a file.
[[nodiscard]] std::string ReportTitle(std::string_view path);

// The pages of a fight: the characters (name, lives, maximum, knock-out,
// experience, unassigned experience), the monsters (name, lives, maximum,
// experience for the kill), the ledger's rows oldest first with their times
// as timeText gives them, and its summary per character (experience,
// handed over, not yet handed over). Headings in Czech; a change in the
// ledger carries its sign ("+44", "-10", "0"). O(rows of all three).
[[nodiscard]] TFightReport MakeFightReport(std::string title, std::string date,
                                           const TFightData& fight, const TExperienceLedger& ledger,
                                           const TTimeText& timeText);

} // namespace mecovnik
