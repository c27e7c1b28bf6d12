#include "history/FightReport.h"

#include <utility>

namespace mecovnik {

namespace {

std::string Signed(std::int64_t n)
{
    return n > 0 ? "+" + std::to_string(n) : std::to_string(n);
}

TReportTable Characters(const std::vector<TRecordData>& records)
{
    TReportTable table;
    table.Heading = "Postavy";
    table.Columns = {{"Jméno", false},   {"Životy", true},    {"Maximum", true},
                     {"Vyřazení", true}, {"Zkušenost", true}, {"Nepřidělená zkušenost", true}};
    table.EmptyText = "Soupiska postav je prázdná.";
    table.Rows.reserve(records.size());
    for (const TRecordData& r : records) {
        const TRecordNumbers& n = r.Numbers;
        table.Rows.push_back({r.Name, std::to_string(n[0]), std::to_string(n[1]),
                              std::to_string(n[2]), std::to_string(n[3]), std::to_string(n[4])});
    }
    return table;
}

TReportTable Monsters(const std::vector<TRecordData>& records)
{
    TReportTable table;
    table.Heading = "Nestvůry";
    table.Columns = {
        {"Jméno", false}, {"Životy", true}, {"Maximum", true}, {"Zkušenost za zabití", true}};
    table.EmptyText = "Soupiska nestvůr je prázdná.";
    table.Rows.reserve(records.size());
    for (const TRecordData& r : records) {
        const TRecordNumbers& n = r.Numbers;
        table.Rows.push_back(
            {r.Name, std::to_string(n[0]), std::to_string(n[1]), std::to_string(n[3])});
    }
    return table;
}

TReportTable LedgerRows(const TExperienceLedger& ledger, const TTimeText& timeText)
{
    TReportTable table;
    table.Heading = "Deník zkušeností";
    table.Columns = {{"Čas", false},
                     {"Postava", false},
                     {"Událost", false},
                     {"Změna zkušenosti", true},
                     {"Změna nepřidělené", true},
                     {"Zkušenost", true},
                     {"Nepřidělená", true}};
    table.EmptyText = "Deník zkušeností je prázdný.";
    table.Rows.reserve(ledger.Count());
    for (const TLedgerRow& row : ledger.Rows())
        table.Rows.push_back({timeText(row.Time), row.Character, EventText(row),
                              Signed(row.EarnedChange), Signed(row.UnassignedChange),
                              std::to_string(row.Earned), std::to_string(row.Unassigned)});
    return table;
}

TReportTable Summary(const TExperienceLedger& ledger)
{
    TReportTable table;
    table.Heading = "Souhrn zkušeností";
    table.Columns = {{"Postava", false},
                     {"Zkušenost", true},
                     {"Předaná hráči", true},
                     {"Dosud nepředaná", true}};
    table.EmptyText = "Deník zkušeností je prázdný.";
    for (const TLedgerSummary& s : ledger.Summary())
        table.Rows.push_back({s.Present ? s.Character : s.Character + " (smazána)",
                              std::to_string(s.Earned), std::to_string(s.HandedOver),
                              std::to_string(s.NotHandedOver)});
    return table;
}

} // namespace

std::string ReportTitle(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return name.empty() ? std::string("Souboj") : std::string(name);
}

TFightReport MakeFightReport(std::string title, std::string date, const TFightData& fight,
                             const TExperienceLedger& ledger, const TTimeText& timeText)
{
    TFightReport report;
    report.Title = std::move(title);
    report.Date = std::move(date);
    report.Tables.push_back(Characters(fight.Rosters[kPostavy]));
    report.Tables.push_back(Monsters(fight.Rosters[kNestvury]));
    report.Tables.push_back(LedgerRows(ledger, timeText));
    report.Tables.push_back(Summary(ledger));
    return report;
}

} // namespace mecovnik
