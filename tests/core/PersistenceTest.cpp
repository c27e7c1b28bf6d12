#include "TFakeRegistryFile.h"

#include "persistence/PlacementValues.h"
#include "persistence/RegFileFormat.h"
#include "persistence/RegistryReads.h"
#include "persistence/TMemoryRegistryFile.h"
#include "persistence/TRegistry.h"
#include "persistence/TRegistryStore.h"
#include "roster/MonsterPresetStore.h"
#include "roster/TMonsterPresets.h"
#include "settings/TNastaveni.h"
#include "text/Utf8.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <random>
#include <set>
#include <sstream>

namespace mecovnik {
namespace {

using test::TFakeRegistryFile;

const std::filesystem::path kData = std::filesystem::path(MECOVNIK_TEST_DATA_DIR) / "registry";

using mecovnik::test::ReadBytes;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

std::unique_ptr<TNestvura> Preset(std::string name, std::int32_t level, std::int32_t rule,
                                  std::int32_t experience)
{
    auto record = std::make_unique<TNestvura>(std::move(name));
    record->Level = level;
    record->KnockOutRule = rule;
    record->KillExperience = experience;
    return record;
}

struct TPresetRow
{
    std::string Name;
    std::int32_t Level;
    std::int32_t KnockOutRule;
    std::int32_t KillExperience;
    friend bool operator==(const TPresetRow&, const TPresetRow&) = default;
};

std::ostream& operator<<(std::ostream& out, const TPresetRow& row)
{
    return out << '{' << row.Name << ' ' << row.Level << ' ' << row.KnockOutRule << ' '
               << row.KillExperience << '}';
}

std::vector<TPresetRow> Rows(const TMonsterPresets& list)
{
    std::vector<TPresetRow> rows;
    for (int i = 0; i < list.Count(); ++i) {
        const TNestvura& r = *list.At(i);
        rows.push_back({r.Name, r.Level, r.KnockOutRule, r.KillExperience});
    }
    return rows;
}

// ---- validated reads ----

TEST(RegistryReads, AcceptOnlyTheRightTypeRangeAndSize)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TRegistry reg(store);
    ASSERT_TRUE(reg.OpenKey("Software\\Test", true));
    reg.WriteInteger("ten", 10);
    reg.WriteInteger("eleven", 11);
    reg.WriteInteger("two", 2);
    reg.WriteInteger("min", kMin);
    reg.WriteString("text", "10");
    const std::array<std::uint8_t, 16> sixteen{1, 2,  3,  4,  5,  6,  7,  8,
                                               9, 10, 11, 12, 13, 14, 15, 16};
    reg.WriteBinaryData("b16", sixteen);
    reg.WriteBinaryData("b15", std::span(sixteen).first(15));
    reg.WriteBinaryData("b17", std::array<std::uint8_t, 17>{});
    reg.WriteBinaryData("b4", std::array<std::uint8_t, 4>{10, 0, 0, 0});

    std::int32_t value = 99;
    EXPECT_FALSE(RegReadInteger(reg, "eleven", value, 10, 0));
    EXPECT_EQ(value, 99);
    EXPECT_TRUE(RegReadInteger(reg, "ten", value, 10, 0));
    EXPECT_EQ(value, 10);
    value = 99;
    EXPECT_FALSE(RegReadInteger(reg, "ten", value, 9, 0)); // max comes first
    EXPECT_FALSE(RegReadInteger(reg, "ten", value, 20, 11));
    EXPECT_FALSE(RegReadInteger(reg, "text", value, kMax, kMin));
    EXPECT_FALSE(RegReadInteger(reg, "b4", value, kMax, kMin)); // four bytes, but binary
    EXPECT_FALSE(RegReadInteger(reg, "missing", value, kMax, kMin));
    EXPECT_EQ(value, 99);
    EXPECT_TRUE(RegReadInteger(reg, "min", value, kMax, kMin));
    EXPECT_EQ(value, kMin);

    bool flag = false;
    EXPECT_TRUE(RegReadBool(reg, "two", flag));
    EXPECT_TRUE(flag);
    reg.WriteInteger("zero", 0);
    EXPECT_TRUE(RegReadBool(reg, "zero", flag));
    EXPECT_FALSE(flag);
    flag = true;
    EXPECT_FALSE(RegReadBool(reg, "text", flag));
    EXPECT_FALSE(RegReadBool(reg, "missing", flag));
    EXPECT_TRUE(flag);

