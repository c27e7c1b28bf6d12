#include "persistence/RegFileFormat.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

namespace mecovnik {
namespace {

const std::filesystem::path kReadCases =
    std::filesystem::path(MECOVNIK_TEST_DATA_DIR) / "registry" / "read";

using mecovnik::test::ReadBytes;

struct TReadCase
{
    const char* Name;
    const char* Why;
    bool Whole;
};

// Each file NAME.reg is read, and the store's text for what was read must be
// NAME.expected.reg byte for byte.
const TReadCase kCases[] = {
    {"comments", "comment lines and blank lines are ignored and are no damage", true},
    {"crlf", "a file edited on Windows has CRLF line ends", true},
    {"utf8-bom", "editors may put a UTF-8 byte order mark first", true},
    {"utf16le-bom", "the registry editor exports UTF-16LE with BOM, CRLF and continued hex", true},
    {"continuation", "hex data goes on after a trailing backslash, however it is indented", true},
    {"unknown-keys", "keys, hives and value types the program does not know are kept", true},
    {"damaged-lines", "a line that does not parse is skipped and the rest loads", false},
    {"invalid-utf8", "bytes that are not UTF-8 become U+FFFD; the file counts as damaged", false},
    {"missing-header", "a file without its first line still loads, as damaged", false},
    {"case-merge", "names ignore case in Czech, Greek and Cyrillic; the first spelling stays",
     true},
    {"key-name-length", "a key name over 255 UTF-16 units is refused like the registry does",
     false},
    {"empty", "an empty file loads as nothing and counts as damaged", false},
    {"strings", "string escapes, the default value, and REG_SZ that only hex can carry", true},
    {"dword-forms", "integers in capitals or short are read and written in the one form", true},
};

TEST(RegFileFormat, ReadCasesFromFiles)
{
    std::set<std::string> listed;
    for (const TReadCase& c : kCases) {
        SCOPED_TRACE(std::string(c.Name) + ": " + c.Why);
        listed.insert(std::string(c.Name) + ".reg");
        listed.insert(std::string(c.Name) + ".expected.reg");
        const TRegFileContent read =
            ReadRegFile(ReadBytes(kReadCases / (std::string(c.Name) + ".reg")));
        EXPECT_EQ(read.Whole, c.Whole);
        const std::string expected =
            ReadBytes(kReadCases / (std::string(c.Name) + ".expected.reg"));
        const std::string written = WriteRegFile(*read.Top);
        EXPECT_EQ(written, expected);
        // What the store writes reads back whole and writes the same again.
        const TRegFileContent again = ReadRegFile(written);
        EXPECT_TRUE(again.Whole);
        EXPECT_EQ(WriteRegFile(*again.Top), written);
    }
    // Every file in the folder belongs to a case.
    for (const auto& entry : std::filesystem::directory_iterator(kReadCases))
        EXPECT_TRUE(listed.count(entry.path().filename().string())) << entry.path();
}

TEST(RegFileFormat, WritesLongHexOverLinesAndEveryHiveWithValues)
{
    TRegistryKey top;
    bool added = false;
    auto hive = top.AddSubkey("HKEY_LOCAL_MACHINE", added);
    hive->SetValue("v", {TRegType::Dword, std::string("\1\0\0\0", 4)});
    auto key = top.AddSubkey("HKEY_CURRENT_USER", added)->AddSubkey("K", added);
    std::string data;
    for (int i = 0; i < 60; ++i)
        data += static_cast<char>(i);
    key->SetValue("b", {TRegType::Binary, data});
    key->SetValue(std::string(80, 'n'), {TRegType::Binary, "\xff"});
    key->SetValue("t", {static_cast<TRegType>(0x12345678u), "\x01"});

    const std::string text = WriteRegFile(top);
    // "b"=hex: takes 8 bytes of line; 23 byte pieces fit in 78, then 25 a line.
    std::string expected =
        std::string(kRegFileHeader) + "\n\n[HKEY_LOCAL_MACHINE]\n\"v\"=dword:00000001\n";
    expected += "\n[HKEY_CURRENT_USER\\K]\n\"b\"=hex:";
    const auto hex = [](int i) {
        const char* digits = "0123456789abcdef";
        return std::string{digits[i >> 4], digits[i & 15]};
    };
    for (int i = 0; i < 60; ++i) {
        expected += hex(i);
        if (i == 59)
            break;
        expected += ',';
        if (i == 22 || i == 47)
            expected += "\\\n  ";
    }
    expected += "\n\"" + std::string(80, 'n') + "\"=hex:\\\n  ff\n";
    expected += "\"t\"=hex(12345678):01\n";
    EXPECT_EQ(text, expected);
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1) {
        if (text.compare(start, 4, "\"nnn") != 0) {
            EXPECT_LE(end - start, 79u) << text.substr(start, end - start);
        }
    }

