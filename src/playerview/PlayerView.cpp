#include "playerview/PlayerView.h"

#include "roster/TObjekt.h"
#include "roster/TRosterList.h"

#include <nlohmann/json.hpp>

namespace mecovnik {

TMonsterState MonsterStateOf(const TObjekt& monster)
{
    if (monster.IsDead())
        return TMonsterState::Dead;
    if (monster.IsKnockedOut())
        return TMonsterState::KnockedOut;
    if (monster.Lives >= monster.MaxLives)
        return TMonsterState::Unhurt;
    if (3 * std::int64_t{monster.Lives} <= monster.MaxLives)
        return TMonsterState::BadlyHurt;
    return TMonsterState::Hurt;
}

std::string_view MonsterStateWord(TMonsterState state)
{
    switch (state) {
    case TMonsterState::Unhurt:
        return "nezraněná";
    case TMonsterState::Hurt:
        return "zraněná";
    case TMonsterState::BadlyHurt:
        return "těžce zraněná";
    case TMonsterState::KnockedOut:
        return "vyřazená";
    case TMonsterState::Dead:
        return "mrtvá";
    }
    return {};
}

std::string_view MonsterStateKey(TMonsterState state)
{
    switch (state) {
    case TMonsterState::Unhurt:
        return "unhurt";
    case TMonsterState::Hurt:
        return "hurt";
    case TMonsterState::BadlyHurt:
        return "badlyHurt";
    case TMonsterState::KnockedOut:
        return "knockedOut";
    case TMonsterState::Dead:
        return "dead";
    }
    return {};
}

TPlayerView MakePlayerView(const TRosterList& postavy, const TRosterList& nestvury)
{
    TPlayerView view;
    view.Characters.reserve(static_cast<std::size_t>(postavy.Count()));
    for (int row = 0; row < postavy.Count(); ++row) {
        const TObjekt& c = *postavy.At(row);
        view.Characters.push_back({c.Name, c.Lives, c.MaxLives, c.IsDead(), c.IsKnockedOut()});
    }
    view.Monsters.reserve(static_cast<std::size_t>(nestvury.Count()));
    for (int row = 0; row < nestvury.Count(); ++row) {
        const TObjekt& m = *nestvury.At(row);
        view.Monsters.push_back({m.Name, MonsterStateOf(m)});
    }
    return view;
}

std::string PlayerViewJson(const TPlayerView& view, std::uint64_t version)
{
    nlohmann::json characters = nlohmann::json::array();
    for (const TViewCharacter& c : view.Characters)
        characters.push_back({{"name", c.Name},
                              {"lives", c.Lives},
                              {"maxLives", c.MaxLives},
                              {"dead", c.Dead},
                              {"knockedOut", c.KnockedOut}});
    nlohmann::json monsters = nlohmann::json::array();
    for (const TViewMonster& m : view.Monsters)
        monsters.push_back({{"name", m.Name},
                            {"state", MonsterStateKey(m.State)},
                            {"word", MonsterStateWord(m.State)}});
    const nlohmann::json json = {
        {"version", version},
        {"characters", std::move(characters)},
        {"monsters", std::move(monsters)},
    };
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

TPlayerViewFeed::TPlayerViewFeed(std::uint64_t firstVersion)
    : m_version(firstVersion), m_json(PlayerViewJson(m_view, m_version))
{
}

bool TPlayerViewFeed::Update(TPlayerView view)
{
    if (view == m_view)
        return false;
    m_view = std::move(view);
    ++m_version;
    m_json = PlayerViewJson(m_view, m_version);
    return true;
}

} // namespace mecovnik