    std::array<std::uint8_t, 16> buffer{};
    buffer.fill(0xEE);
    EXPECT_EQ(RegReadBinary(reg, "b15", buffer), -1);
    EXPECT_EQ(RegReadBinary(reg, "b17", buffer), -1);
    EXPECT_EQ(RegReadBinary(reg, "ten", buffer), -1);
    EXPECT_EQ(RegReadBinary(reg, "missing", buffer), -1);
    EXPECT_EQ(buffer[0], 0xEE);
    EXPECT_EQ(buffer[15], 0xEE);
    EXPECT_EQ(RegReadBinary(reg, "b16", buffer), 16);
    EXPECT_EQ(buffer, sixteen);
}

TEST(RegistryReads, ClearKeyRemovesSubkeysValuesOrBoth)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TRegistry reg(store);
    const auto fill = [&] {
        reg.CloseKey();
        ASSERT_TRUE(reg.OpenKey("Software\\Test\\A\\Deep", true));
        reg.CloseKey();
        ASSERT_TRUE(reg.OpenKey("Software\\Test\\B", true));
        reg.CloseKey();
        ASSERT_TRUE(reg.OpenKey("Software\\Test", false));
        reg.WriteInteger("v1", 1);
        reg.WriteInteger("v2", 2);
    };
    fill();
    RegClearKey(reg, kClearSubkeys);
    EXPECT_TRUE(reg.GetKeyNames().empty());
    EXPECT_EQ(reg.GetValueNames().size(), 2u);
    fill();
    RegClearKey(reg, kClearValues);
    EXPECT_EQ(reg.GetKeyNames().size(), 2u);
    EXPECT_TRUE(reg.GetValueNames().empty());
    fill();
    RegClearKey(reg, kClearSubkeys | kClearValues);
    EXPECT_TRUE(reg.GetKeyNames().empty());
    EXPECT_TRUE(reg.GetValueNames().empty());
    EXPECT_TRUE(reg.KeyExists("\\Software\\Test")); // the key itself stays
}

// ---- presets ----

class PresetsTest : public ::testing::Test
{
protected:
    TFakeRegistryFile m_file;
    TRegistryStore m_store{m_file};

    void Save(const TMonsterPresets& list)
    {
        TRegistry reg(m_store);
        ASSERT_TRUE(reg.OpenKey("Nestvůry", true));
        SaveMonsterPresets(reg, list);
    }
    void Load(TMonsterPresets& list)
    {
        TRegistry reg(m_store);
        ASSERT_TRUE(reg.OpenKey("Nestvůry", false));
        LoadMonsterPresets(reg, list);
    }
};

TEST_F(PresetsTest, ComeBackWithTheirNumbersAndFreshLives)
{
    TMonsterPresets list;
    Save(list);
    TMonsterPresets loaded;
    loaded.Append(Preset("leftover", 1, 1, 1));
    Load(loaded);
    EXPECT_EQ(loaded.Count(), 0); // an empty list is an empty key

    list.Append(Preset("Skřet", 7, 2, 350));
    list.Append(Preset("Zlobr", kMin, kMax, -1));
    list.Append(Preset("Obří pavouk", 3, 0, 120));
    list.At(0)->Lives = 3;
    list.At(0)->MaxLives = 60;
    Save(list);
    Load(loaded);
    // List order survives, and lives are the record's defaults.
    EXPECT_EQ(Rows(loaded), Rows(list));
    EXPECT_EQ(loaded.At(0)->Lives, 50);
    EXPECT_EQ(loaded.At(0)->MaxLives, 50);
    EXPECT_EQ(loaded.At(0)->KnockOut, 1);
}

TEST_F(PresetsTest, SavingEmptiesTheKeyFirst)
{
    {
        TRegistry reg(m_store);
        ASSERT_TRUE(reg.OpenKey("Nestvůry\\Starý\\Pod", true));
        reg.CloseKey();
        ASSERT_TRUE(reg.OpenKey("Nestvůry", false));
        reg.WriteInteger("stray value", 1);
    }
    TMonsterPresets list;
    list.Append(Preset("Nový", 2, 0, 10));
    Save(list);
    TRegistry reg(m_store);
    ASSERT_TRUE(reg.OpenKey("Nestvůry", false));
    EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"Nový"});
    EXPECT_TRUE(reg.GetValueNames().empty());
    ASSERT_TRUE(reg.OpenKey("Nový", false));
    EXPECT_EQ(reg.GetValueNames(),
              (std::vector<std::string>{"Životaschopnost", "Vyřazení", "Zkušenost"}));
}