    const TRegFileContent read = ReadRegFile(text);
    EXPECT_TRUE(read.Whole);
    EXPECT_EQ(WriteRegFile(*read.Top), text);
}

// ---- round trip of random trees ----

class TTreeMaker final
{
public:
    explicit TTreeMaker(unsigned seed) : m_random(seed) {}

    std::shared_ptr<TRegistryKey> Tree()
    {
        auto top = std::make_shared<TRegistryKey>();
        bool added = false;
        for (const char* hive : {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"})
            Fill(*top->AddSubkey(hive, added), 1, false);
        return top;
    }

private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    std::string Name(int maxLength)
    {
        static const char* const kPieces[] = {"a", "Z",  " ", "ř", "Ů", "ω", "Ж",  "😀", "]",
                                              "[", "\"", ";", "@", "=", "-", "\t", "x"};
        std::string name;
        const int length = 1 + Below(maxLength);
        for (int i = 0; i < length; ++i)
            name += kPieces[Below(static_cast<int>(std::size(kPieces)))];
        return name;
    }

    std::string Bytes(int maxLength)
    {
        std::string bytes(static_cast<std::size_t>(Below(maxLength + 1)), '\0');
        for (char& b : bytes)
            b = static_cast<char>(Below(256));
        return bytes;
    }

    TRegistryValue Value()
    {
        switch (Below(5)) {
        case 0:
            return {TRegType::Dword, Bytes(0) + std::string(4, static_cast<char>(Below(256)))};
        case 1:
            return {TRegType::Binary, Bytes(120)};
        case 2: {
            // Text with the characters a string must escape or carry in hex.
            std::string text = Name(12) + (Below(3) == 0 ? "\\\n\r\"" : "");
            std::string data;
            for (char c : text) {
                data += c;
                data += '\0';
            }
            return {TRegType::String, data + std::string(2, '\0')};
        }
        case 3:
            return {TRegType::String, Bytes(9)}; // anything at all
        default:
            return {static_cast<TRegType>(Below(1 << 20)), Bytes(20)};
        }
    }

    void Fill(TRegistryKey& key, int depth, bool values)
    {
        if (values)
            for (int i = Below(5); i > 0; --i)
                key.SetValue(Below(6) == 0 ? std::string() : Name(10), Value());
        const int subkeys = depth == 1 ? 1 + Below(3) : (depth < 5 ? Below(4) : 0);
        for (int i = 0; i < subkeys; ++i) {
            bool added = false;
            Fill(*key.AddSubkey(Name(8), added), depth + 1, true);
        }
    }

    std::mt19937 m_random;
};

void ExpectSameTree(const TRegistryKey& a, const TRegistryKey& b, const std::string& path)
{
    ASSERT_EQ(a.ValueNames(), b.ValueNames()) << path;
    for (const auto& value : a.Values())
        EXPECT_EQ(*b.Value(value.Name), value.Item) << path << " value " << value.Name;
    ASSERT_EQ(a.SubkeyNames(), b.SubkeyNames()) << path;
    for (const auto& sub : a.Subkeys())
        ExpectSameTree(*sub.Item, *b.Subkey(sub.Name), path + "\\" + sub.Name);
}

TEST(RegFileFormat, AnyTreeComesBackExactly)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        TTreeMaker maker(seed);
        const auto tree = maker.Tree();
        const std::string text = WriteRegFile(*tree);
        const TRegFileContent read = ReadRegFile(text);
        EXPECT_TRUE(read.Whole);
        ExpectSameTree(*tree, *read.Top, "");
        EXPECT_EQ(WriteRegFile(*read.Top), text);
    }
}

} // namespace
} // namespace mecovnik
