#include "TFakeRegistryFile.h"

#include "persistence/ERegistryException.h"
#include "persistence/RegFileFormat.h"
#include "persistence/RegistryCaseFold.h"
#include "persistence/TRegistry.h"
#include "persistence/TRegistryStore.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace mecovnik {
namespace {

using test::TFakeRegistryFile;

std::string Repeat(std::string_view piece, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

TEST(RegistryCaseFold, FoldsTheLettersNamesAreWrittenIn)
{
    struct TRow
    {
        const char* Upper;
        const char* Lower;
    };
    // Pairs that must fold together, one a script or block the folding covers.
    const TRow same[] = {
        {"HLAVNÍ.X", "hlavní.x"},
        {"ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ", "áčďéěíňóřšťúůýž"},   // Czech
        {"ÀÂÄÆÇÈÊËÎÏÔŒÙÛÜŸ", "àâäæçèêëîïôœùûüÿ"}, // French, Ÿ outside Latin-1
        {"ĄĆĘŁŃŚŹŻ", "ąćęłńśźż"},                 // Polish
        {"ĹĽŔ", "ĺľŕ"},                           // Slovak, the odd-capital run
        {"ȘȚ", "șț"},                             // Romanian, Latin Extended-B
        {"ǄǅǇǈǊǋ", "ǆǆǉǉǌǌ"},                     // digraphs in all three forms
        {"ẞỲỸ", "ßỳỹ"},                           // Latin Extended Additional
        {"ΑΒΓΔΆΈΉΊΌΎΏΣ", "αβγδάέήίόύώσ"},         // Greek
        {"ς", "σ"},                               // final sigma
        {"µ", "μ"},                               // micro sign is mu
        {"ſ", "s"},                               // long s
        {"ЁЖЗИЙЯЄЇЂ", "ёжзийяєїђ"},               // Cyrillic
        {"ҐӁӐ", "ґӂӑ"},                           // Cyrillic pairs past the basic block
    };
    for (const TRow& row : same)
        EXPECT_EQ(FoldCase(row.Upper), FoldCase(row.Lower)) << row.Upper;

    // Different letters stay different: no accent stripping, no normalisation.
    EXPECT_NE(FoldCase("Skřet"), FoldCase("Skret"));
    EXPECT_NE(FoldCase("ß"), FoldCase("ss"));
    EXPECT_NE(FoldCase("\xC3\xAD"), FoldCase("i\xCC\x81")); // í precomposed vs combining
    EXPECT_NE(FoldCase("×"), FoldCase("÷"));                // not letters
    EXPECT_EQ(FoldCase("İ"), "İ"); // dotted capital I has no one-to-one fold
    // Invalid bytes stay as they are, so that such names still compare.
    EXPECT_EQ(FoldCase("A\xFF"), "a\xFF");
}

TEST(RegistryText, ConvertsBetweenUtf8AndUtf16)
{
    bool clean = true;
    EXPECT_EQ(Utf8ToUtf16Le("Ža😀"), std::string("\x7D\x01"
                                                "a\0"
                                                "\x3D\xD8\x00\xDE",
                                                8));
    EXPECT_EQ(Utf16ToUtf8(std::string("\x7D\x01"
                                      "a\0"
                                      "\x3D\xD8\x00\xDE",
                                      8),
                          false, clean),
              "Ža😀");
    EXPECT_TRUE(clean);
    EXPECT_EQ(Utf16Length("Ža😀"), 4u);

    // A lone surrogate or an odd byte becomes U+FFFD and is reported.
    EXPECT_EQ(Utf16ToUtf8(std::string("\x3D\xD8"
                                      "a",
                                      3),
                          false, clean),
              "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_FALSE(clean);

    clean = true;
    EXPECT_EQ(SanitizeUtf8("ok \xEF\xBF\xBD", clean), "ok \xEF\xBF\xBD"); // a real U+FFFD
    EXPECT_TRUE(clean);
    const char* bad[] = {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82", "\x80"};
    for (const char* text : bad) {
        clean = true;
        const std::string out = SanitizeUtf8(text, clean);
        EXPECT_FALSE(clean) << text;
        EXPECT_NE(out.find("\xEF\xBF\xBD"), std::string::npos);
    }
}

TEST(Registry, OpensAndMakesKeysByPathIgnoringCase)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TRegistry reg(store);
    EXPECT_FALSE(reg.OpenKey("Software\\Hra", false));
    EXPECT_FALSE(reg.HasOpenKey());
    ASSERT_TRUE(reg.OpenKey("Software\\Hra", true));
    EXPECT_TRUE(reg.HasOpenKey());
    // A relative path starts at the open key; a leading "\" at the root.
    ASSERT_TRUE(reg.OpenKey("Okna", true));
    EXPECT_TRUE(reg.KeyExists("\\SOFTWARE\\hra\\OKNA"));
    EXPECT_FALSE(reg.KeyExists("Okna")); // relative to Okna itself
    reg.CloseKey();
    EXPECT_TRUE(reg.KeyExists("software\\HRA\\okna"));
    EXPECT_TRUE(reg.KeyExists("")); // the root itself

    reg.OpenKey("Software\\Hra", false);
    ASSERT_TRUE(reg.OpenKey("\\software\\hra\\NASTAVENÍ", true));
    reg.CloseKey();
    reg.OpenKey("software\\hra", false);
    // The first spelling of a name is the one kept, in the order made.
    EXPECT_EQ(reg.GetKeyNames(), (std::vector<std::string>{"Okna", "NASTAVENÍ"}));

    // Names that no key can have.
    const std::string invalid[] = {
        "a\\\\b", "a\\", "\\\\", "a\nb", "a\rb", Repeat("x", 256), Repeat("😀", 128), "bad\xFF"};
    for (const std::string& path : invalid)
        EXPECT_FALSE(reg.OpenKey(path, true)) << path;
    EXPECT_TRUE(reg.KeyExists("Okna")); // a failed open keeps the open key
    EXPECT_TRUE(reg.OpenKey(Repeat("x", 255), true));
    EXPECT_TRUE(reg.OpenKey("\\Software\\Hra\\" + Repeat("😀", 127) + "a", true));
    reg.CloseKey();
    reg.OpenKey("Software\\Hra", false);
    EXPECT_EQ(reg.GetKeyNames().size(), 4u);
}

TEST(Registry, ObjectRootedAtAnotherObjectsOpenKey)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TRegistry a(store);
    ASSERT_TRUE(a.OpenKey("Software\\Hra", true));
    TRegistry b = TRegistry::AtOpenKeyOf(a);
    ASSERT_TRUE(b.OpenKey("Okna", true));
    b.WriteInteger("Hlavní.X", 5);
    b.CloseKey();
    // "\" is b's root, the key a had open, not the hive.
    EXPECT_TRUE(b.KeyExists("\\Okna"));
    EXPECT_FALSE(b.KeyExists("\\Software"));
    a.CloseKey();
    ASSERT_TRUE(a.OpenKey("Software\\Hra\\Okna", false));
    EXPECT_EQ(a.ReadInteger("HLAVNÍ.x"), 5);

    // With nothing open, the new object's root is the other's root.
    TRegistry c(store);
    TRegistry d = TRegistry::AtOpenKeyOf(c);
    EXPECT_TRUE(d.KeyExists("Software\\Hra\\Okna"));
}

TEST(Registry, TypedValuesAndReadsThatNeverConvert)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TRegistry reg(store);
    ASSERT_TRUE(reg.OpenKey("Software\\Hodnoty", true));
    reg.WriteInteger("int", -2);
    reg.WriteString("text", "Žluťoučký");
    const std::array<std::uint8_t, 3> bytes{1, 2, 3};
    reg.WriteBinaryData("bin", bytes);

    EXPECT_EQ(reg.ReadInteger("INT"), -2);
    EXPECT_EQ(reg.ReadString("Text"), "Žluťoučký");
    std::array<std::uint8_t, 5> buffer{};
    EXPECT_EQ(reg.ReadBinaryData("bin", buffer), 3u);
    EXPECT_EQ(buffer[2], 3);

    const auto info = [&](const char* name) { return reg.GetDataInfo(name); };
    EXPECT_EQ(info("int")->Type, TRegType::Dword);
    EXPECT_EQ(info("int")->Size, 4u);
    EXPECT_EQ(info("text")->Type, TRegType::String);
    EXPECT_EQ(info("text")->Size, 20u); // 9 UTF-16 units and the terminator
    EXPECT_EQ(info("bin")->Size, 3u);
    EXPECT_FALSE(info("missing"));

    // Each typed read refuses any other type, a missing value and a short integer.
    EXPECT_THROW((void)reg.ReadInteger("text"), ERegistryException);
    EXPECT_THROW((void)reg.ReadInteger("bin"), ERegistryException);
    EXPECT_THROW((void)reg.ReadInteger("missing"), ERegistryException);
    EXPECT_THROW((void)reg.ReadString("int"), ERegistryException);
    EXPECT_THROW((void)reg.ReadBinaryData("int", buffer), ERegistryException);
    std::array<std::uint8_t, 2> small{};
    EXPECT_THROW((void)reg.ReadBinaryData("bin", small), ERegistryException);

    // Writing again keeps the first spelling and may change the type.
    reg.WriteString("INT", "now text");
    EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"int", "text", "bin"}));
    EXPECT_EQ(reg.ReadString("int"), "now text");

    EXPECT_TRUE(reg.ValueExists("TEXT"));
    EXPECT_TRUE(reg.DeleteValue("TEXT"));
    EXPECT_FALSE(reg.ValueExists("text"));
    EXPECT_FALSE(reg.DeleteValue("text"));
    EXPECT_THROW(reg.WriteInteger("line\nbreak", 1), ERegistryException);

    // The default value has the empty name.
    reg.WriteString("", "výchozí");
    EXPECT_EQ(reg.ReadString(""), "výchozí");
}