TEST_F(PresetsTest, NamesNoSubkeyCanCarryComeBackExactly)
{
    // Why each name: empty; a backslash; the same subkey as an earlier one when
    // case is ignored; the escape mark first; one unit too long; exactly the
    // longest key name; too long only in UTF-16; a line break; plain names.
    const std::vector<std::string> names = {"Skřet",
                                            "",
                                            "Ork\\Skřet",
                                            "SKŘET",
                                            "=Muž",
                                            std::string(256, 'x'),
                                            std::string(255, 'y'),
                                            std::string(254, 'z') + "😀",
                                            "a\nb",
                                            "Zlobr",
                                            "=",
                                            "\\"};
    TMonsterPresets list;
    for (std::size_t i = 0; i < names.size(); ++i)
        list.Append(Preset(names[i], static_cast<std::int32_t>(i), 0, 100));
    Save(list);
    TMonsterPresets loaded;
    Load(loaded);
    EXPECT_EQ(Rows(loaded), Rows(list));

    // Plain names are their subkeys unchanged; the others are numbered.
    TRegistry reg(m_store);
    ASSERT_TRUE(reg.OpenKey("Nestvůry", false));
    const std::vector<std::string> subkeys = reg.GetKeyNames();
    const std::vector<std::string> expected = {
        "Skřet", "=1", "=2",    "=3", "=4", "=5", std::string(255, 'y'),
        "=6",    "=7", "Zlobr", "=8", "=9"};
    EXPECT_EQ(subkeys, expected);
    for (const std::string& name : names)
        EXPECT_EQ(IsPlainPresetName(name),
                  name == "Skřet" || name == "SKŘET" || name == "Zlobr" || name.size() == 255);
}

TEST_F(PresetsTest, ASubkeyThatCannotBeMadeEndsTheSaveWithOpenKey)
{
    TMonsterPresets list;
    list.Append(Preset("A", 1, 0, 100));
    Save(list);
    // Room for "Nestvůry" with "A" and its values, nothing more.
    TFakeRegistryFile file;
    TRegistryStore store(file, m_store.UsedBytes());
    list.Append(Preset("B", 1, 0, 100));
    TRegistry reg(store);
    ASSERT_TRUE(reg.OpenKey("Nestvůry", true));
    try {
        SaveMonsterPresets(reg, list);
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "OpenKey");
    }
    EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"A"});
}

// ---- the settings object ----

TEST(Nastaveni, FirstStartLoadsNothingAndWritesNothing)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    EXPECT_TRUE(nastaveni.Load());
    EXPECT_TRUE(nastaveni.AutoSave);
    EXPECT_EQ(nastaveni.MainWindow, TFormPlacement{});
    EXPECT_EQ(nastaveni.MonsterPresets.Count(), 0);
    EXPECT_EQ(file.Writes, 0);
    EXPECT_FALSE(file.Content);
}

TEST(Nastaveni, AKnownConfigurationIsWrittenByteForByte)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    nastaveni.AutoSave = false;
    nastaveni.MainWindow = {-8, -8, 1296, 1000, 2};
    nastaveni.MonsterPresets.Append(Preset("Skřet", 7, 2, 350));
    nastaveni.MonsterPresets.Append(Preset("Obří pavouk", 3, 0, 120));
    nastaveni.MonsterPresets.Append(Preset("Drak", 12, 4, 5000));
    ASSERT_TRUE(nastaveni.Save());
    EXPECT_EQ(file.Writes, 1);
    EXPECT_EQ(file.Content, ReadBytes(kData / "golden" / "known-configuration.reg"));

    // Saved again unchanged: the same bytes.
    ASSERT_TRUE(nastaveni.Save());
    EXPECT_EQ(file.Content, ReadBytes(kData / "golden" / "known-configuration.reg"));

    TNastaveni loaded(store);
    ASSERT_TRUE(loaded.Load());
    EXPECT_FALSE(loaded.AutoSave);
    EXPECT_EQ(loaded.MainWindow, nastaveni.MainWindow);
    EXPECT_EQ(Rows(loaded.MonsterPresets), Rows(nastaveni.MonsterPresets));
}

