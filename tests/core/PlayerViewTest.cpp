#include "playerview/PlayerView.h"
#include "playerview/PlayerAccess.h"
#include "roster/TNameOrder.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterList.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <random>
#include <set>
#include <sstream>

namespace mecovnik {
namespace {

TEST(PlayerView, AMonsterShowsOneWordForItsState)
{
    const struct
    {
        std::int32_t Lives, MaxLives, KnockOut;
        const char* Word;
    } cases[] = {
        {17, 17, 2, "nezraněná"},    // no lives lost
        {16, 17, 2, "zraněná"},      // one lost
        {6, 17, 2, "zraněná"},       // 6 of 17 is more than a third
        {5, 17, 2, "těžce zraněná"}, // 5 of 17 is less than a third
        {6, 18, 0, "těžce zraněná"}, // exactly a third
        {7, 18, 0, "zraněná"},       // just more than a third
        {3, 17, 2, "těžce zraněná"}, // above the knock-out threshold
        {2, 17, 2, "vyřazená"},      // at the threshold
        {1, 17, 0, "těžce zraněná"}, // threshold 0: never knocked out
        {0, 17, 2, "mrtvá"},         // no lives
        {-4, 17, 0, "mrtvá"},        // below none
        {1, 1, 0, "nezraněná"},      // a one-life monster untouched
        {20, 20, 20, "vyřazená"},    // knocked out wins over unhurt
    };
    for (const auto& c : cases) {
        TNestvura m("Skřet");
        m.Lives = c.Lives;
        m.MaxLives = c.MaxLives;
        m.KnockOut = c.KnockOut;
        EXPECT_EQ(MonsterStateWord(MonsterStateOf(m)), c.Word)
            << c.Lives << "/" << c.MaxLives << "(" << c.KnockOut << ")";
    }
}

class TViewFight
{
public:
    TViewFight() : Postavy(m_order), Nestvury(m_order) {}

    void Character(const std::string& name, std::int32_t lives, std::int32_t max,
                   std::int32_t knockOut)
    {
        auto c = std::make_unique<TPostava>(name);
        c->Lives = lives;
        c->MaxLives = max;
        c->KnockOut = knockOut;
        c->Experience = 7283;
        c->UnassignedExperience = 6907;
        Postavy.Add(std::move(c));
    }

    TNestvura& Monster(const std::string& name, std::int32_t lives, std::int32_t max)
    {
        auto m = std::make_unique<TNestvura>(name);
        m->Lives = lives;
        m->MaxLives = max;
        m->KnockOut = 1;
        m->KillExperience = 29641;
        m->Level = 503;
        m->KnockOutRule = 4;
        return static_cast<TNestvura&>(*Nestvury.At(Nestvury.Add(std::move(m))));
    }

