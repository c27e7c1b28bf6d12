#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mecovnik {

class TObjekt;
class TRosterList;

// How a monster looks to the players, worst first where two could apply:
// dead (Lives <= 0), knocked out (0 < Lives <= KnockOut), unhurt (no lives
// lost: Lives >= MaxLives), badly hurt (at most a third of its maximum left:
// 3 * Lives <= MaxLives), otherwise hurt. Dead and knocked out are the
// records' own states, so the players see what the roster shows in red and
// grey.
enum class TMonsterState : std::uint8_t
{
    Unhurt,
    Hurt,
    BadlyHurt,
    KnockedOut,
    Dead,
};

// The state of a monster record by the rule above.
[[nodiscard]] TMonsterState MonsterStateOf(const TObjekt& monster);

// The Czech word the players read: "nezraněná", "zraněná", "těžce zraněná",
// "vyřazená", "mrtvá".
[[nodiscard]] std::string_view MonsterStateWord(TMonsterState state);

// A stable ASCII key of the state for the page's styles: "unhurt", "hurt",
// "badlyHurt", "knockedOut", "dead".
[[nodiscard]] std::string_view MonsterStateKey(TMonsterState state);

// A character as the players see it: they know their own numbers.
struct TViewCharacter
{
    std::string Name;
    std::int32_t Lives = 0;
    std::int32_t MaxLives = 0;
    bool Dead = false;
    bool KnockedOut = false;
    friend bool operator==(const TViewCharacter&, const TViewCharacter&) = default;
};

// A monster as the players see it: a name and a state word, never a number.
struct TViewMonster
{
    std::string Name;
    TMonsterState State = TMonsterState::Unhurt;
    friend bool operator==(const TViewMonster&, const TViewMonster&) = default;
};

// What the players may see of a fight, in the rosters' order.
struct TPlayerView
{
    std::vector<TViewCharacter> Characters;
    std::vector<TViewMonster> Monsters;
    friend bool operator==(const TPlayerView&, const TPlayerView&) = default;
};

// The players' view of the two rosters.
[[nodiscard]] TPlayerView MakePlayerView(const TRosterList& postavy, const TRosterList& nestvury);

// The view as UTF-8 JSON for the web page:
//   {"version": 7,
//    "characters": [{"name": "Aragorn", "lives": 42, "maxLives": 50,
//                    "dead": false, "knockedOut": false}],
//    "monsters": [{"name": "Skřet [2]", "state": "badlyHurt",
//                  "word": "těžce zraněná"}]}
// Names that are not valid UTF-8 get U+FFFD for their bad bytes.
[[nodiscard]] std::string PlayerViewJson(const TPlayerView& view, std::uint64_t version);

// The view the players are shown now, with a version that grows by one with
// every change they can see (a change they cannot see, such as a monster
// losing a life without changing its state, leaves it), and its JSON made
// once for every viewer.
class TPlayerViewFeed
{
public:
    // firstVersion: the version of the empty view this feed starts with; a
    // run of the program passes a number of its own (such as the start time
    // in milliseconds), so a page left open across a restart never takes a
    // new view for one it has.
    explicit TPlayerViewFeed(std::uint64_t firstVersion = 1);

    // Takes the view as it is now. True, with the version one higher and the
    // JSON made anew, when it differs from the one before.
    bool Update(TPlayerView view);

    [[nodiscard]] std::uint64_t Version() const { return m_version; }
    [[nodiscard]] const TPlayerView& View() const { return m_view; }
    [[nodiscard]] const std::string& Json() const { return m_json; }

private:
    TPlayerView m_view;
    std::uint64_t m_version;
    std::string m_json;
};

} // namespace mecovnik
