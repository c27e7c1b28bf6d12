// The store's limits: the reader, the quota and the writer agree, data the
// program does not know never costs a setting, and what cannot be written back
// is damage found when reading, not at every save.

#include "TFakeRegistryFile.h"

#include "persistence/RegFileFormat.h"
#include "persistence/RegistryLimits.h"
#include "persistence/TRegistry.h"
#include "persistence/TRegistryStore.h"
#include "roster/TMonsterPresets.h"
#include "settings/TNastaveni.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace mecovnik {
namespace {

using test::TFakeRegistryFile;

const std::filesystem::path kData = std::filesystem::path(MECOVNIK_TEST_DATA_DIR) / "registry";
const std::string kProgram = "HKEY_CURRENT_USER\\Software\\Ferdax\\Mečovník pro Hradomor\\1.0";

// A configuration as the program saves it: automatic saving off, a placement
// and three monster kinds; more goes at the end.
std::string Configuration(const std::string& more = {})
{
    return "Windows Registry Editor Version 5.00\n\n[" + kProgram +
           "\\Nastavení]\n\"Automaticky ukládat nastavení\"=dword:00000000\n\n[" + kProgram +
           "\\Okna]\n\"Hlavní.X\"=dword:00000064\n\"Hlavní.Y\"=dword:00000050\n"
           "\"Hlavní.W\"=dword:000002bc\n\"Hlavní.H\"=dword:000001f4\n"
           "\"Hlavní.Stav\"=dword:00000000\n\n[" +
           kProgram + "\\Nestvůry\\Skřet]\n\"Životaschopnost\"=dword:00000007\n\n[" + kProgram +
           "\\Nestvůry\\Drak]\n\"Zkušenost\"=dword:00001388\n\n[" + kProgram +
           "\\Nestvůry\\Obří pavouk]\n" + more;
}

std::vector<std::string> Names(const TMonsterPresets& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list.At(i)->Name);
    return names;
}

const std::vector<std::string> kKinds{"Skřet", "Drak", "Obří pavouk"};

void ExpectConfigurationLoaded(const TNastaveni& nastaveni)
{
    EXPECT_FALSE(nastaveni.AutoSave);
    EXPECT_EQ(nastaveni.MainWindow, (TFormPlacement{100, 80, 700, 500, 0}));
    EXPECT_EQ(Names(nastaveni.MonsterPresets), kKinds);
}

// What a hive root without values but with subkeys counts though the writer
// leaves its line out.
std::size_t OmittedHiveLines(const TRegistryKey& top)
{
    std::size_t bytes = 0;
    for (const auto& hive : top.Subkeys())
        if (hive.Item->Values().Size() == 0 && hive.Item->Subkeys().Size() != 0)
            bytes += ("\n[" + hive.Name + "]\n").size(); // a blank line, then [name]
    return bytes;
}

TEST(RegistryLimits, TheReaderTheQuotaAndTheWriterCountAlike)
{
    // Every reader case and golden file: what the reader counts is what the
    // writer writes.
    for (const char* folder : {"read", "golden", "settings"}) {
        for (const auto& entry : std::filesystem::directory_iterator(kData / folder)) {
            const TRegFileContent content = ReadRegFile(test::ReadBytes(entry.path()));
            const std::string text = WriteRegFile(*content.Top);
            EXPECT_EQ(content.Bytes, text.size() + OmittedHiveLines(*content.Top)) << entry.path();
        }
    }

    // The quota follows every change: values of each kind, long hex data,
    // strings with escapes, keys made and removed.
    TFakeRegistryFile file(Configuration());
    TRegistryStore store(file);
    {
        TRegistry reg(store);
        ASSERT_TRUE(reg.OpenKey("Software\\Jiný program\\Složka", true));
        reg.WriteString("Text", "uvozovky \" a \\ lomítka, 𝄞");
        reg.WriteString("", "výchozí");
        std::vector<std::uint8_t> bytes(300, 0xab);
        reg.WriteBinaryData("Data \"dlouhá\"", bytes);
        reg.WriteInteger("Číslo", -1);
        reg.WriteInteger("číslo", 5); // the same value, its first spelling kept
        ASSERT_TRUE(reg.OpenKey("\\Software\\Ferdax\\Smazat\\Hned", true));
        reg.WriteInteger("x", 1);
        ASSERT_TRUE(reg.DeleteKey("\\Software\\Ferdax\\Smazat"));
        ASSERT_TRUE(reg.OpenKey("\\Software\\Jiný program\\Složka", false));
        ASSERT_TRUE(reg.DeleteValue("Text"));
    }
    ASSERT_TRUE(file.Content);
    const TRegFileContent again = ReadRegFile(*file.Content);
    EXPECT_TRUE(again.Whole);
    EXPECT_EQ(store.UsedBytes(), file.Content->size() + OmittedHiveLines(*again.Top));
    EXPECT_EQ(again.Bytes, store.UsedBytes());
}