    const TAsciiNameOrder m_order;
    TRosterList Postavy;
    TRosterList Nestvury;
};

TEST(PlayerView, TheJsonShowsCharactersWholeAndMonstersAsWordsOnly)
{
    TViewFight f;
    f.Character("Aragorn", 42, 50, 5);
    f.Character("Bilbo", 3, 50, 5);
    f.Character("<b>Cirdan</b>", 0, 50, 5);
    f.Monster("Drak", 3967, 4001);
    f.Monster("Skřet \"<script>\"", 1187, 4001);

    const std::string text = PlayerViewJson(MakePlayerView(f.Postavy, f.Nestvury), 12);
    const nlohmann::json j = nlohmann::json::parse(text);
    EXPECT_EQ(j["version"], 12);
    const nlohmann::json characters = {
        {{"name", "<b>Cirdan</b>"},
         {"lives", 0},
         {"maxLives", 50},
         {"dead", true},
         {"knockedOut", false}},
        {{"name", "Aragorn"},
         {"lives", 42},
         {"maxLives", 50},
         {"dead", false},
         {"knockedOut", false}},
        {{"name", "Bilbo"}, {"lives", 3}, {"maxLives", 50}, {"dead", false}, {"knockedOut", true}},
    };
    EXPECT_EQ(j["characters"], characters);
    const nlohmann::json monsters = {
        {{"name", "Drak"}, {"state", "hurt"}, {"word", "zraněná"}},
        {{"name", "Skřet \"<script>\""}, {"state", "badlyHurt"}, {"word", "těžce zraněná"}},
    };
    EXPECT_EQ(j["monsters"], monsters);

    // No number of a monster, nor the characters' experience, anywhere.
    for (const char* secret : {"3967", "4001", "1187", "29641", "503", "7283", "6907"})
        EXPECT_EQ(text.find(secret), std::string::npos) << secret;
}

TEST(PlayerView, TheVersionGrowsWithEveryChangeThePlayersCanSee)
{
    TViewFight f;
    f.Character("Aragorn", 42, 50, 5);
    TNestvura& drak = f.Monster("Drak", 30, 30);
    TPlayerViewFeed feed(1000);
    EXPECT_EQ(feed.Version(), 1000u);
    EXPECT_EQ(nlohmann::json::parse(feed.Json())["version"], 1000);

    const auto update = [&] { return feed.Update(MakePlayerView(f.Postavy, f.Nestvury)); };
    EXPECT_TRUE(update()); // the fight appears
    EXPECT_EQ(feed.Version(), 1001u);
    EXPECT_FALSE(update()); // nothing new
    drak.Wound(1);
    EXPECT_TRUE(update()); // unhurt to hurt
    drak.Wound(1);
    EXPECT_FALSE(update()); // still hurt: the players cannot tell
    drak.Wound(18);
    EXPECT_TRUE(update()); // 10 of 30: badly hurt
    static_cast<TPostava&>(*f.Postavy.At(0)).AddExperience(50);
    EXPECT_FALSE(update()); // experience is not theirs to see
    f.Postavy.At(0)->AddLives(-1);
    EXPECT_TRUE(update());
    EXPECT_EQ(feed.Version(), 1004u);
    EXPECT_EQ(nlohmann::json::parse(feed.Json())["version"], 1004);
    EXPECT_EQ(feed.View().Monsters.at(0).State, TMonsterState::BadlyHurt);
}

TEST(PlayerAccess, TokensAreUrlSafeBase64OfTheRandomBytes)
{
    const auto from = [](std::string bytes) {
        return [bytes](std::span<std::uint8_t> out) {
            ASSERT_EQ(out.size(), bytes.size());
            std::copy(bytes.begin(), bytes.end(), out.begin());
        };
    };
    // "foobar" is Zm9vYmFy in base64; 0xFB 0xEF 0xBE is ++++ there, ---- URL-safe.
    EXPECT_EQ(MakePlayerViewToken(from("foobarfoobarfoobar")), "Zm9vYmFyZm9vYmFyZm9vYmFy");
    EXPECT_EQ(MakePlayerViewToken(
                  from(std::string("\xFB\xEF\xBE\xFF\xFF\xFF", 6) + std::string(12, '\0'))),
              "----____AAAAAAAAAAAAAAAA");

    std::mt19937 engine(7);
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        const std::string token = MakePlayerViewToken([&engine](std::span<std::uint8_t> out) {
            for (std::uint8_t& b : out)
                b = static_cast<std::uint8_t>(engine());
        });
        EXPECT_TRUE(IsPlayerViewToken(token)) << token;
        EXPECT_GE(token.size() * 6, 128u);
        seen.insert(token);
    }
    EXPECT_EQ(seen.size(), 1000u);

