#include "TFakeRandom.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"

#include <gtest/gtest.h>

#include <limits>

namespace mecovnik {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(Combatant, DefaultsOfEachKind)
{
    const TPostava p;
    EXPECT_EQ(p.Name, "");
    EXPECT_EQ(p.Lives, 50);
    EXPECT_EQ(p.MaxLives, 50);
    EXPECT_EQ(p.KnockOut, 1);
    EXPECT_EQ(p.Experience, 0);
    EXPECT_EQ(p.UnassignedExperience, 0);

    const TNestvura n("Skřet");
    EXPECT_EQ(n.Name, "Skřet");
    EXPECT_EQ(n.KillExperience, 100);
    EXPECT_EQ(n.Level, 1);
    EXPECT_EQ(n.KnockOutRule, 0);
}

TEST(Combatant, ColumnTextsIncludingUnknownColumns)
{
    TPostava p("Aragorn");
    p.Lives = 60;
    p.Experience = -7;
    p.UnassignedExperience = 3;
    EXPECT_EQ(p.GetColumnText(0), "Aragorn");
    EXPECT_EQ(p.GetColumnText(1), "60/50(1)");
    EXPECT_EQ(p.GetColumnText(2), "-7");
    EXPECT_EQ(p.GetColumnText(3), "3");
    EXPECT_EQ(p.GetColumnText(4), "???");
    EXPECT_EQ(p.GetColumnText(-1), "???");

    TNestvura n("Vlk");
    n.Lives = 12;
    n.MaxLives = 17;
    n.KnockOut = 2;
    n.KillExperience = 30000;
    EXPECT_EQ(n.GetColumnText(1), "12/17(2)");
    EXPECT_EQ(n.GetColumnText(2), "30000");
    EXPECT_EQ(n.GetColumnText(3), "???");

    n.Lives = kMin;
    n.MaxLives = kMax;
    EXPECT_EQ(n.GetColumnText(1), "-2147483648/2147483647(2)");
}

TEST(Combatant, StateColourFollowsLivesAndThreshold)
{
    TPostava p;
    const TColor normal = 0x123456;
    const auto colourAt = [&](std::int32_t lives, std::int32_t knockOut) {
        p.Lives = lives;
        p.KnockOut = knockOut;
        TColor c = normal;
        p.ApplyStateColor(c);
        return c;
    };
    EXPECT_EQ(colourAt(1, 0), normal); // threshold 0: never knocked out
    EXPECT_EQ(colourAt(0, 0), clRed);
    EXPECT_EQ(colourAt(-3, 5), clRed);
    EXPECT_EQ(colourAt(5, 5), clSilver);
    EXPECT_EQ(colourAt(6, 5), normal);
    EXPECT_TRUE(p.IsKnockedOut() == false && p.IsDead() == false);
}

TEST(Combatant, SetAndAddLivesClampToZeroAndMaximum)
{
    TPostava p;
    p.MaxLives = 40;
    p.SetLives(-5);
    EXPECT_EQ(p.Lives, 0);
    p.SetLives(1000);
    EXPECT_EQ(p.Lives, 40);

    p.Lives = 7;
    p.AddLives(-100);
    EXPECT_EQ(p.Lives, 0);

    TPostava over;
    over.Lives = 60; // entered above the maximum of 50
    over.AddLives(0);
    EXPECT_EQ(over.Lives, 50);
    over.Lives = 60;
    over.AddLives(-5); // the sum 55 still exceeds the maximum
    EXPECT_EQ(over.Lives, 50);
}

TEST(Combatant, AddLivesNeverOverflows)
{
    TPostava p;
    p.MaxLives = kMax;
    p.Lives = kMax;
    p.AddLives(kMax);
    EXPECT_EQ(p.Lives, kMax);
    p.Lives = 0;
    p.AddLives(kMin);
    EXPECT_EQ(p.Lives, 0);
}

TEST(Combatant, AddExperienceKeepsHandedOverExperience)
{
    TPostava p;
    p.Experience = 100;
    p.UnassignedExperience = 30;
    p.AddExperience(-50);
    EXPECT_EQ(p.Experience, 70);
    EXPECT_EQ(p.UnassignedExperience, 0);

    p.AddExperience(-10); // nothing left unassigned: no change
    EXPECT_EQ(p.Experience, 70);
    EXPECT_EQ(p.UnassignedExperience, 0);

    p.UnassignedExperience = 4;
    p.AddExperience(-10);
    EXPECT_EQ(p.Experience, 66);
    EXPECT_EQ(p.UnassignedExperience, 0);

    p.AddExperience(25);
    EXPECT_EQ(p.Experience, 91);
    EXPECT_EQ(p.UnassignedExperience, 25);
}

TEST(Combatant, AddExperienceSaturatesAtTheLimits)
{
    TPostava p;
    p.Experience = kMax - 5;
    p.UnassignedExperience = kMax - 10;
    p.AddExperience(kMax);
    EXPECT_EQ(p.Experience, kMax);
    EXPECT_EQ(p.UnassignedExperience, kMax);

    p.Experience = kMin;
    p.UnassignedExperience = kMax;
    p.AddExperience(kMin); // takes at most the unassigned experience, never wraps
    EXPECT_EQ(p.Experience, kMin);
    EXPECT_EQ(p.UnassignedExperience, 0);
}

TEST(Combatant, RollLivesSumsEightSidedDiceAndSetsThreshold)
{
    // Each die gives 1 + (random % 8).
    test::TFakeRandom random{7, 0, 15, 3}; // dice 8, 1, 8, 4
    TNestvura n;
    n.Level = 4;
    n.KnockOutRule = 2;
    n.RollLives(random);
    EXPECT_EQ(n.MaxLives, 21);
    EXPECT_EQ(n.Lives, 21);
    EXPECT_EQ(n.KnockOut, 2); // 21 / 8

    const auto rollOne = [](std::int32_t rule, std::uint32_t die) {
        test::TFakeRandom r{die - 1};
        TNestvura m;
        m.KnockOutRule = rule;
        m.RollLives(r);
        return m;
    };
    EXPECT_EQ(rollOne(0, 8).KnockOut, 0);
    EXPECT_EQ(rollOne(1, 8).KnockOut, 1);
    EXPECT_EQ(rollOne(3, 8).KnockOut, 1);     // 8 / 6
    EXPECT_EQ(rollOne(4, 3).KnockOut, 0);     // 3 / 4
    EXPECT_EQ(rollOne(1, 1).KnockOut, 0);     // threshold kept below the maximum
    const TNestvura unknown = rollOne(-1, 5); // no rule selected in the dialog
    EXPECT_EQ(unknown.KnockOutRule, 0);
    EXPECT_EQ(unknown.KnockOut, 1);
    const TNestvura unknownOne = rollOne(7, 1);
    EXPECT_EQ(unknownOne.KnockOut, 0);
}

TEST(Combatant, ReshapeKeepsTheWoundsAMonsterHasTaken)
{
    // A level-2 monster of 9 lives (dice 4 and 5), wounded to 4: 5 lives taken.
    test::TFakeRandom random{3, 4};
    TNestvura n;
    n.Level = 2;
    n.KnockOutRule = 2;
    n.RollLives(random);
    ASSERT_EQ(n.MaxLives, 9);
    n.Wound(5);
    ASSERT_EQ(n.Lives, 4);

    // The same level: nothing rolled, the rule and experience taken.
    test::TFakeRandom none;
    n.Reshape(2, 4, 250, none);
    EXPECT_EQ(n.MaxLives, 9);
    EXPECT_EQ(n.Lives, 4);
    EXPECT_EQ(n.KnockOut, 2); // 9 / 4
    EXPECT_EQ(n.KillExperience, 250);
    EXPECT_EQ(n.KnockOutRule, 4);

    // A new level rolls the maximum anew (dice 8, 8, 8, 8 = 32), 5 lives taken.
    test::TFakeRandom dice{7, 7, 7, 7};
    n.Reshape(4, 2, 250, dice);
    EXPECT_EQ(n.Level, 4);
    EXPECT_EQ(n.MaxLives, 32);
    EXPECT_EQ(n.Lives, 27);
    EXPECT_EQ(n.KnockOut, 4); // 32 / 8

    // Smaller than the wounds: dead, not below 0.
    test::TFakeRandom one{0};
    n.Reshape(1, 1, 250, one);
    EXPECT_EQ(n.MaxLives, 1);
    EXPECT_EQ(n.Lives, 0);
    EXPECT_EQ(n.KnockOut, 0); // kept below the maximum

    // No rule selected: rule 0, the threshold kept.
    TNestvura m;
    test::TFakeRandom two{1};
    m.RollLives(two); // 2 lives, rule 0
    m.KnockOut = 1;
    m.Reshape(1, -1, 100, none);
    EXPECT_EQ(m.KnockOutRule, 0);
    EXPECT_EQ(m.KnockOut, 1);
}

TEST(Combatant, RollLivesStaysWithinTheDiceRange)
{
    TClockSeededRandom random;
    for (std::int32_t level : {1, 17, 512}) {
        TNestvura n;
        n.Level = level;
        n.KnockOutRule = 4;
        n.RollLives(random);
        EXPECT_GE(n.MaxLives, level);
        EXPECT_LE(n.MaxLives, 8 * level);
        EXPECT_LT(n.KnockOut, n.MaxLives);
    }
    TNestvura none;
    none.Level = 0;
    none.RollLives(random);
    EXPECT_EQ(none.MaxLives, 0);
    EXPECT_TRUE(none.IsDead());
}

TEST(Combatant, ExperienceForIsSoundForAnyStoredKind)
{
    TNestvura n;
    n.MaxLives = 17;
    n.KillExperience = 100;
    EXPECT_EQ(n.ExperienceFor(1), 5);
    EXPECT_EQ(n.ExperienceFor(17), 100);

    n.MaxLives = 1;
    n.KillExperience = kMax; // a kind read back from the store is not range-limited
    EXPECT_EQ(n.ExperienceFor(1), kMax);
    EXPECT_EQ(n.ExperienceFor(2), kMax); // saturated, not wrapped
    n.KillExperience = kMin;
    EXPECT_EQ(n.ExperienceFor(2), kMin);

    n.MaxLives = 0;
    EXPECT_EQ(n.ExperienceFor(5), 0);
    n.MaxLives = -4;
    EXPECT_EQ(n.ExperienceFor(5), 0);
}

TEST(Combatant, WoundTakesAtMostTheRemainingLives)
{
    TNestvura n;
    n.MaxLives = 17;
    n.Lives = 5;
    n.KillExperience = 100;
    EXPECT_EQ(n.Wound(1000), 29);
    EXPECT_EQ(n.Lives, 0);
    EXPECT_EQ(n.Wound(3), 0); // a dead monster earns nothing

    // Rounding happens per wound.
    TNestvura a;
    a.MaxLives = a.Lives = 17;
    int total = 0;
    for (int i = 0; i < 17; ++i)
        total += a.Wound(1);
    EXPECT_EQ(total, 85);
    TNestvura b;
    b.MaxLives = b.Lives = 17;
    EXPECT_EQ(b.Wound(17), 100);

    TNestvura c;
    c.Lives = 10;
    EXPECT_EQ(c.Wound(-5), 0); // a wound never heals
    EXPECT_EQ(c.Lives, 10);
}

} // namespace
} // namespace mecovnik