TEST(Nastaveni, OddPresetNamesAreWrittenByteForByte)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    TMonsterPresets& list = nastaveni.MonsterPresets;
    list.Append(Preset("Skřet", 7, 2, 350));
    list.Append(Preset("", 1, 0, 100));
    list.Append(Preset("Ork\\Skřet", 2, 1, 150));
    list.Append(Preset("SKŘET", 3, 0, 90));
    list.Append(Preset("=Muž", 4, 0, 200));
    list.Append(Preset(std::string(256, 'x'), 5, 0, 100));
    list.Append(Preset(std::string(255, 'y'), 6, 0, 100));
    list.Append(Preset("a\nb", 1, 0, 100));
    list.Append(Preset("Zlobr", 8, -1, 0));
    ASSERT_TRUE(nastaveni.Save());
    EXPECT_EQ(file.Content, ReadBytes(kData / "golden" / "odd-names.reg"));

    TNastaveni loaded(store);
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(Rows(loaded.MonsterPresets), Rows(list));
}

TEST(Nastaveni, AFileThatCannotBeWrittenFailsTheSaveAndKeepsTheOldFile)
{
    const std::string old = ReadBytes(kData / "golden" / "known-configuration.reg");
    TFakeRegistryFile file(old);
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    ASSERT_TRUE(nastaveni.Load());
    nastaveni.AutoSave = true;
    file.FailWrites = true;
    EXPECT_FALSE(nastaveni.Save());
    EXPECT_EQ(file.Content, old);
    // The failure is not carried into the next save.
    file.FailWrites = false;
    EXPECT_TRUE(nastaveni.Save());
    EXPECT_NE(file.Content, old);
}

// Whatever names a hand-edited or damaged file gives the kinds (as subkeys, or
// in "Jméno" as text or as hex data), each kind is loaded under a name that a
// save writes back as it was read, or it is refused and the file kept as a
// copy; a name with a zero in it is always refused.
TEST(Nastaveni, KindNamesSurviveASaveOrAreRefused)
{
    const std::vector<std::string> pieces = {"Vlk",
                                             std::string(1, '\0'),
                                             "\r",
                                             "\\",
                                             "\"",
                                             "[",
                                             "]",
                                             "=",
                                             "@",
                                             ";",
                                             " ",
                                             "\xC3",         // a UTF-8 sequence cut short
                                             "\xED\xA0\x80", // a surrogate written as UTF-8
                                             "\xEF\xBB\xBF",
                                             "ž",
                                             "\xF0\x9F\x98\x80"};
    const std::string key = "[HKEY_CURRENT_USER\\Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\"
                            "Nestvůry\\";
    const auto hex = [](std::string_view bytes) {
        std::string out;
        char byte[4];
        for (const char c : bytes) {
            std::snprintf(byte, sizeof byte, "%02x,", static_cast<unsigned char>(c));
            out += byte;
        }
        if (!out.empty())
            out.pop_back();
        return out;
    };
    std::mt19937 random(2024);
    for (int round = 0; round < 400; ++round) {
        std::string name;
        const int count = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < count; ++i)
            name += pieces[random() % pieces.size()];
        std::string quoted;
        for (const char c : name)
            quoted += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
        const std::string utf16 = Utf8ToUtf16Le(name);
        const std::vector<std::string> forms = {
            key + name + "]\n\"Zkušenost\"=dword:00000007\n",
            key + "=1]\n\"Jméno\"=\"" + quoted + "\"\n",
            key + "=1]\n\"Jméno\"=hex(1):" + hex(utf16 + std::string(2, '\0')) + "\n",
            key + "=1]\n\"Jméno\"=hex(1):" + hex(utf16) + "\n",
            key + "=1]\n\"Jméno\"=hex(1):" + hex(utf16 + std::string("\0\xD8", 2)) + "\n",
        };
        for (std::size_t form = 0; form < forms.size(); ++form) {
            SCOPED_TRACE(::testing::Message() << "round " << round << " form " << form);
            TMemoryRegistryFile file(std::string(kRegFileHeader) + "\n\n" + forms[form]);
            TRegistryStore store(file);
            std::vector<std::string> names;
            {
                TNastaveni first(store);
                ASSERT_TRUE(first.Load());
                for (int i = 0; i < first.MonsterPresets.Count(); ++i)
                    names.push_back(first.MonsterPresets.At(i)->Name);
                ASSERT_TRUE(first.Save());
            }
            for (const std::string& loaded : names)
                EXPECT_EQ(loaded.find('\0'), std::string::npos);
            // Hex data without its terminator may end in a zero that ends it.
            std::string_view within = name;
            if (form == 3 && within.ends_with('\0'))
                within.remove_suffix(1);
            if (names.empty() || within.find('\0') != std::string::npos) {
                EXPECT_TRUE(file.Backup.has_value()); // refused: the file kept as it was
            }
            TNastaveni again(store);
            ASSERT_TRUE(again.Load());
            ASSERT_EQ(again.MonsterPresets.Count(), static_cast<int>(names.size()));
            for (std::size_t i = 0; i < names.size(); ++i)
                EXPECT_EQ(again.MonsterPresets.At(static_cast<int>(i))->Name, names[i]);
        }
    }
}