TEST(Registry, DeletingAKeyTakesEverythingBelowAndObjectsHoldingItSeeItGone)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TRegistry reg(store);
    ASSERT_TRUE(reg.OpenKey("Software\\Hra\\Nestvůry\\Skřet\\Hluboko", true));
    reg.WriteInteger("x", 1);
    TRegistry holder = TRegistry::AtOpenKeyOf(reg);
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKey("Software\\Hra", false));
    EXPECT_FALSE(reg.DeleteKey("Chybí"));
    EXPECT_FALSE(reg.DeleteKey(""));
    EXPECT_TRUE(reg.DeleteKey("NESTVŮRY"));
    EXPECT_FALSE(reg.KeyExists("Nestvůry"));

    EXPECT_FALSE(holder.ValueExists("x"));
    EXPECT_TRUE(holder.GetValueNames().empty());
    EXPECT_FALSE(holder.OpenKey("Nový", true));
    EXPECT_THROW(holder.WriteInteger("x", 2), ERegistryException);
    EXPECT_FALSE(reg.KeyExists("Nestvůry")); // the failed writes made nothing

    // A path with parts, and one from the root.
    ASSERT_TRUE(reg.OpenKey("A\\B\\C", true));
    reg.CloseKey();
    EXPECT_TRUE(reg.DeleteKey("Software\\Hra\\A\\B"));
    EXPECT_TRUE(reg.KeyExists("Software\\Hra\\A"));
    EXPECT_TRUE(reg.DeleteKey("\\Software\\Hra\\A"));
    EXPECT_FALSE(reg.KeyExists("Software\\Hra\\A"));
}