TEST(RegistryLimits, DataTheProgramDoesNotKnowNeverCostsASetting)
{
    // 17 MiB of a foreign value: loads whole, and every save writes the
    // program's values on top of it, the kinds first emptied and made again.
    const std::string big(17u * 1024u * 1024u, 'x');
    TFakeRegistryFile file(Configuration("\n[HKEY_CURRENT_USER\\Software\\Jiný program]\n"
                                         "\"Poznámka\"=\"" +
                                         big + "\"\n"));
    TRegistryStore store(file);
    {
        TNastaveni nastaveni(store);
        ASSERT_TRUE(nastaveni.Load());
        EXPECT_TRUE(store.LastReadWhole());
        ExpectConfigurationLoaded(nastaveni);
        ASSERT_TRUE(nastaveni.Save());
        ASSERT_TRUE(nastaveni.Save());
    }
    EXPECT_FALSE(file.Backup);
    {
        TNastaveni loaded(store);
        ASSERT_TRUE(loaded.Load());
        ExpectConfigurationLoaded(loaded);
        TRegistry reg(store);
        ASSERT_TRUE(reg.OpenKey("Software\\Jiný program", false));
        EXPECT_TRUE(reg.ReadString("Poznámka") == big);
    }

    // Foreign data past half the limit is left out as damage (the file is
    // kept as a copy); the program's values load and save all the same.
    const std::string half(ForeignLimit(kMaxRegistryFileBytes), 'y');
    const std::string hostile =
        Configuration("\n[HKEY_CURRENT_USER\\Software\\Jiný program]\n\"Malá\"=dword:00000001\n"
                      "\"Velká\"=\"" +
                      half + "\"\n\"Další\"=dword:00000002\n\n[" + kProgram +
                      "\\Okna]\n\"Neznámá\"=\"" + half + "\"\n");
    TFakeRegistryFile hostileFile(hostile);
    TRegistryStore hostileStore(hostileFile);
    TNastaveni nastaveni(hostileStore);
    ASSERT_TRUE(nastaveni.Load());
    EXPECT_FALSE(hostileStore.LastReadWhole());
    ExpectConfigurationLoaded(nastaveni);
    nastaveni.MonsterPresets.Append(std::make_unique<TNestvura>("Zlobr"));
    ASSERT_TRUE(nastaveni.Save());
    EXPECT_TRUE(hostileFile.Backup == hostile);
    TNastaveni loaded(hostileStore);
    ASSERT_TRUE(loaded.Load());
    EXPECT_TRUE(hostileStore.LastReadWhole());
    EXPECT_EQ(loaded.MonsterPresets.Count(), 4);
    TRegistry reg(hostileStore);
    ASSERT_TRUE(reg.OpenKey("Software\\Jiný program", false));
    EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"Malá", "Další"}));
    ASSERT_TRUE(reg.OpenKey("\\Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Okna", false));
    EXPECT_FALSE(reg.ValueExists("Neznámá"));
}

