#include "text/Numbers.h"
#include "text/Quoted.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <limits>
#include <random>

namespace mecovnik {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// Strict UTF-8: each case names the rule it breaks and where the first bad
// sequence starts.
TEST(Utf8, FirstInvalidByteOfEachKindOfFault)
{
    struct TCase
    {
        std::string_view Why;
        std::string Text;
        std::size_t At;
    };
    const TCase cases[] = {
        {"plain ASCII", "Skret 7", npos},
        {"two, three and four bytes", "Ža€😀", npos},
        {"a real U+FFFD is valid", "\xEF\xBF\xBD", npos},
        {"the highest code point", "\xF4\x8F\xBF\xBF", npos},
        {"a continuation byte alone", "ab\x80", 2},
        {"overlong two bytes", "a\xC0\x80", 1},
        {"overlong three bytes", "\xE0\x80\xAF", 0},
        {"overlong four bytes", "x\xF0\x80\x80\x80", 1},
        {"an encoded surrogate", "\xED\xA0\x80", 0},
        {"above U+10FFFF", "\xF4\x90\x80\x80", 0},
        {"a lead byte that never starts anything", "ok\xFF", 2},
        {"a sequence cut short by the end", "Ž\xE2\x82", 2},
        {"a sequence cut short by ASCII", "\xC5x", 0},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(FirstInvalidUtf8(c.Text), c.At) << c.Why;
        EXPECT_EQ(IsValidUtf8(c.Text), c.At == npos) << c.Why;
        bool clean = true;
        (void)SanitizeUtf8(c.Text, clean);
        EXPECT_EQ(clean, c.At == npos) << c.Why;
    }
}

// Every code point written by AppendUtf8 is valid, takes Utf8Size bytes and
// decodes to itself; surrogates are written as U+FFFD.
TEST(Utf8, EveryCodePointRoundTrips)
{
    for (char32_t cp = 0; cp <= 0x10FFFF; cp += (cp < 0x1000 ? 1 : 97)) {
        std::string text;
        AppendUtf8(text, cp);
        const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
        const char32_t written = surrogate ? 0xFFFD : cp;
        ASSERT_EQ(text.size(), Utf8Size(written)) << std::hex << std::uint32_t{cp};
        ASSERT_TRUE(IsValidUtf8(text)) << std::hex << std::uint32_t{cp};
        std::size_t pos = 0;
        ASSERT_EQ(std::uint32_t{DecodeUtf8(text, pos)}, std::uint32_t{written})
            << std::hex << std::uint32_t{cp};
        ASSERT_EQ(pos, text.size());
        EXPECT_EQ(Utf8CharacterCount(text), 1u);
    }
}

// Random bytes: everything before the first invalid byte is valid, the byte
// there starts no valid sequence, and sanitizing leaves only valid UTF-8.
TEST(Utf8, RandomBytesSplitAtTheFirstFault)
{
    std::mt19937 random(16);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 12);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int i = length(random); i > 0; --i)
            text += static_cast<char>(round % 2 ? byte(random) : 0x80 + byte(random) % 0x60);
        const std::size_t at = FirstInvalidUtf8(text);
        bool clean = true;
        const std::string sanitized = SanitizeUtf8(text, clean);
        ASSERT_TRUE(IsValidUtf8(sanitized));
        ASSERT_EQ(clean, at == npos);
        if (at == npos) {
            ASSERT_EQ(sanitized, text);
            continue;
        }
        ASSERT_TRUE(IsValidUtf8(std::string_view(text).substr(0, at)));
        for (std::size_t end = at + 1; end <= std::min(text.size(), at + 4); ++end)
            ASSERT_FALSE(IsValidUtf8(std::string_view(text).substr(at, end - at)));
    }
}

