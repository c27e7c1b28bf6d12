#include "history/FightState.h"

#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterList.h"

namespace mecovnik {

int NumberCount(TRosterSide side)
{
    return side == kPostavy ? 5 : 6;
}

TRecordNumbers NumbersOf(const TObjekt& record)
{
    TRecordNumbers n{record.Lives, record.MaxLives, record.KnockOut, 0, 0, 0};
    if (const auto* c = dynamic_cast<const TPostava*>(&record)) {
        n[3] = c->Experience;
        n[4] = c->UnassignedExperience;
    } else if (const auto* m = dynamic_cast<const TNestvura*>(&record)) {
        n[3] = m->KillExperience;
        n[4] = m->Level;
        n[5] = m->KnockOutRule;
    }
    return n;
}

void SetNumbers(TObjekt& record, const TRecordNumbers& n)
{
    record.Lives = n[0];
    record.MaxLives = n[1];
    record.KnockOut = n[2];
    if (auto* c = dynamic_cast<TPostava*>(&record)) {
        c->Experience = n[3];
        c->UnassignedExperience = n[4];
    } else if (auto* m = dynamic_cast<TNestvura*>(&record)) {
        m->KillExperience = n[3];
        m->Level = n[4];
        m->KnockOutRule = n[5];
    }
}

std::unique_ptr<TObjekt> MakeRecord(TRosterSide side, const TRecordData& data)
{
    std::unique_ptr<TObjekt> record;
    if (side == kPostavy)
        record = std::make_unique<TPostava>(data.Name);
    else
        record = std::make_unique<TNestvura>(data.Name);
    SetNumbers(*record, data.Numbers);
    return record;
}

std::vector<TRecordData> DataOf(const TRosterList& list)
{
    std::vector<TRecordData> rows;
    rows.reserve(static_cast<std::size_t>(list.Count()));
    for (int row = 0; row < list.Count(); ++row)
        rows.push_back({list.At(row)->Name, NumbersOf(*list.At(row))});
    return rows;
}

} // namespace mecovnik