// Kinds the configuration does not hold yet are those added or changed since
// it was last loaded or saved; a save that failed keeps them so.
TEST(Nastaveni, KindsNotYetSavedAreThoseAddedOrChangedSinceTheLastLoadOrSave)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    TMonsterPresets& presets = nastaveni.MonsterPresets;
    const auto unsaved = [&presets] {
        std::set<std::string> names;
        for (int i = 0; i < presets.Count(); ++i)
            if (presets.MarkOf(i) != 0)
                names.insert(presets.At(i)->Name);
        return names;
    };
    presets.Append(Preset("Skřet", 1, 0, 10));
    presets.Append(Preset("Vlk", 2, 0, 20));
    EXPECT_EQ(unsaved(), (std::set<std::string>{"Skřet", "Vlk"}));
    EXPECT_GT(presets.MarkOf(1), presets.MarkOf(0)); // later, larger
    ASSERT_TRUE(nastaveni.Save());
    EXPECT_TRUE(unsaved().empty());

    const std::uint64_t before = presets.LastMark();
    presets.At(1)->Level = 5;
    presets.MarkChanged(1);
    EXPECT_EQ(unsaved(), std::set<std::string>{"Vlk"});
    EXPECT_GT(presets.LastMark(), before);
    file.FailWrites = true;
    EXPECT_FALSE(nastaveni.Save());
    EXPECT_EQ(unsaved(), std::set<std::string>{"Vlk"});
    file.FailWrites = false;

    TNastaveni loaded(store);
    loaded.MonsterPresets.Append(Preset("Obr", 9, 9, 9));
    ASSERT_TRUE(loaded.Load());
    ASSERT_EQ(loaded.MonsterPresets.Count(), 2);
    EXPECT_EQ(loaded.MonsterPresets.MarkOf(0), 0u);
    EXPECT_EQ(loaded.MonsterPresets.MarkOf(1), 0u);
}

TEST(Nastaveni, KeysTheProgramDoesNotKnowSurviveASave)
{
    const std::string input = ReadBytes(kData / "read" / "unknown-keys.reg");
    TFakeRegistryFile file(input);
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    ASSERT_TRUE(nastaveni.Save());
    const TRegFileContent before = ReadRegFile(input);
    const TRegFileContent after = ReadRegFile(*file.Content);
    // Every key and value of the input is still there, unchanged.
    std::vector<std::pair<const TRegistryKey*, const TRegistryKey*>> pending{
        {before.Top.get(), after.Top.get()}};
    int checked = 0;
    while (!pending.empty()) {
        const auto [a, b] = pending.back();
        pending.pop_back();
        for (const auto& value : a->Values()) {
            ASSERT_TRUE(b->Value(value.Name)) << value.Name;
            EXPECT_EQ(*b->Value(value.Name), value.Item);
            ++checked;
        }
        for (const auto& sub : a->Subkeys()) {
            ASSERT_TRUE(b->Subkey(sub.Name)) << sub.Name;
            pending.emplace_back(sub.Item.get(), b->Subkey(sub.Name).get());
        }
    }
    EXPECT_EQ(checked, 10);
}

struct TLoadCase
{
    const char* File;
    const char* Why;
    bool AutoSave;
    TFormPlacement MainWindow;
    std::optional<std::vector<TPresetRow>> Presets; // no value: the list as it was
};

const TFormPlacement kBefore{1, 2, 3, 4, 0};
const TFormPlacement kStored{100, 50, 700, 500, 0};