    const struct
    {
        std::string Text;
        bool Token;
    } cases[] = {
        {std::string(22, 'a'), true},        // 132 bits
        {std::string(21, 'a'), false},       // 126 bits: too few
        {std::string(128, '_'), true},       // the longest
        {std::string(129, '_'), false},      // longer
        {"", false},                         // nothing
        {"abcdefghijklmnopqrstu+", false},   // standard base64's '+'
        {"abcdefghijklmnopqrstu/", false},   // and '/'
        {"abcdefghijklmnopqrstu=", false},   // and padding
        {"abcdefghijklmnopqrstu%41", false}, // escapes
        {"abcdefghijklmnopqrstuv\n", false}, // a line end
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsPlayerViewToken(c.Text), c.Token) << c.Text;
}

TEST(PlayerAccess, TokensCompareByEveryByte)
{
    const std::string token = "Zm9vYmFyZm9vYmFyZm9vYmFy";
    const struct
    {
        std::string Given;
        bool Equal;
    } cases[] = {
        {token, true},
        {"Xm9vYmFyZm9vYmFyZm9vYmFy", false}, // the first differs
        {"Zm9vYmFyZm9vYmFyZm9vYmFz", false}, // the last differs
        {"Zm9vYmFyZm9vYmFyZm9vYmF", false},  // one short
        {token + "y", false},                // one more
        {"", false},
        {std::string("Zm9vYmFyZm9vYmFyZm9vYmFy\0", 25), false}, // a NUL more
    };
    for (const auto& c : cases)
        EXPECT_EQ(TokensEqual(token, c.Given), c.Equal) << c.Given;
    EXPECT_TRUE(TokensEqual("", ""));
}

TEST(PlayerAccess, RequestsAreServedOnlyWithTheToken)
{
    const std::string t = "Zm9vYmFyZm9vYmFyZm9vYmFy";
    using R = TPlayerRequest;
    const struct
    {
        const char* Method;
        std::string Path;
        R Result;
    } cases[] = {
        {"GET", "/" + t, R::Page},
        {"GET", "/" + t + "/", R::Page},
        {"HEAD", "/" + t, R::Page},
        {"GET", "/" + t + "/data", R::Data},
        {"GET", "/" + t + "/data?v=17", R::Data}, // a query is ignored
        {"GET", "/" + t + "?x", R::Page},
        {"GET", "/" + t + "/events", R::Events},
        {"GET", "/" + t + "/other", R::NotFound},
        {"GET", "/" + t + "/data/", R::NotFound},
        {"GET", "/" + t + "//data", R::NotFound},
        {"GET", "/" + t + "/../data", R::NotFound},
        {"GET", "/" + t + "/ev%65nts", R::NotFound}, // no unescaping
        {"POST", "/" + t + "/data", R::Refused},     // read-only
        {"PUT", "/" + t, R::Refused},
        {"get", "/" + t, R::Refused},
        {"GET", "/", R::Refused},           // no token
        {"GET", "", R::Refused},            // no path
        {"GET", t + "/data", R::Refused},   // no leading slash
        {"GET", "/data", R::Refused},       // the token left out
        {"GET", "/wrong/data", R::Refused}, // a wrong one
        {"GET", "/Zm9vYmFyZm9vYmFyZm9vYmFz/data", R::Refused},
        {"GET", "/" + t.substr(1) + "/data", R::Refused},            // a part of it
        {"GET", "/" + t + "x/data", R::Refused},                     // more than it
        {"GET", "/" + t + "%2Fdata", R::Refused},                    // an escaped slash
        {"GET", "/" + t + "/da ta", R::Refused},                     // a space
        {"GET", "/" + t + "/\x01", R::Refused},                      // a control character
        {"GET", "/" + t + "/\xC5\xA1", R::Refused},                  // not ASCII
        {"GET", "/" + t + "/" + std::string(231, 'a'), R::Refused},  // 257 bytes
        {"GET", "/" + t + "/" + std::string(230, 'a'), R::NotFound}, // 256 bytes
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyPlayerRequest(c.Method, c.Path, t), c.Result)
            << c.Method << " " << c.Path;

    // A server whose token went missing serves nothing.
    for (const std::string& path : {std::string("/"), std::string("//data"), "/" + t})
        EXPECT_EQ(ClassifyPlayerRequest("GET", path, ""), R::Refused) << path;
    EXPECT_EQ(ClassifyPlayerRequest("GET", "/short/data", "short"), R::Refused);

    const std::pair<R, int> statuses[] = {
        {R::Page, 200}, {R::Data, 200}, {R::Events, 200}, {R::Refused, 403}, {R::NotFound, 404}};
    for (const auto& [request, status] : statuses)
        EXPECT_EQ(HttpStatus(request), status);
}

// The page is one file that loads nothing from elsewhere and puts names in
// as text, never as markup.
TEST(PlayerAccess, RequestHeadsAreScreenedBeforeAnyParser)
{
    const std::string ok = "GET /abc/data HTTP/1.1\r\nHost: 127.0.0.1:8765\r\nAccept: */*\r\n\r\n";
    const struct
    {
        std::string Bytes;
        TRequestHead Expected;
        const char* Why;
    } cases[] = {
        {ok, TRequestHead::Complete, "a plain GET"},
        {"HEAD / HTTP/1.0\r\n\r\n", TRequestHead::Complete, "HTTP/1.0 and no headers"},
        {"GET / HTTP/1.1\r\nContent-Length: 0\r\n\r\n", TRequestHead::Complete,
         "an empty body is no body"},
        {"GET / HTTP/1.1\r\nX:\tvalue with tab\r\n\r\n", TRequestHead::Complete,
         "a tab in a value"},
        {"", TRequestHead::Partial, "nothing yet"},
        {"GE", TRequestHead::Partial, "a method on its way"},
        {"GET /a HTTP/1.", TRequestHead::Partial, "a version on its way"},
        {"GET / HTTP/1.1\r", TRequestHead::Partial, "a CR waiting for its LF"},
        {"GET / HTTP/1.1\r\nHost: x", TRequestHead::Partial, "a header on its way"},
        {"GET / HTTP/1.1\r\nHost: x\r\n", TRequestHead::Partial, "no empty line yet"},
        {"get / HTTP/1.1\r\n\r\n", TRequestHead::Refused, "a method in small letters"},
        {"\x16\x03\x01", TRequestHead::Refused, "a TLS hello"},
        {" / HTTP/1.1\r\n\r\n", TRequestHead::Refused, "no method"},
        {"GET  / HTTP/1.1\r\n\r\n", TRequestHead::Refused, "an empty target"},
        {"GET /a b HTTP/1.1\r\n\r\n", TRequestHead::Refused, "a space in the target"},
        {"GET /\x80 HTTP/1.1\r\n\r\n", TRequestHead::Refused, "a byte beyond ASCII"},
        {"GET / HTTP/2.0\r\n\r\n", TRequestHead::Refused, "another version"},
        {"GET / HTTP/1.1\n\n", TRequestHead::Refused, "lines ended by LF alone"},
        {"GET / HTTP/1.1\r\nA\rB: c\r\n\r\n", TRequestHead::Refused, "a lone CR"},
        {"GET / HTTP/1.1\r\n folded\r\n\r\n", TRequestHead::Refused, "a folded line"},
        {"GET / HTTP/1.1\r\nBad Name: x\r\n\r\n", TRequestHead::Refused, "a space in a name"},
        {"GET / HTTP/1.1\r\n: x\r\n\r\n", TRequestHead::Refused, "an empty name"},
        {"GET / HTTP/1.1\r\nX: a\x01b\r\n\r\n", TRequestHead::Refused, "a control character"},
        {"GET / HTTP/1.1\r\nContent-Length: 5\r\n\r\n", TRequestHead::Refused, "a body"},
        {"GET / HTTP/1.1\r\ncontent-length:  12 \r\n\r\n", TRequestHead::Refused,
         "a body, the name in small letters"},
        {"GET / HTTP/1.1\r\nContent-Length: x\r\n\r\n", TRequestHead::Refused,
         "a length that is no number"},
        {"GET / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", TRequestHead::Refused,
         "a chunked body"},
        {"GET / HTTP/1.1\r\nUpgrade: websocket\r\n\r\n", TRequestHead::Refused, "an upgrade"},
        {ok + "GET", TRequestHead::Refused, "a second request at once"},
        {"GET / HTTP/1.1\r\nX: " + std::string(kPlayerViewMaxRequestBytes, 'a'),
         TRequestHead::Refused, "a header line past the limit"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScreenRequestHead(c.Bytes), c.Expected) << c.Why;

    // Every prefix of a head that is taken is taken so far; bytes arrive in
    // any pieces.
    for (std::size_t n = 0; n < ok.size(); ++n)
        EXPECT_EQ(ScreenRequestHead(std::string_view(ok).substr(0, n)), TRequestHead::Partial) << n;

    // The limit counts the whole head, empty line included.
    const std::string line = "GET / HTTP/1.1\r\n";
    const std::size_t room = kPlayerViewMaxRequestBytes - line.size() - 2 - 5; // "X: " and CR LF
    EXPECT_EQ(ScreenRequestHead(line + "X: " + std::string(room, 'a') + "\r\n\r\n"),
              TRequestHead::Complete);
    EXPECT_EQ(ScreenRequestHead(line + "X: " + std::string(room + 1, 'a') + "\r\n\r\n"),
              TRequestHead::Refused);

    const TRequestLine request = RequestLineOf(ok);
    EXPECT_EQ(request.Method, "GET");
    EXPECT_EQ(request.Target, "/abc/data");
}

TEST(PlayerAccess, EventsLinksAndTheAddressPhonesReach)
{
    EXPECT_EQ(ServerSentEvent(R"({"version":3})"), "data: {\"version\":3}\n\n");
    EXPECT_EQ(PlayerViewLink("192.168.1.20", 8765, "tok"), "http://192.168.1.20:8765/tok");
    EXPECT_EQ(PlayerViewLink("fe80::1", 1024, "t"), "http://[fe80::1]:1024/t");

    using A = TInterfaceAddress;
    const struct
    {
        std::vector<A> Addresses;
        const char* Expected;
        const char* Why;
    } cases[] = {
        {{}, "127.0.0.1", "no network at all"},
        {{{"127.0.0.1", true, true}}, "127.0.0.1", "loopback only"},
        {{{"192.168.1.5", false, false}}, "127.0.0.1", "an interface that is down"},
        {{{"", true, false}}, "127.0.0.1", "an interface without IPv4"},
        {{{"127.0.0.1", true, true}, {"192.168.1.5", true, false}},
         "192.168.1.5",
         "the home network"},
        {{{"169.254.3.4", true, false}, {"85.1.2.3", true, false}, {"10.0.0.7", true, false}},
         "10.0.0.7",
         "a private network before a public address before link-local"},
        {{{"169.254.3.4", true, false}, {"85.1.2.3", true, false}},
         "85.1.2.3",
         "a public address before link-local"},
        {{{"169.254.3.4", true, false}}, "169.254.3.4", "link-local when nothing else"},
        {{{"172.15.0.1", true, false}, {"172.16.0.1", true, false}},
         "172.16.0.1",
         "172.16/12 is private, 172.15 is not"},
        {{{"192.168.1.5", true, false}, {"192.168.2.9", true, false}},
         "192.168.1.5",
         "the first among equals"},
        {{{"300.1.1.1", true, false}, {"1.2.3", true, false}}, "127.0.0.1", "no address at all"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PickLinkAddress(c.Addresses), c.Expected) << c.Why;
}

TEST(PlayerViewPage, IsSelfContainedAndSetsNamesAsText)
{
    std::ifstream file(MECOVNIK_RESOURCES_DIR "/playerview/index.html", std::ios::binary);
    ASSERT_TRUE(file);
    std::stringstream content;
    content << file.rdbuf();
    const std::string page = content.str();
    EXPECT_LT(page.size(), 16u * 1024u);
    for (const char* present :
         {"<html lang=\"cs\"", "<meta charset=\"utf-8\">", "name=\"viewport\"", "textContent",
          "EventSource", "\"/events\"", "\"/data\"", "Content-Security-Policy"})
        EXPECT_NE(page.find(present), std::string::npos) << present;
    for (const char* absent :
         {"innerHTML", "outerHTML", "insertAdjacentHTML", "document.write", "eval(", "new Function",
          "http:", "https:", "src=", "href=", "@import", "url("})
        EXPECT_EQ(page.find(absent), std::string::npos) << absent;
}

} // namespace
} // namespace mecovnik