TEST(Registry, QuotaRefusesGrowthButAllowsShrinking)
{
    TFakeRegistryFile file;
    std::size_t empty = 0;
    {
        TRegistryStore probe(file);
        TRegistry reg(probe);
        empty = probe.UsedBytes();
    }
    // Room for the key "K" and nothing more: its line in the file, after a
    // blank one.
    const std::size_t k = std::string_view("\n[HKEY_CURRENT_USER\\K]\n").size();
    TRegistryStore store(file, empty + k);
    TRegistry reg(store);
    EXPECT_FALSE(reg.OpenKey("Ka", true));
    ASSERT_TRUE(reg.OpenKey("K", true));
    EXPECT_EQ(store.UsedBytes(), empty + k);
    EXPECT_THROW(reg.WriteInteger("v", 1), ERegistryException);
    EXPECT_FALSE(reg.ValueExists("v"));
    reg.CloseKey();
    EXPECT_FALSE(reg.OpenKey("L", true));
    EXPECT_TRUE(reg.DeleteKey("K"));
    EXPECT_EQ(store.UsedBytes(), empty);
    EXPECT_TRUE(reg.OpenKey("L", true));
}

TEST(Registry, KeysNestAtMostAsDeepAsTheRegistryAllows)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    TRegistry reg(store);
    std::string path = "k";
    for (int level = 1; level < kMaxKeyDepth; ++level)
        path += "\\k";
    EXPECT_TRUE(reg.OpenKey(path, true));
    EXPECT_FALSE(reg.OpenKey("k", true)); // one level too deep
    EXPECT_TRUE(reg.OpenKey("\\" + path, false));
}