TEST(Nastaveni, LoadCasesFromFiles)
{
    const TLoadCase cases[] = {
        {"no-program-key", "without the program key nothing changes", false, kBefore, std::nullopt},
        {"bounds-without-height",
         "three bounds of four change nothing; the state still reads",
         false,
         {1, 2, 3, 4, 2},
         std::nullopt},
        {"state-out-of-range",
         "a state of 3 is ignored, the bounds read",
         false,
         {100, 50, 700, 500, 0},
         std::nullopt},
        {"state-as-string", "a state stored as text is ignored", false, kStored, std::nullopt},
        {"autosave-five", "any integer but 0 means automatic saving on", true, kBefore,
         std::nullopt},
        {"autosave-as-string", "a flag stored as text is ignored", false, kBefore, std::nullopt},
        {"wrong-sizes", "an integer of two bytes or a binary state is no integer", false, kBefore,
         std::nullopt},
        {"dword-as-hex",
         "an integer written as hex(4) is still an integer",
         false,
         {100, 50, 700, 500, 1},
         std::nullopt},
        {"names-in-other-case",
         "key and value names ignore case, Czech letters too",
         false,
         {100, 50, 700, 500, 2},
         std::nullopt},
        {"presets-hand-edited", "hand-made presets load; bad values keep the defaults", false,
         kBefore,
         std::vector<TPresetRow>{{"Skřet", 7, 2, 100},
                                 {"Bez hodnot", 1, 0, 100},
                                 {"Neznámé vyřazení", -2, 99, kMax},
                                 {"=7", 2, 0, 100},
                                 {"Ork\\Skřet", 1, 0, 150},
                                 {"=9", 1, 0, 100},
                                 {"Binární úroveň", 1, 0, 100}}},
        {"presets-key-missing", "without a presets key the list stays as it was", true, kBefore,
         std::nullopt},
        {"presets-key-empty", "an empty presets key empties the list", false, kBefore,
         std::vector<TPresetRow>{}},
    };
    std::set<std::string> listed;
    for (const TLoadCase& c : cases) {
        SCOPED_TRACE(std::string(c.File) + ": " + c.Why);
        listed.insert(std::string(c.File) + ".reg");
        const std::string bytes = ReadBytes(kData / "settings" / (std::string(c.File) + ".reg"));
        TFakeRegistryFile file(bytes);
        TRegistryStore store(file);
        TNastaveni nastaveni(store);
        nastaveni.AutoSave = false;
        nastaveni.MainWindow = kBefore;
        nastaveni.MonsterPresets.Append(Preset("Dřívější", 5, 1, 10));
        const std::vector<TPresetRow> before = Rows(nastaveni.MonsterPresets);

        EXPECT_TRUE(nastaveni.Load());
        EXPECT_EQ(nastaveni.AutoSave, c.AutoSave);
        EXPECT_EQ(nastaveni.MainWindow, c.MainWindow);
        EXPECT_EQ(Rows(nastaveni.MonsterPresets), c.Presets.value_or(before));
        // Loading never writes.
        EXPECT_EQ(file.Writes, 0);
        EXPECT_EQ(file.Content, bytes);
    }
    for (const auto& entry : std::filesystem::directory_iterator(kData / "settings"))
        EXPECT_TRUE(listed.count(entry.path().filename().string())) << entry.path();
}

TEST(Nastaveni, TheRostersTextSizeIsKeptAndCheckedOnLoad)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    EXPECT_EQ(nastaveni.FontPercent, 100);
    // The normal size is not written, so a configuration that never changed
    // it is written as before.
    ASSERT_TRUE(nastaveni.Save());
    ASSERT_TRUE(file.Content);
    const std::string untouched = *file.Content;
    EXPECT_EQ(untouched.find("Velikost písma"), std::string::npos);
    nastaveni.FontPercent = 175;
    ASSERT_TRUE(nastaveni.Save());
    EXPECT_NE(file.Content->find("\"Velikost písma\"=dword:000000af"), std::string::npos);
    TNastaveni loaded(store);
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.FontPercent, 175);
    // Back to the normal size: the value goes, the file is as it was.
    loaded.FontPercent = 100;
    ASSERT_TRUE(loaded.Save());
    EXPECT_EQ(*file.Content, untouched);

    // A stored size outside 100..300, or of another type, keeps the normal size.
    const std::string key = "[HKEY_CURRENT_USER\\Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\"
                            "Nastavení]\n";
    for (const std::string value : {"dword:00000063", "dword:0000012d", "dword:ffffffff",
                                     "\"200\"", "hex:c8,00,00,00,00"}) {
        SCOPED_TRACE(value);
        TFakeRegistryFile stored("Windows Registry Editor Version 5.00\n\n" + key +
                                 "\"Velikost písma\"=" + value + "\n");
        TRegistryStore other(stored);
        TNastaveni n(other);
        ASSERT_TRUE(n.Load());
        EXPECT_EQ(n.FontPercent, 100);
    }
    for (const auto& [value, percent] :
         std::vector<std::pair<std::string, int>>{{"dword:00000064", 100}, {"dword:0000012c", 300},
                                                   {"dword:00000089", 137}}) {
        TFakeRegistryFile stored("Windows Registry Editor Version 5.00\n\n" + key +
                                 "\"Velikost písma\"=" + value + "\n");
        TRegistryStore other(stored);
        TNastaveni n(other);
        ASSERT_TRUE(n.Load());
        EXPECT_EQ(n.FontPercent, percent) << value;
    }
}