TEST(RegistryLimits, WhatCouldNotBeWrittenBackIsDamageFoundWhenReading)
{
    // One key line 512 levels deep with long Czech names: a quarter of a
    // megabyte in the file, past the limit once every level is a line of its
    // own. It is left out; the rest loads and saves, and the file is kept.
    std::string name;
    while (name.size() < 500)
        name += "Příliš žluťoučký kůň úpěl ďábelské ódy ";
    std::string deep = kProgram + "\\Nestvůry";
    for (int level = 0; level < 505; ++level)
        deep += "\\" + name;
    const std::string text = Configuration("\n[" + deep + "]\n\"Zkušenost\"=dword:00000001\n\n[" +
                                           kProgram + "\\Nestvůry\\Zlobr]\n");
    ASSERT_LT(text.size(), 400'000u);
    TFakeRegistryFile file(text);
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    ASSERT_TRUE(nastaveni.Load());
    EXPECT_FALSE(store.LastReadWhole());
    EXPECT_EQ(Names(nastaveni.MonsterPresets),
              (std::vector<std::string>{"Skřet", "Drak", "Obří pavouk", "Zlobr"}));
    ASSERT_TRUE(nastaveni.Save());
    EXPECT_TRUE(file.Backup == text);
    ASSERT_TRUE(nastaveni.Save());
    EXPECT_EQ(file.Writes, 2);
    EXPECT_LT(file.Content->size(), 2'000u);

    // A key too deep for the registry is damage too, and makes no key on its way.
    std::string tooDeep = "HKEY_CURRENT_USER";
    for (int level = 0; level < 513; ++level)
        tooDeep += "\\k";
    const TRegFileContent content =
        ReadRegFile("Windows Registry Editor Version 5.00\n\n[" + tooDeep + "]\n");
    EXPECT_FALSE(content.Whole);
    EXPECT_EQ(content.Top->Subkeys().Size(), 0u);
}

TEST(RegistryLimits, AnOversizedLineOrFileLosesOnlyWhatDoesNotFit)
{
    // A value larger than the whole limit is skipped like a line that does
    // not parse; what comes after it loads.
    const std::string line = "\"Obří\"=hex:" + std::string(40'000, '0') + "\n";
    TFakeRegistryFile file(Configuration(line + "\"Zkušenost\"=dword:00000063\n"));
    TRegistryStore store(file, 16 * 1024);
    TNastaveni nastaveni(store);
    ASSERT_TRUE(nastaveni.Load());
    EXPECT_FALSE(store.LastReadWhole());
    ASSERT_EQ(nastaveni.MonsterPresets.Count(), 3);
    EXPECT_EQ(nastaveni.MonsterPresets.At(2)->KillExperience, 0x63);

    // A file past the read limit: its start loads; the line cut off at the
    // limit is left out, also hex data whose continuation was cut.
    std::string huge = Configuration("\"Zkušenost\"=dword:00000063\n\"Cut\"=hex:01,02,\\\n");
    while (huge.size() < kMaxRegistryFileBytes + 100)
        huge += "  " + std::string(20, 'a') + "\n";
    huge.replace(kMaxRegistryFileBytes - 10, 10, "  03,04,\\\n");
    TFakeRegistryFile hugeFile(huge);
    TRegistryStore hugeStore(hugeFile);
    TNastaveni loaded(hugeStore);
    ASSERT_TRUE(loaded.Load());
    EXPECT_FALSE(hugeStore.LastReadWhole());
    ExpectConfigurationLoaded(loaded);
    {
        TRegistry reg(hugeStore);
        ASSERT_TRUE(reg.OpenKey(
            "Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Nestvůry\\Obří pavouk", false));
        EXPECT_FALSE(reg.ValueExists("Cut"));
    }
    ASSERT_TRUE(loaded.Save());
    EXPECT_EQ(hugeFile.Backup->size(), huge.size());

    // Cut in the middle of a line: that line is not read as a shorter value.
    TRegReadLimits cut;
    cut.Truncated = true;
    const TRegFileContent content =
        ReadRegFile("Windows Registry Editor Version "
                    "5.00\n\n[HKEY_CURRENT_USER\\A]\n\"a\"=dword:1\n\"b\"=dword:12",
                    cut);
    EXPECT_FALSE(content.Whole);
    const auto a = content.Top->Subkey("HKEY_CURRENT_USER")->Subkey("A");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->ValueNames(), std::vector<std::string>{"a"});
}

TEST(RegistryLimits, TheProgramsValuesAreSavedWholeOrNotAtAll)
{
    // A small store: its room for the program's values holds a few kinds.
    constexpr std::size_t kLimit = 12 * 1024;
    TFakeRegistryFile file(Configuration());
    TRegistryStore store(file, kLimit);
    TNastaveni nastaveni(store);
    ASSERT_TRUE(nastaveni.Load());
    ASSERT_TRUE(store.HasRoomFor(nastaveni.OwnBytesBound()));
    int added = 0;
    while (store.HasRoomFor(nastaveni.OwnBytesBound()))
        nastaveni.MonsterPresets.Append(
            std::make_unique<TNestvura>("Kind " + std::to_string(++added)));
    // One kind too many: refused before anything changes.
    const std::string before = *file.Content;
    EXPECT_FALSE(nastaveni.Save());
    EXPECT_EQ(file.Writes, 0);
    EXPECT_TRUE(file.Content == before);

    // One fewer fits, whatever else the file holds.
    TNastaveni fewer(store);
    ASSERT_TRUE(fewer.Load());
    for (int i = 1; i < added; ++i)
        fewer.MonsterPresets.Append(std::make_unique<TNestvura>("Kind " + std::to_string(i)));
    {
        TRegistry reg(store);
        ASSERT_TRUE(reg.OpenKey("Software\\Jiný", true));
        std::size_t filler = 0;
        while (store.UsedBytes() + 200 < ForeignLimit(kLimit))
            reg.WriteString("v" + std::to_string(++filler), std::string(40, 'z'));
    }
    ASSERT_TRUE(fewer.Save());
    const int saved = fewer.MonsterPresets.Count();

    // A file holding more kinds than a save could write back loads those that
    // fit and is kept as a copy before it is replaced.
    std::string many = *file.Content;
    for (int i = 0; i < 40; ++i)
        many += "\n[" + kProgram + "\\Nestvůry\\Další " + std::to_string(i) + "]\n";
    TFakeRegistryFile manyFile(many);
    TRegistryStore manyStore(manyFile, kLimit);
    TNastaveni loaded(manyStore);
    ASSERT_TRUE(loaded.Load());
    EXPECT_FALSE(manyStore.LastReadWhole());
    EXPECT_GE(loaded.MonsterPresets.Count(), saved);
    EXPECT_LT(loaded.MonsterPresets.Count(), saved + 40);
    ASSERT_TRUE(loaded.Save());
    EXPECT_TRUE(manyFile.Backup == many);
}

} // namespace
} // namespace mecovnik
