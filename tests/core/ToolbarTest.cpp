#include "TFakeRegistryFile.h"
#include "TestFiles.h"

#include "persistence/TRegistry.h"
#include "persistence/TRegistryStore.h"
#include "platform/StringTable.h"
#include "settings/TNastaveni.h"
#include "toolbar/ButtonLayout.h"
#include "toolbar/TSpeedButtonState.h"
#include "toolbar/TToolbarDrag.h"
#include "toolbar/ToolbarGeometry.h"
#include "toolbar/ToolbarPersistence.h"
#include "toolbar/ToolbarTableText.h"
#include "toolbar/ToolbarTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <limits>
#include <map>
#include <set>

namespace mecovnik {

std::ostream& operator<<(std::ostream& out, const TToolbarLayoutItem& r)
{
    return out << '(' << r.Id << ", " << r.Left << ", " << r.Top << ", " << r.Width << ", "
               << r.Height << ')';
}
std::ostream& operator<<(std::ostream& out, const TToolbarGroup& g)
{
    out << '{' << g.Name;
    for (std::int32_t id : g.Items)
        out << ' ' << id;
    return out << '}';
}
std::ostream& operator<<(std::ostream& out, const TPoint& p)
{
    return out << '(' << p.X << ", " << p.Y << ')';
}

namespace {

using test::ReadBytes;
using test::TFakeRegistryFile;

const std::filesystem::path kResources(MECOVNIK_RESOURCES_DIR);
const std::filesystem::path kData = std::filesystem::path(MECOVNIK_TEST_DATA_DIR) / "toolbar";

std::string AsciiUpper(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

std::vector<std::uint8_t> Table(const char* file, int perLine)
{
    std::string error;
    auto bytes = CompileToolbarTable(ReadBytes(kResources / "toolbar" / file), perLine, &error);
    EXPECT_TRUE(bytes) << error;
    return bytes.value_or(std::vector<std::uint8_t>{});
}

StringTable ProgramStrings()
{
    std::string error;
    auto table = StringTable::Parse(ReadBytes(kResources / "strings" / "strings.txt"), &error);
    EXPECT_TRUE(table) << error;
    return table.value_or(StringTable{});
}

std::vector<std::uint8_t> Ints(std::initializer_list<std::int32_t> values)
{
    std::vector<std::uint8_t> bytes;
    for (std::int32_t v : values)
        AppendInt32LE(bytes, v);
    return bytes;
}

constexpr TToolbarLayoutItem R(std::int32_t id, std::int32_t left = -1, std::int32_t top = -1,
                               std::int32_t width = -1, std::int32_t height = -1)
{
    return {id, left, top, width, height};
}

const auto kAnyButton = [](std::int32_t id) { return id >= 1 && id <= 9; };

// ---- tables ----

TEST(ToolbarTables, ResourceSpecifications)
{
    struct TCase
    {
        const char* ResourceSpec;
        const char* Default;
        TResourceName Want;
        const char* Why;
    };
    const TCase cases[] = {
        {"toolbar/buttons", "BUTTONS", {"TOOLBAR", "BUTTONS"}, "the main window's property"},
        {"", "INITIAL", {"TOOLBAR", "INITIAL"}, "empty: both defaults"},
        {"mytable", "ADJUST", {"TOOLBAR", "MYTABLE"}, "no slash: the name alone, upper-cased"},
        {"/other", "BUTTONS", {"TOOLBAR", "OTHER"}, "a leading slash keeps the type"},
        {"custom/x", "ADJUST", {"CUSTOM", "ADJUST"}, "one character after the slash: default name"},
        {"custom/", "ADJUST", {"CUSTOM", "ADJUST"}, "nothing after the slash: default name"},
        {"custom/ab", "ADJUST", {"CUSTOM", "AB"}, "two characters make a name"},
        {"/", "INITIAL", {"TOOLBAR", "INITIAL"}, "a slash alone changes nothing"},
        {"a/b/c", "BUTTONS", {"A", "B/C"}, "only the first slash splits"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(SplitResourceSpec(c.ResourceSpec, c.Default, AsciiUpper), c.Want) << c.Why;
    // A single letter of two bytes is still one character.
    EXPECT_EQ(SplitResourceSpec("t/č", "ADJUST", AsciiUpper).Name, "ADJUST");
}

TEST(ToolbarTables, TheProgramsTablesFromTheirSources)
{
    const auto buttons = Table("BUTTONS.tbl", 5);
    const auto initial = Table("INITIAL.tbl", 5);
    const auto adjust = Table("ADJUST.tbl", 0);
    EXPECT_EQ(buttons.size(), 180u);
    EXPECT_EQ(initial.size(), 40u);
    EXPECT_EQ(adjust.size(), 76u);

    const std::int32_t help[] = {576, 578, 526, 527, 528, 529, 501, 502, 503};
    const auto defs = ReadButtonsTable(buttons);
    ASSERT_EQ(defs.size(), 9u);
    for (std::size_t i = 0; i < defs.size(); ++i) {
        EXPECT_EQ(defs[i], (TToolbarButtonDef{static_cast<std::int32_t>(i + 1), 0, 0, 0, help[i],
                                              true, false}));
    }
    EXPECT_EQ(ReadLayoutRecords(initial), (std::vector{R(1), R(2)}));

    const StringTable strings = ProgramStrings();
    const auto groups =
        ReadAdjustTable(std::span(adjust), 2016, [&](std::int32_t n) { return strings.Load(n); });
    ASSERT_TRUE(groups);
    EXPECT_EQ(*groups, (std::vector<TToolbarGroup>{{"Panel nástrojů", {-2}},
                                                   {"Soubor", {1, 2}},
                                                   {"Okno", {3, 4, 5, 6}},
                                                   {"Nápověda", {7, 8, 9}}}));

    // The hints word for word, loaded as the main window's toolbar loads them.
    const auto hints = LoadHintList(2048, 0, [&](std::int32_t n) { return strings.Load(n); });
    EXPECT_EQ(hints, (std::vector<std::string>{
                         "Nastavení tiskárny|", "Ukončit práci s programem (Alt+X)|",
                         "Seřadit okna na sebe|", "Seřadit okna vodorovně vedle sebe|",
                         "Seřadit okna svisle nad sebe|", "Seřadit ikony|", "Obsah nápovědy|",
                         "Co je to?|", "Informace o programu|"}));
    // Beside them the program's own: the group "Boj" and its eight buttons' names.
    EXPECT_EQ(strings.Load(2020), "Boj");
    EXPECT_EQ(strings.Load(2103), "Zranit nestvůru");
    EXPECT_EQ(strings.Size(), 13u + 9u);
}

TEST(ToolbarTables, ReadersTakeWholeRecordsOnly)
{
    std::vector<std::uint8_t> bytes = Table("BUTTONS.tbl", 5);
    bytes.resize(185, 0xAB);
    EXPECT_EQ(ReadButtonsTable(bytes).size(), 9u) << "a remainder is ignored";
    EXPECT_TRUE(ReadButtonsTable({}).empty()) << "a missing table defines nothing";
    EXPECT_TRUE(ReadLayoutRecords(std::span<const std::uint8_t>(bytes).first(19)).empty());
    const auto records = std::vector{R(-2, 7, 0, 2, 33), R(std::numeric_limits<int>::min())};
    EXPECT_EQ(ReadLayoutRecords(WriteLayoutRecords(records)), records);
}

TEST(ToolbarTables, TheTableSourceCompiler)
{
    EXPECT_EQ(CompileToolbarTable("1 -2 # x\n\n# c\n3", 0), Ints({1, -2, 3}));
    EXPECT_FALSE(CompileToolbarTable("1 2 3 4\n", 5)) << "a short record";
    EXPECT_FALSE(CompileToolbarTable("1 2x\n", 0)) << "not a number";
    EXPECT_FALSE(CompileToolbarTable("4294967296\n", 0)) << "beyond 32 bits";
    std::string error;
    EXPECT_FALSE(CompileToolbarTable("1 1 1 1 1\n2 2\n", 5, &error));
    EXPECT_EQ(error, "line 2: 2 2");
}

TEST(ToolbarTables, AdjustGroups)
{
    const std::map<std::int32_t, std::string> strings{{10, "První"}, {11, ""}, {12, "Třetí"}};
    const auto load = [&](std::int32_t n) {
        const auto it = strings.find(n);
        return it == strings.end() ? std::string() : it->second;
    };
    const auto read = [&](const std::vector<std::uint8_t>& bytes) {
        return ReadAdjustTable(std::span(bytes), 10, load);
    };
    struct TCase
    {
        std::vector<std::uint8_t> Bytes;
        std::vector<TToolbarGroup> Want;
        const char* Why;
    };
    const TCase cases[] = {
        {Ints({3, 1, 1, 5, 2, 0, 0, 2, -1, -3}),
         {{"První", {5}}, {"Skupina 2", {}}, {"Skupina 3", {-1, -3}}},
         "name number 2 is an empty string; the third group has number 0"},
        {Ints({1, 9, 0}), {{"Skupina 1", {}}}, "a missing string names the group by position"},
        {{}, {}, "a table found but empty has no groups"},
        {Ints({2, 1, 2, 7}), {}, "a group whose items run past the data is dropped"},
        {Ints({2, 1, 1, 7, 3, 100}), {{"První", {7}}}, "the second group lacks its count"},
        {Ints({1, 1, std::numeric_limits<std::int32_t>::max()}), {}, "a huge count"},
        {Ints({1, 1, -5, 7}), {}, "a negative count"},
        {Ints({-4, 1, 1, 7}), {}, "a negative group count"},
        {Ints({std::numeric_limits<std::int32_t>::max()}), {}, "a huge group count, no data"},
        {Ints({1, std::numeric_limits<std::int32_t>::min(), 0}),
         {{"Skupina 1", {}}},
         "a name number that overflows the string numbering"},
    };
    for (const TCase& c : cases) {
        const auto groups = read(c.Bytes);
        ASSERT_TRUE(groups) << c.Why;
        EXPECT_EQ(*groups, c.Want) << c.Why;
    }
    EXPECT_FALSE(ReadAdjustTable(std::nullopt, 10, load)) << "no table, no group list";
    // Three bytes beyond whole numbers are never read.
    auto bytes = Ints({1, 1, 1, 7});
    bytes.resize(bytes.size() + 3, 0xFF);
    EXPECT_EQ(read(bytes)->size(), 1u);
}

TEST(ToolbarTables, NumberedImagesAndHints)
{
    const std::set<std::int32_t> present{2048, 2049, 2051};
    const std::function<std::optional<int>(std::int32_t)> load =
        [&](std::int32_t n) -> std::optional<int> {
        if (!present.contains(n))
            return std::nullopt;
        return n;
    };
    EXPECT_EQ(LoadNumberedList(2048, 0, load), (std::vector<std::optional<int>>{2048, 2049}))
        << "count 0 stops at the gap";
    EXPECT_EQ(LoadNumberedList(2048, 4, load),
              (std::vector<std::optional<int>>{2048, 2049, std::nullopt, 2051}))
        << "a count keeps an empty slot";
    EXPECT_TRUE(LoadNumberedList(std::numeric_limits<std::int32_t>::max(), 3, load).size() <= 1);

    EXPECT_EQ(ImageResourceName("#%d", 2048), "#2048");
    EXPECT_EQ(ImageResourceName("", 2048), "2048");
    EXPECT_EQ(ImageResourceName("IMG_%d_X%", 7), "IMG_7_X%");

    const auto strings = [](std::int32_t n) { return n == 3 ? std::string() : std::to_string(n); };
    EXPECT_EQ(LoadHintList(1, 0, strings), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(LoadHintList(1, 4, strings), (std::vector<std::string>{"1", "2", "", "4"}));

    TToolbarButtonDef def{3, 0, 0, 0, 0};
    EXPECT_EQ(ImageIndexFor(def, 9), 2u) << "image 0 means the id";
    def.Image = 9;
    EXPECT_EQ(ImageIndexFor(def, 9), 8u);
    EXPECT_FALSE(ImageIndexFor(def, 8)) << "a list too short";
    def.Image = -1;
    EXPECT_FALSE(ImageIndexFor(def, 9));
    EXPECT_FALSE(ImageIndexFor({0, 0, 0, 0, 0}, 9));

    const std::vector<std::string> hints{"a|", "b|"};
    EXPECT_EQ(HintFor(2, hints), "b|");
    EXPECT_EQ(HintFor(0, hints), "");
    EXPECT_EQ(HintFor(3, hints), "");
}

TEST(ToolbarTables, DisplayNames)
{
    EXPECT_EQ(ButtonDisplayName(-1, "x"), "Mezera");
    EXPECT_EQ(ButtonDisplayName(-2, ""), "Oddělovač");
    EXPECT_EQ(ButtonDisplayName(-3, ""), "Nový řádek");
    EXPECT_EQ(ButtonDisplayName(2, "Ukončit práci s programem (Alt+X)|"),
              "Ukončit práci s programem ");
    EXPECT_EQ(ButtonDisplayName(1, "Nastavení tiskárny|"), "Nastavení tiskárny|");
    EXPECT_EQ(ButtonDisplayName(5, "Okna [F5] (x)|"), "Okna ") << "the earlier of ( and [";
    EXPECT_EQ(ButtonDisplayName(12, ""), "Tlačítko 12");
    EXPECT_EQ(ButtonDisplayName(4, "(jen závorka)"), "Tlačítko 4");
    EXPECT_EQ(ButtonDisplayName(-7, ""), "Tlačítko -7");
}

// ---- placing ----

TEST(ToolbarGeometry, Placing)
{
    struct TCase
    {
        std::vector<TToolbarLayoutItem> Records;
        std::vector<TToolbarLayoutItem> Want;
        const char* Why;
    };
    const TCase cases[] = {
        {{R(1), R(2)}, {R(1, 4, 4, 25, 25), R(2, 29, 4, 25, 25)}, "the initial layout"},
        {{R(3), R(-1), R(-2), R(-3), R(4)},
         {R(3, 4, 4, 25, 25), R(-2, 33, 0, 2, 33), R(4, 4, 33, 25, 25)},
         "space, full-height separator, new line"},
        {{R(-2, -1, -1, -1, 0)}, {R(-2, 4, 4, 2, 25)}, "height 0 is 25 at the running position"},
        {{R(-2, 10, 7, 2, 12)}, {R(-2, 10, 7, 2, 12)}, "any other height stands"},
        {{R(12), R(1)}, {R(1, 4, 4, 25, 25)}, "no definition: nothing, no move"},
        {{R(-7), R(1)}, {R(1, 4, 4, 25, 25)}, "another negative id is no item"},
        {{R(1, 100, -1), R(2, -1, 40)},
         {R(1, 100, 4, 25, 25), R(2, 125, 40, 25, 25)},
         "left and top move the running position"},
        {{R(1, 2147483647, -2147483648), R(2)},
         {R(1, 32767, -32767, 25, 25), R(2, 32767, -32767, 25, 25)},
         "far outside is clamped, never overflows"},
        {{R(-2, 10, 5, 2, -2), R(-2, 20, 5, 2, 100000)},
         {R(-2, 10, 5, 2, 1), R(-2, 20, 5, 2, 32767)},
         "odd separator heights are kept within bounds"},
        {{}, {}, "nothing to place"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(PlaceLayout(c.Records, 33, kAnyButton), c.Want) << c.Why;
}

TEST(ToolbarGeometry, Snapping)
{
    const std::vector<TToolbarLayoutItem> one{R(1, 4, 4, 25, 25)};
    const std::vector<TToolbarLayoutItem> withSeparator{R(1, 4, 4, 25, 25), R(-2, 60, 0, 2, 33)};
    struct TCase
    {
        const std::vector<TToolbarLayoutItem>* Placed;
        bool Separator;
        TPoint Corner;
        TPoint Want;
        const char* Why;
    };
    const std::vector<TToolbarLayoutItem> none;
    const TCase cases[] = {
        {&one, false, {30, 10}, {29, 4}, "right beside the button"},
        {&one, false, {40, 10}, {40, 4}, "out of reach: only the row"},
        {&one, false, {3, 10}, {4, 4}, "onto the button's own cell"},
        {&one, false, {-20, 10}, {-21, 4}, "left of the button"},
        {&one, false, {10, 30}, {4, 29}, "below the button"},
        {&none, false, {100, 12}, {100, 4}, "first row"},
        {&none, false, {100, 27}, {100, 29}, "second row"},
        {&none, false, {100, 34}, {100, 34}, "below the toolbar: no row"},
        {&none, false, {100, -1}, {100, -1}, "above the toolbar: no row"},
        {&none, true, {100, 20}, {100, 0}, "a separator goes to y 0"},
        {&none, true, {100, 33}, {100, 33}, "not within the height"},
        {&withSeparator, false, {62, 10}, {66, 4}, "a button right of a separator"},
        {&withSeparator, false, {40, 10}, {31, 4}, "a button left of a separator"},
        {&withSeparator, true, {31, 20}, {33, 0}, "a separator right of a button"},
        {&withSeparator, true, {-5, 20}, {-2, 0}, "a separator left of a button"},
        {&withSeparator, true, {55, 20}, {54, 0}, "a separator left of a separator"},
        {&withSeparator, true, {75, 20}, {75, 0}, "a separator out of reach"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(SnapItemCorner(c.Corner, c.Separator, *c.Placed, std::nullopt, 33), c.Want)
            << c.Why;
    }
    // The dragged item does not snap to itself.
    EXPECT_EQ(SnapItemCorner({30, 10}, false, one, 0u, 33), (TPoint{30, 4}));
    // An earlier snap wins over a later entry.
    const std::vector<TToolbarLayoutItem> two{R(1, 4, 4, 25, 25), R(2, 29, 4, 25, 25)};
    EXPECT_EQ(SnapItemCorner({30, 10}, false, two, std::nullopt, 33), (TPoint{29, 4}));

    EXPECT_EQ(DroppedGeometry(-2, {40, 17}, 33), R(-2, 40, 0, 2, 33));
    EXPECT_EQ(DroppedGeometry(5, {40, 17}, 33), R(5, 40, 17, 25, 25));
}

TEST(ToolbarGeometry, DragEngine)
{
    const std::vector<TToolbarLayoutItem> placed{R(1, 4, 4, 25, 25), R(2, 29, 4, 25, 25)};
    TToolbarDrag drag;
    // A new button from the list: hot spot in the picture's centre.
    TPoint shown = drag.Begin(std::nullopt, 3, {-1, -1}, {25, 25}, {200, 20}, placed, 33);
    EXPECT_TRUE(drag.Dragging());
    EXPECT_EQ(drag.HotSpot(), (TPoint{12, 12}));
    EXPECT_EQ(shown, (TPoint{200, 16})) << "the corner (188, 8) snaps to row 4";
    drag.Move({68, 20}, placed, 33);
    EXPECT_EQ(drag.LastPoint(), (TPoint{66, 16}));
    EXPECT_EQ(drag.End({68, 20}, placed, 33), (TPoint{54, 4})) << "right of button 2";
    EXPECT_FALSE(drag.Dragging());

    // Moving button 2 by its press point: it does not snap to itself.
    drag.Begin(0u + 1, 2, {5, 6}, {25, 25}, {40, 10}, placed, 33);
    EXPECT_EQ(drag.PlacedIndex(), 1u);
    EXPECT_EQ(drag.End({36, 12}, placed, 33), (TPoint{29, 4}));

    // A separator dragged with the press point as hot spot.
    drag.Begin(std::nullopt, -2, {1, 5}, {2, 33}, {100, 20}, placed, 33);
    EXPECT_EQ(drag.End({100, 20}, placed, 33), (TPoint{99, 0}));
}

// ---- the speed button's rules ----

TEST(SpeedButton, Tracking)
{
    TSpeedButtonState push;
    EXPECT_TRUE(push.Press());
    EXPECT_EQ(push.State(), TButtonPaintState::psDown);
    EXPECT_TRUE(push.Move(25, 10, 25, 25)) << "the right edge is outside";
    EXPECT_EQ(push.State(), TButtonPaintState::psUp);
    EXPECT_FALSE(push.Move(30, 10, 25, 25)) << "no change, no repaint";
    EXPECT_TRUE(push.Move(10, 25, 25, 25)) << "the bottom edge is inside";
    EXPECT_EQ(push.State(), TButtonPaintState::psDown);
    auto r = push.Release(10, 25, 25, 25);
    EXPECT_TRUE(r.Click) << "released on the bottom edge";
    EXPECT_EQ(push.State(), TButtonPaintState::psUp);
    push.Press();
    r = push.Release(25, 10, 25, 25);
    EXPECT_FALSE(r.Click) << "released on the right edge";
    EXPECT_TRUE(r.Repaint);
    EXPECT_FALSE(push.Release(5, 5, 25, 25).Click) << "not tracking any more";
    EXPECT_FALSE(push.SetDown(true)) << "a push button never latches";
    EXPECT_FALSE(push.Down());

    TSpeedButtonState disabled;
    disabled.Enabled = false;
    EXPECT_FALSE(disabled.Press());
    EXPECT_FALSE(disabled.Tracking());
    EXPECT_EQ(disabled.StateForPaint(), TButtonPaintState::psDisabled);
    disabled.Enabled = true;
    EXPECT_EQ(disabled.StateForPaint(), TButtonPaintState::psUp);
}

TEST(SpeedButton, Latching)
{
    TSpeedButtonState b;
    b.SetGroupIndex(1);
    b.Press();
    auto r = b.Release(5, 5, 25, 25);
    EXPECT_TRUE(r.Click);
    EXPECT_TRUE(r.WentDown);
    EXPECT_TRUE(b.Down());
    EXPECT_EQ(b.State(), TButtonPaintState::psLatched);
    // AllowAllUp false: clicked again it stays down, and still clicks.
    EXPECT_FALSE(b.Press()) << "a down button shows no press";
    EXPECT_EQ(b.State(), TButtonPaintState::psLatched);
    EXPECT_FALSE(b.Move(40, 5, 25, 25)) << "latched outside too";
    r = b.Release(5, 5, 25, 25);
    EXPECT_TRUE(r.Click);
    EXPECT_TRUE(b.Down());
    EXPECT_EQ(b.State(), TButtonPaintState::psLatched);
    // Released outside: latched again, no click.
    b.Press();
    r = b.Release(-1, 5, 25, 25);
    EXPECT_FALSE(r.Click);
    EXPECT_EQ(b.State(), TButtonPaintState::psLatched);
    // AllowAllUp: a click releases it.
    b.AllowAllUp = true;
    b.Press();
    r = b.Release(5, 5, 25, 25);
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(b.State(), TButtonPaintState::psUp);

    // A disabled latched button returns latched when enabled again.
    b.SetDown(true);
    b.Enabled = false;
    EXPECT_EQ(b.StateForPaint(), TButtonPaintState::psDisabled);
    b.Enabled = true;
    EXPECT_EQ(b.StateForPaint(), TButtonPaintState::psLatched);

    // Group message: another button of the group went down.
    TSpeedButtonState other;
    other.SetGroupIndex(1);
    other.SetDown(true);
    EXPECT_FALSE(other.GroupPressed(2, true, true)) << "another group";
    EXPECT_TRUE(other.Down());
    EXPECT_TRUE(other.GroupPressed(1, true, true));
    EXPECT_FALSE(other.Down());
    EXPECT_TRUE(other.AllowAllUp) << "copied from the sender";
    EXPECT_FALSE(other.GroupPressed(1, false, false));
    EXPECT_FALSE(other.AllowAllUp);
}

TEST(SpeedButton, GlyphAndCaptionLayout)
{
    using L = TButtonLayout;
    struct TCase
    {
        TPoint Available, Glyph, Text;
        L Layout;
        int Margin, Spacing;
        TButtonLayoutResult Want;
        const char* Why;
    };
    const TCase cases[] = {
        {{22, 22},
         {20, 20},
         {0, 0},
         L::blGlyphLeft,
         -1,
         4,
         {{1, 1}, {21, 11}},
         "the toolbar's button: glyph at 1 inside the face"},
        {{72, 22}, {16, 16}, {30, 13}, L::blGlyphLeft, -1, 4, {{11, 3}, {31, 5}}, "centred pair"},
        {{72, 22}, {16, 16}, {30, 13}, L::blGlyphRight, -1, 4, {{45, 3}, {11, 5}}, "mirrored"},
        {{72, 22},
         {16, 16},
         {30, 13},
         L::blGlyphLeft,
         -1,
         -1,
         {{8, 3}, {32, 5}},
         "spread evenly: (72 - 46) div 3 = 8"},
        {{72, 22},
         {16, 16},
         {30, 13},
         L::blGlyphLeft,
         2,
         -1,
         {{2, 3}, {30, 5}},
         "given margin, spread spacing: (72 - 2 - 46) div 2 = 12"},
        {{40, 60}, {16, 16}, {30, 13}, L::blGlyphTop, -1, 4, {{12, 14}, {5, 34}}, "glyph on top"},
        {{40, 60},
         {16, 16},
         {30, 13},
         L::blGlyphBottom,
         3,
         4,
         {{12, 41}, {5, 24}},
         "glyph at the bottom with a margin"},
        {{22, 22},
         {0, 0},
         {10, 13},
         L::blGlyphLeft,
         -1,
         4,
         {{6, 11}, {6, 5}},
         "no glyph: no spacing"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(LayoutGlyphAndText(c.Available, c.Glyph, c.Text, c.Layout, c.Margin, c.Spacing),
                  c.Want)
            << c.Why;
}

// ---- persistence ----

std::vector<std::uint8_t> StoredBytes(const TRegistry& key, std::string_view name)
{
    const auto info = key.GetDataInfo(name);
    if (!info)
        return {};
    std::vector<std::uint8_t> bytes(info->Size);
    key.ReadBinaryData(name, bytes);
    return bytes;
}

TEST(ToolbarPersistence, SavingTheInitialToolbar)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    auto state = std::make_unique<TToolbarState>();
    state->Records = PlaceLayout(std::vector{R(1), R(2)}, 33, kAnyButton);
    nastaveni.Toolbar.Replace(std::move(state));
    ASSERT_TRUE(nastaveni.Save());

    TRegistry reg(store);
    ASSERT_TRUE(reg.OpenKey("Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Panel nástrojů", false));
    EXPECT_EQ(reg.GetValueNames(),
              (std::vector<std::string>{"Verze", "Viditelný", "Zobrazovat popisky",
                                        "Počet tlačítek", "Tlačítka"}));
    EXPECT_EQ(reg.ReadInteger("Verze"), 1);
    EXPECT_EQ(reg.ReadInteger("Viditelný"), 1);
    EXPECT_EQ(reg.ReadInteger("Zobrazovat popisky"), 1);
    EXPECT_EQ(reg.ReadInteger("Počet tlačítek"), 2);
    EXPECT_EQ(StoredBytes(reg, "Tlačítka"), Ints({1, 4, 4, 25, 25, 2, 29, 4, 25, 25}));
    EXPECT_EQ(StoredBytes(reg, "Tlačítka").size(), 40u);
    reg.CloseKey();

    // The toolbar's key sits between "Okna" and "Nestvůry" and is rewritten
    // whole: an empty toolbar leaves no "Tlačítka" and no stray value.
    ASSERT_TRUE(reg.OpenKey("Software\\Ferdax\\Mečovník pro Hradomor\\1.0", false));
    EXPECT_EQ(reg.GetKeyNames(),
              (std::vector<std::string>{"Nastavení", "Okna", "Panel nástrojů", "Nestvůry"}));
    reg.CloseKey();
    {
        TRegistry stray(store);
        ASSERT_TRUE(
            stray.OpenKey("Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Panel nástrojů", false));
        stray.WriteInteger("Cizí", 5);
    }
    auto empty = std::make_unique<TToolbarState>();
    empty->Visible = 0;
    nastaveni.Toolbar.Replace(std::move(empty));
    ASSERT_TRUE(nastaveni.Save());
    ASSERT_TRUE(reg.OpenKey("Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Panel nástrojů", false));
    EXPECT_EQ(
        reg.GetValueNames(),
        (std::vector<std::string>{"Verze", "Viditelný", "Zobrazovat popisky", "Počet tlačítek"}));
    EXPECT_EQ(reg.ReadInteger("Viditelný"), 0);
    EXPECT_EQ(reg.ReadInteger("Počet tlačítek"), 0);
}

TEST(ToolbarPersistence, LoadCasesFromFiles)
{
    struct TCase
    {
        const char* File;
        const char* Why;
        std::optional<TToolbarState> Want;
    };
    const std::vector<TToolbarLayoutItem> stored{R(3, 4, 4, 25, 25), R(-2, 29, 0, 2, 33),
                                                 R(4, 33, 4, 25, 25)};
    const TCase cases[] = {
        {"no-subkey", "no subkey, no state", std::nullopt},
        {"stored-layout", "a stored layout", TToolbarState{1, 0, stored}},
        {"hidden", "a hidden toolbar without a layout", TToolbarState{0, 1, {}}},
        {"count-zero", "count 0: no records", TToolbarState{1, 1, {}}},
        {"version-two", "version 2 is ignored whole", std::nullopt},
        {"version-missing", "no version, no state", std::nullopt},
        {"version-as-string", "a version stored as text is none", std::nullopt},
        {"one-byte-too-many", "the layout is not restored, the flags are", TToolbarState{0, 0, {}}},
        {"one-byte-short", "one byte short: no layout", TToolbarState{1, 1, {}}},
        {"count-negative", "a negative count: no layout", TToolbarState{0, 1, {}}},
        {"count-huge", "2^31 - 1 records: no layout, nothing allocated", TToolbarState{1, 0, {}}},
        {"count-wraps", "a count whose byte size wraps to the data's size",
         TToolbarState{1, 1, {}}},
        {"flags-mistyped", "mistyped flags stay on", TToolbarState{1, 1, stored}},
        {"flags-nonzero", "any non-zero flag is on", TToolbarState{1, 1, {}}},
        {"buttons-as-string", "records stored as text are none", TToolbarState{1, 1, {}}},
        {"bad-items", "odd records load as they are; placing copes with them",
         TToolbarState{1,
                       1,
                       {R(12), R(3, 2147483647, -2147483648, 25, 25), R(-2, 10, -1, 2, -2),
                        R(-2, 20, -1, 2, 100000)}}},
    };
    std::set<std::string> listed;
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.File) + ": " + c.Why);
        listed.insert(std::string(c.File) + ".reg");
        const std::string bytes = ReadBytes(kData / (std::string(c.File) + ".reg"));
        TFakeRegistryFile file(bytes);
        TRegistryStore store(file);
        TNastaveni nastaveni(store);
        nastaveni.Toolbar.Replace(std::make_unique<TToolbarState>());
        ASSERT_TRUE(nastaveni.Load());
        const TToolbarState* got = nastaveni.Toolbar.Get();
        ASSERT_EQ(got != nullptr, c.Want.has_value());
        if (got) {
            EXPECT_EQ(*got, *c.Want);
        }
        EXPECT_EQ(file.Writes, 0);
    }
    for (const auto& entry : std::filesystem::directory_iterator(kData))
        EXPECT_TRUE(listed.count(entry.path().filename().string())) << entry.path();
}

TEST(ToolbarPersistence, RoundTrip)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TNastaveni saved(store);
    auto state = std::make_unique<TToolbarState>();
    state->ShowHints = 0;
    state->Records = PlaceLayout(std::vector{R(9), R(-2), R(-3), R(5, 100, -1)}, 33, kAnyButton);
    const TToolbarState copy = *state;
    saved.Toolbar.Replace(std::move(state));
    ASSERT_TRUE(saved.Save());
    TNastaveni loaded(store);
    ASSERT_TRUE(loaded.Load());
    ASSERT_TRUE(loaded.Toolbar.Get());
    EXPECT_EQ(*loaded.Toolbar.Get(), copy);
    // Placed again from what was stored, the items stand where they stood.
    EXPECT_EQ(PlaceLayout(loaded.Toolbar.Get()->Records, 33, kAnyButton), copy.Records);

    // Nothing captured: the stored toolbar is left as it is.
    TNastaveni blank(store);
    ASSERT_TRUE(blank.Save());
    TNastaveni again(store);
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(*again.Toolbar.Get(), copy);
}

TEST(ToolbarPersistence, TheToolbarCountsInTheRoomASaveNeeds)
{
    // Stores too small for the whole configuration with its toolbar: a save
    // either writes all of it or, refused before it starts, nothing at all.
    const std::string program = "Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\";
    bool refused = false;
    bool savedWhole = false;
    for (std::size_t quota = 0; quota < 40000; quota += 4) {
        TFakeRegistryFile file;
        TRegistryStore store(file, quota);
        TNastaveni nastaveni(store);
        auto state = std::make_unique<TToolbarState>();
        state->Records = PlaceLayout(std::vector{R(1), R(2)}, 33, kAnyButton);
        nastaveni.Toolbar.Replace(std::move(state));
        const bool saved = nastaveni.Save();
        TRegistry reg(store);
        const bool windows = reg.KeyExists(program + "Okna");
        const bool toolbar = reg.KeyExists(program + "Panel nástrojů");
        const bool presets = reg.KeyExists(program + "Nestvůry");
        if (saved) {
            EXPECT_TRUE(windows && toolbar && presets) << quota;
            savedWhole = true;
            break;
        }
        EXPECT_FALSE(windows || toolbar || presets) << quota;
        refused = true;
    }
    EXPECT_TRUE(refused && savedWhole);
}

} // namespace
} // namespace mecovnik
