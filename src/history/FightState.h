#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace mecovnik {

class TObjekt;
class TRosterList;

// The two rosters of a fight, in this order wherever both appear.
enum TRosterSide : int
{
    kPostavy = 0,
    kNestvury = 1,
};
inline constexpr int kRosterSides = 2;

// Every number of a record. Characters: Lives, MaxLives, KnockOut, Experience,
// UnassignedExperience (the sixth stays 0). Monsters: Lives, MaxLives,
// KnockOut, KillExperience, Level, KnockOutRule.
using TRecordNumbers = std::array<std::int32_t, 6>;

// How many of the six numbers a record of that roster carries.
[[nodiscard]] int NumberCount(TRosterSide side);

// The numbers of a character or monster record.
[[nodiscard]] TRecordNumbers NumbersOf(const TObjekt& record);
// Gives a character or monster record these numbers.
void SetNumbers(TObjekt& record, const TRecordNumbers& numbers);

// A record as plain data: what the journal keeps and tests compare.
struct TRecordData
{
    std::string Name;
    TRecordNumbers Numbers{};
    friend bool operator==(const TRecordData&, const TRecordData&) = default;
};

// A new character (side kPostavy) or monster record from plain data.
[[nodiscard]] std::unique_ptr<TObjekt> MakeRecord(TRosterSide side, const TRecordData& data);

// The rows of a roster list as plain data, in row order.
[[nodiscard]] std::vector<TRecordData> DataOf(const TRosterList& list);

// A monster kind as plain data: its name and what a monster of that kind
// starts with.
struct TKindData
{
    std::string Name;
    std::int32_t Level = 0;
    std::int32_t KnockOutRule = 0;
    std::int32_t KillExperience = 0;
    friend bool operator==(const TKindData&, const TKindData&) = default;
};

// The selected row of each roster, -1 for none.
struct TFightSelection
{
    std::array<int, kRosterSides> Rows{-1, -1};
    friend bool operator==(const TFightSelection&, const TFightSelection&) = default;
};

// A whole fight as plain data: both rosters in row order, their selections,
// and the monster kinds entered or changed during the fight that the
// configuration does not hold yet.
struct TFightData
{
    std::array<std::vector<TRecordData>, kRosterSides> Rosters;
    TFightSelection Selection;
    std::vector<TKindData> Kinds;

    // No record in either roster and no kind.
    [[nodiscard]] bool Empty() const
    {
        return Rosters[0].empty() && Rosters[1].empty() && Kinds.empty();
    }
    friend bool operator==(const TFightData&, const TFightData&) = default;
};

} // namespace mecovnik
