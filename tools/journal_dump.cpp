// Prints the fight a journal holds, one record a line, for tests and for a
// person who wants to look: "postava|nestvura <numbers> <name>", then the
// monster kinds by name, "druh <level> <rule> <experience> <name>", then the
// selected names. Exit code 0 with a fight, 1 without one, 2 when damaged,
// 3 when the file cannot be read.
//   journal_dump ~/.local/state/mecovnik/fight.journal

#include "history/FightJournalFormat.h"
#include "roster/TNameOrder.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

int main(int argc, char** argv)
{
    using namespace mecovnik;
    if (argc != 2) {
        std::cerr << "usage: journal_dump <journal>\n";
        return 3;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in)
        return 3;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const TAsciiNameOrder order;
    const TJournalReading reading = ReadJournal(bytes, order);
    if (reading.Status == TJournalReading::TStatus::Damaged) {
        std::cout << "damaged\n";
        return 2;
    }
    if (reading.Status == TJournalReading::TStatus::NoFight) {
        std::cout << "no fight\n";
        return 1;
    }
    const char* const words[] = {"postava", "nestvura"};
    for (int side = 0; side < kRosterSides; ++side) {
        for (const TRecordData& record : reading.Fight.Rosters[static_cast<std::size_t>(side)]) {
            std::cout << words[side];
            for (int i = 0; i < NumberCount(static_cast<TRosterSide>(side)); ++i)
                std::cout << ' ' << record.Numbers[static_cast<std::size_t>(i)];
            std::cout << ' ' << record.Name << '\n';
        }
    }
    // By name: a kind's place in the journal says nothing a reader needs.
    std::vector<TKindData> kinds = reading.Fight.Kinds;
    std::sort(kinds.begin(), kinds.end(),
              [](const TKindData& a, const TKindData& b) { return a.Name < b.Name; });
    for (const TKindData& kind : kinds)
        std::cout << "druh " << kind.Level << ' ' << kind.KnockOutRule << ' ' << kind.KillExperience
                  << ' ' << kind.Name << '\n';
    for (int side = 0; side < kRosterSides; ++side) {
        const int row = reading.Fight.Selection.Rows[static_cast<std::size_t>(side)];
        std::cout
            << "selected " << words[side] << ' '
            << (row < 0
                    ? std::string("-")
                    : reading.Fight
                          .Rosters[static_cast<std::size_t>(side)][static_cast<std::size_t>(row)]
                          .Name)
            << '\n';
    }
    return 0;
}