TEST(Numbers, DecimalFillsTheWholeTextAndFitsItsType)
{
    EXPECT_EQ(ParseInt32("0"), 0);
    EXPECT_EQ(ParseInt32("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ParseInt32("2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ParseInt64("2147483648"), std::int64_t{2147483648});
    // Too large for the type, a sign other than "-", blanks, other bases,
    // nothing at all: no number.
    for (const char* text : {"2147483648", "-2147483649", "+1", " 1", "1 ", "", "-", "0x1", "1e3"})
        EXPECT_FALSE(ParseInt32(text)) << text;
    EXPECT_FALSE(ParseInt64("9223372036854775808"));

    std::mt19937_64 random(16);
    for (int round = 0; round < 10000; ++round) {
        const auto n = static_cast<std::int64_t>(random());
        std::string text;
        AppendDecimal(text, n);
        char expected[32];
        std::snprintf(expected, sizeof expected, "%" PRId64, n);
        ASSERT_EQ(text, expected);
        ASSERT_EQ(ParseInt64(text), n);
    }
}

TEST(Numbers, HexTakesOneToEightDigitsOfEitherCase)
{
    EXPECT_EQ(ParseHex32("0"), 0u);
    EXPECT_EQ(ParseHex32("0000000a"), 10u);
    EXPECT_EQ(ParseHex32("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHex32("aBc"), 0xABCu);
    for (const char* text : {"", "000000001", "100000000", "-1", "+1", "0x1", "g", " 1", "1 "})
        EXPECT_FALSE(ParseHex32(text)) << text;

    // Written: lower case, padded to the width, never fewer digits than the
    // value needs.
    std::mt19937 random(16);
    for (int round = 0; round < 10000; ++round) {
        const std::uint32_t value = random() >> (random() % 32);
        const int width = static_cast<int>(random() % 10);
        std::string text;
        AppendHex(text, value, width);
        char expected[16];
        std::snprintf(expected, sizeof expected, "%0*" PRIx32, width, value);
        ASSERT_EQ(text, expected);
        ASSERT_EQ(HexSize(value, width), text.size());
        if (text.size() <= 8) {
            ASSERT_EQ(ParseHex32(text), value);
        }
    }
    std::string bytes;
    AppendHexByte(bytes, 0x0A);
    AppendHexByte(bytes, 0xFF);
    EXPECT_EQ(bytes, "0aff");
}

TEST(Quoted, WritesEachEscapeAsItsRuleSays)
{
    struct TCase
    {
        std::string Text;
        TEscaping Escaping;
        std::string Written;
    };
    const TCase cases[] = {
        // Backslash and quote are escaped either way.
        {"a\"b\\c", TEscaping::QuotesOnly, R"("a\"b\\c")"},
        {"a\"b\\c", TEscaping::Control, R"("a\"b\\c")"},
        // The store writes control characters as they are.
        {"1\t2\n", TEscaping::QuotesOnly, "\"1\t2\n\""},
        // The journal never writes one: letters where C has them, hex else.
        {"1\t2\n3\r", TEscaping::Control, R"("1\t2\n3\r")"},
        {std::string("\0\x1f\x7f", 3), TEscaping::Control, R"("\x00\x1f\x7f")"},
        {"Žluťoučký kůň", TEscaping::Control, "\"Žluťoučký kůň\""},
    };
    for (const TCase& c : cases) {
        std::string out = "x";
        AppendQuoted(out, c.Text, c.Escaping);
        EXPECT_EQ(out, "x" + c.Written) << c.Written;
        EXPECT_EQ(QuotedSize(c.Text, c.Escaping), c.Written.size()) << c.Written;
    }
}

TEST(Quoted, ReadsWhatTheRulesAllowAndNothingElse)
{
    const auto read = [](std::string_view s, TEscaping escaping) {
        std::size_t pos = 0;
        auto text = ReadQuoted(s, pos, escaping);
        return text ? std::optional<std::pair<std::string, std::size_t>>({*text, pos})
                    : std::nullopt;
    };
    using TRead = std::optional<std::pair<std::string, std::size_t>>;
    // The store's file: any other backslash stands for itself.
    EXPECT_EQ(read(R"("a\b"=1)", TEscaping::QuotesOnly), TRead({"a\\b", 5}));
    EXPECT_EQ(read(R"("\\\"" rest)", TEscaping::QuotesOnly), TRead({"\\\"", 6}));
    EXPECT_EQ(read(R"("a\")", TEscaping::QuotesOnly), std::nullopt); // the quote is escaped
    // The journal: only its own escapes.
    EXPECT_EQ(read(R"("\x41\n\t\r")", TEscaping::Control), TRead({"A\n\t\r", 12}));
    for (const char* bad : {R"("\b")", R"("\x4")", R"("\x4g")", R"("\")", R"("abc)", "\""})
        EXPECT_EQ(read(bad, TEscaping::Control), std::nullopt) << bad;

    // Any bytes come back as they were written, and the reader stops right
    // after the closing quote.
    std::mt19937 random(16);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int i = static_cast<int>(random() % 12); i > 0; --i)
            text += "\"\\\n\x01xž\x7f"[random() % 8];
        for (const TEscaping escaping : {TEscaping::QuotesOnly, TEscaping::Control}) {
            std::string written;
            AppendQuoted(written, text, escaping);
            if (escaping == TEscaping::Control) {
                ASSERT_EQ(written.find_first_of("\n\r"), npos);
            }
            written += "\"tail\"";
            std::size_t pos = 0;
            const auto back = ReadQuoted(written, pos, escaping);
            ASSERT_TRUE(back);
            ASSERT_EQ(*back, text);
            ASSERT_EQ(pos, QuotedSize(text, escaping));
        }
    }
}

} // namespace
} // namespace mecovnik