TEST(Nastaveni, PlacementValuesInTheirOrder)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TRegistry reg(store);
    ASSERT_TRUE(reg.OpenKey("Okna", true));
    WriteFormPlacement({-1, 2, 3, 4, 1}, reg, "Pomocné");
    EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"Pomocné.X", "Pomocné.Y", "Pomocné.W",
                                                             "Pomocné.H", "Pomocné.Stav"}));
    TFormPlacement read;
    ReadFormPlacement(read, reg, "POMOCNÉ");
    EXPECT_EQ(read, (TFormPlacement{-1, 2, 3, 4, 1}));

    // A width stored as text spoils the bounds, never half of them.
    reg.WriteString("Pomocné.W", "3");
    TFormPlacement partial{9, 9, 9, 9, 0};
    EXPECT_FALSE(ReadBounds(partial, reg, "Pomocné"));
    EXPECT_EQ(partial, (TFormPlacement{9, 9, 9, 9, 0}));
    ReadFormPlacement(partial, reg, "Pomocné");
    EXPECT_EQ(partial, (TFormPlacement{9, 9, 9, 9, 1}));
}

TEST(Nastaveni, TheDefaultObjectKeepsItsConfigurationInMemory)
{
    TNastaveni nastaveni;
    nastaveni.AutoSave = false;
    nastaveni.MonsterPresets.Append(Preset("Skřet", 7, 2, 350));
    ASSERT_TRUE(nastaveni.Save());
    nastaveni.AutoSave = true;
    FreeListObjects(nastaveni.MonsterPresets);
    ASSERT_TRUE(nastaveni.Load());
    EXPECT_FALSE(nastaveni.AutoSave);
    EXPECT_EQ(Rows(nastaveni.MonsterPresets), (std::vector<TPresetRow>{{"Skřet", 7, 2, 350}}));
}

// The fight files the program used: kept across runs in a key of their own,
// written with the configuration or alone (whatever the automatic saving says),
// and gone from the store when there is nothing to keep.
TEST(Nastaveni, FightFilesComeBackAndAreSavedAloneWhenAskedTo)
{
    const std::string kFights = "Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Souboje";
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    const std::vector<std::string> recent = {"/home/pj/Družina & \"přátelé\".souboj",
                                             "/home/pj/a\\b.souboj", "/tmp/%1 ŽLUŤOUČKÝ.souboj"};
    nastaveni.RecentFights = recent;
    nastaveni.FightFolder = "/home/pj/Souboje";
    nastaveni.AutoSave = false;
    ASSERT_TRUE(nastaveni.Save());
    TNastaveni loaded(store);
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.RecentFights, recent);
    EXPECT_EQ(loaded.FightFolder, "/home/pj/Souboje");

    // Alone: the settings changed since stay unsaved.
    loaded.AutoSave = true;
    loaded.RecentFights.insert(loaded.RecentFights.begin(), "/nový.souboj");
    ASSERT_TRUE(loaded.SaveFightFiles());
    TNastaveni again(store);
    ASSERT_TRUE(again.Load());
    EXPECT_FALSE(again.AutoSave);
    EXPECT_EQ(again.RecentFights.front(), "/nový.souboj");
    EXPECT_EQ(again.RecentFights.size(), 4u);

    // A store that cannot be written fails it.
    file.FailWrites = true;
    EXPECT_FALSE(again.SaveFightFiles());
    file.FailWrites = false;

    // Nothing to keep: no key.
    again.RecentFights.clear();
    again.FightFolder.clear();
    ASSERT_TRUE(again.SaveFightFiles());
    TRegistry reg(store);
    EXPECT_FALSE(reg.KeyExists(kFights));
}

