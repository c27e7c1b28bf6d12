#pragma once

#include "roster/Frm_Objekt.h"

namespace mecovnik {

class TMonsterPresets;
class TNestvura;
class TRandom;

// The roster of the monsters.
class TNestvuryWindow final : public TObjektWindow
{
    Q_OBJECT

public:
    explicit TNestvuryWindow(const TNameOrder& order, QWidget* parent = nullptr);
    ~TNestvuryWindow() override;
    Q_DISABLE_COPY_MOVE(TNestvuryWindow)

    // The remembered kinds the monster dialog offers and the generator that
    // rolls the lives of joining monsters; both must outlive the window.
    void Attach(TMonsterPresets& presets, TRandom& random);
    // The kinds attached; nullptr before Attach.
    [[nodiscard]] TMonsterPresets* Presets() const { return m_presets; }

    // Asks for a new monster and lets it join.
    void NewMonster();
    // A monster joins: numbered when its name is taken, lives rolled. Returns
    // its row, or -1 (after a message) when no number is left for its name.
    int JoinMonster(std::unique_ptr<TNestvura> record);
    // The name under which a monster of this name joins.
    [[nodiscard]] std::string UniqueName(const std::string& name) const;
    // Deletes the active monster after asking; beeps when none is active.
    void DeleteMonster();
    // Opens "Upravit nestvůru" over a row's monster; on OK it takes the
    // entered name (numbered when another row carries it, as a joining
    // monster's is), level, rule and experience (TNestvura::Reshape: a new
    // level rolls its lives anew, keeping its wounds). Nothing for row -1.
    void EditMonster(int row);
    // Deletes a group after asking (0 all, 1 dead, 2 dead and knocked out);
    // the list is drawn once afterwards.
    void DeleteMonsters(int mode);
    // Wounds the active monster and returns the experience earned; 0 when no
    // monster is active or damage is 0.
    std::int32_t WoundActive(std::int32_t damage);

private:
    TMonsterPresets* m_presets = nullptr;
    TRandom* m_random = nullptr;
};

} // namespace mecovnik