TEST(RegistryStore, ChangesReachTheFileInOneWriteWhenTheLastChangerIsReleased)
{
    TFakeRegistryFile file;
    TRegistryStore store(file);
    {
        TRegistry reader(store);
        EXPECT_FALSE(reader.OpenKey("Software", false));
        (void)reader.GetKeyNames();
    }
    EXPECT_EQ(file.Writes, 0); // reading never writes
    EXPECT_EQ(file.Reads, 1);
    {
        TRegistry a(store);
        ASSERT_TRUE(a.OpenKey("Software\\Hra", true));
        {
            TRegistry b = TRegistry::AtOpenKeyOf(a);
            b.WriteInteger("x", 1);
        }
        EXPECT_EQ(file.Writes, 0); // a, which changed something, still lives
        TRegistry reader(store);
        EXPECT_EQ(file.Reads, 2); // a lives: no new read
    }
    EXPECT_EQ(file.Writes, 1);
    ASSERT_TRUE(file.Content);
    EXPECT_NE(file.Content->find("[HKEY_CURRENT_USER\\Software\\Hra]\n\"x\"=dword:00000001\n"),
              std::string::npos);
    EXPECT_FALSE(store.TakeWriteFailure());

    // A person's edit between two uses is seen: the file is read anew.
    *file.Content += "\n[HKEY_CURRENT_USER\\Software\\Hra]\n\"x\"=dword:00000009\n";
    {
        TRegistry reg(store);
        ASSERT_TRUE(reg.OpenKey("Software\\Hra", false));
        EXPECT_EQ(reg.ReadInteger("x"), 9);
    }
    EXPECT_EQ(file.Writes, 1);
}

TEST(RegistryStore, AFailedWriteIsReportedOnceAndTheFileKeepsItsBytes)
{
    TFakeRegistryFile file(std::string(kRegFileHeader) + "\n");
    const std::string old = *file.Content;
    TRegistryStore store(file);
    file.FailWrites = true;
    {
        TRegistry reg(store);
        reg.OpenKey("Software", true);
    }
    EXPECT_EQ(file.Writes, 1);
    EXPECT_EQ(file.Content, old);
    EXPECT_TRUE(store.TakeWriteFailure());
    EXPECT_FALSE(store.TakeWriteFailure());

    // The next use starts from the file again: the unwritten key is not there.
    file.FailWrites = false;
    TRegistry reg(store);
    EXPECT_FALSE(reg.KeyExists("Software"));
}

TEST(RegistryStore, AFileThatDidNotParseWholeIsCopiedBeforeItIsFirstReplaced)
{
    const std::string damaged = std::string(kRegFileHeader) + "\n\nnot a registry line\n";
    TFakeRegistryFile file(damaged);
    TRegistryStore store(file);
    {
        TRegistry reg(store);
        EXPECT_FALSE(store.LastReadWhole());
    }
    EXPECT_EQ(file.Backups, 0); // nothing written, nothing copied
    {
        TRegistry reg(store);
        reg.OpenKey("Software", true);
    }
    EXPECT_EQ(file.Backups, 1);
    EXPECT_EQ(file.Backup, damaged);
    EXPECT_NE(file.Content, damaged);
    EXPECT_FALSE(store.LastReadWhole()); // until the new file is read
    {
        TRegistry reg(store);
        EXPECT_TRUE(store.LastReadWhole());
        reg.OpenKey("Software\\Více", true);
    }
    EXPECT_EQ(file.Backups, 1); // the file is whole now: no second copy

    // When the copy cannot be made, the damaged file is not replaced.
    file.Content = damaged;
    file.FailBackups = true;
    {
        TRegistry reg(store);
        reg.OpenKey("Software", true);
    }
    EXPECT_TRUE(store.TakeWriteFailure());
    EXPECT_EQ(file.Content, damaged);
}

TEST(RegistryStore, AnUnreadableFileMeansAnEmptyTreeAndIsCopiedBeforeAWrite)
{
    TFakeRegistryFile file(std::string(kRegFileHeader) + "\n\n[HKEY_CURRENT_USER\\Software]\n");
    file.FailReads = true;
    TRegistryStore store(file);
    {
        TRegistry reg(store);
        EXPECT_FALSE(reg.KeyExists("Software"));
    }
    EXPECT_EQ(file.Writes, 0);
    {
        TRegistry reg(store);
        reg.OpenKey("Nový", true);
    }
    EXPECT_EQ(file.Backups, 1);
    EXPECT_EQ(file.Writes, 1);
}

} // namespace
} // namespace mecovnik