TEST(Nastaveni, StoredFightFilesAreTakenOnlyWhereTheyNameAPath)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    const std::string longest(kMaxFightPathBytes, 'x');
    {
        TRegistry reg(store);
        ASSERT_TRUE(reg.OpenKey("Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Souboje", true));
        reg.WriteInteger("Nedávný 1", 1);               // not text
        reg.WriteString("Nedávný 2", "/a.souboj");      // taken
        reg.WriteString("Nedávný 3", "");               // names nothing
        reg.WriteString("Nedávný 4", "/A.souboj");      // another path: case counts
        reg.WriteString("Nedávný 5", "/a.souboj");      // once is enough
        reg.WriteString("Nedávný 6", longest + "x");    // longer than any path
        reg.WriteString("Nedávný 7", longest);          // as long as a path may be
        reg.WriteString("Nedávný 9", "/devátý.souboj"); // the list holds eight
        const std::uint8_t bytes[] = {1, 2};
        reg.WriteBinaryData("Složka", bytes); // not text
    }
    TNastaveni nastaveni(store);
    nastaveni.RecentFights = {"/dřívější.souboj"};
    nastaveni.FightFolder = "/dřívější";
    ASSERT_TRUE(nastaveni.Load());
    EXPECT_EQ(nastaveni.RecentFights,
              (std::vector<std::string>{"/a.souboj", "/A.souboj", longest}));
    EXPECT_EQ(nastaveni.FightFolder, "/dřívější");
}

TEST(Nastaveni, ThePlayersViewIsKeptOnceUsedAndReadOnlyWhenValid)
{
    // Never used: nothing of it is written, so the file is as before.
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TNastaveni unused(store);
    EXPECT_EQ(unused.PlayerView, TPlayerViewSettings{});
    EXPECT_FALSE(unused.PlayerView.Share);
    EXPECT_EQ(unused.PlayerView.Port, 8765);
    ASSERT_TRUE(unused.Save());
    ASSERT_TRUE(file.Content);
    EXPECT_EQ(file.Content->find("hráče"), std::string::npos);

    // Used: everything comes back, under the names the store gives them.
    const std::string token(24, 'k');
    TNastaveni used(store);
    used.PlayerView = {true, 9000, token, {1300, 20, 800, 600, 0}, true};
    ASSERT_TRUE(used.Save());
    for (const char* text :
         {"\"Sdílet pohled pro hráče\"=dword:00000001", "\"Port pohledu pro hráče\"=dword:00002328",
          "\"Klíč pohledu pro hráče\"=\"kkkkkkkkkkkkkkkkkkkkkkkk\"",
          "\"Pohled pro hráče.X\"=dword:00000514",
          "\"Pohled pro hráče.Celá obrazovka\"=dword:00000001"})
        EXPECT_NE(file.Content->find(text), std::string::npos) << text;
    TNastaveni loaded(store);
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.PlayerView, used.PlayerView);

    // Stored values out of their range or of the wrong kind keep what was held.
    const std::string head = "Windows Registry Editor Version 5.00\n\n"
                             "[HKEY_CURRENT_USER\\Software\\Ferdax\\Mečovník pro "
                             "Hradomor\\1.0\\Nastavení]\n";
    const struct
    {
        const char* Values;
        std::int32_t Port;
        const char* Token;
        const char* Why;
    } cases[] = {
        {"\"Port pohledu pro hráče\"=dword:00000400\n", 1024, "", "the lowest port"},
        {"\"Port pohledu pro hráče\"=dword:0000ffff\n", 65535, "", "the highest port"},
        {"\"Port pohledu pro hráče\"=dword:000003ff\n", 8765, "", "a port of the system's"},
        {"\"Port pohledu pro hráče\"=dword:00010000\n", 8765, "", "no port at all"},
        {"\"Port pohledu pro hráče\"=\"9000\"\n", 8765, "", "a port as text"},
        {"\"Klíč pohledu pro hráče\"=\"abcdefghijklmnopqrstuvwxyz\"\n", 8765,
         "abcdefghijklmnopqrstuvwxyz", "a key of 26 letters"},
        {"\"Klíč pohledu pro hráče\"=\"abcdefghijklmnopqrstu\"\n", 8765, "",
         "21 characters are under 128 bits"},
        {"\"Klíč pohledu pro hráče\"=\"abcdefghijklmnopqrstuvwxyz<>\"\n", 8765, "",
         "characters no link carries"},
        {"\"Klíč pohledu pro hráče\"=dword:00000001\n", 8765, "", "a key as a number"},
    };
    for (const auto& c : cases) {
        TFakeRegistryFile caseFile(head + c.Values);
        TRegistryStore caseStore(caseFile);
        TNastaveni nastaveni(caseStore);
        ASSERT_TRUE(nastaveni.Load());
        EXPECT_EQ(nastaveni.PlayerView.Port, c.Port) << c.Why;
        EXPECT_EQ(nastaveni.PlayerView.Token, c.Token) << c.Why;
    }
}

} // namespace
} // namespace mecovnik
