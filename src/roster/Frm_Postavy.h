#pragma once

#include "roster/Frm_Objekt.h"

namespace mecovnik {

class TPostava;

// The roster of the player characters.
class TPostavyWindow final : public TObjektWindow
{
    Q_OBJECT

public:
    explicit TPostavyWindow(const TNameOrder& order, QWidget* parent = nullptr);
    ~TPostavyWindow() override;
    Q_DISABLE_COPY_MOVE(TPostavyWindow)

    // Asks for a new character and adds it unless its name is taken.
    void NewCharacter();
    // Adds an entered character: refused with a message when a row carries the
    // same name ignoring case. Returns its row, or -1 when refused.
    int JoinCharacter(std::unique_ptr<TPostava> record);
    // Deletes the active character after asking; beeps when none is active.
    void DeleteCharacter();
    // Opens "Upravit postavu" over a row's character; on OK the character
    // takes the entered name, lives, maximum and threshold, unless another
    // row carries that name ignoring case (refused with the message of a new
    // character, nothing changes). Nothing for row -1.
    void EditCharacter(int row);

    // Announces and hands over amount (-1: all) of a row's unassigned experience.
    void HandOverExperience(int row, std::int32_t amount);
    void HandOverExperienceAll(std::int32_t amount);
    // Zeroes the earned and unassigned experience.
    void ResetExperience(int row);
    void ResetExperienceAll();
    // Adds experience to both fields (a negative delta takes at most the
    // unassigned experience); nothing for delta 0.
    void AddExperience(int row, std::int32_t delta);
    void AddExperienceAll(std::int32_t delta);

private:
    [[nodiscard]] TPostava* Character(int row) const;
};

} // namespace mecovnik
