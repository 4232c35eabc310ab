#include "generator/Probe.h"
#include "generator/SecureDomain.h"
#include "publish/InternetLink.h"
#include "publish/tests/NetTestKit.h"
#include "testsupport/ScopedProcessState.h"

#include <gmock/gmock.h>

#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace std::chrono_literals;
using testkit::Answer;
using testkit::HttpTestServer;
using testkit::httpReply;

const std::string kDomain(secureDomain);
const std::string kMarker(probeMarker);

// The partner's note as a page carries it: the marker, two lines, then the address whose
// name part starts at the fourteenth character of the third line ("     https://" is 13).
std::string note(std::string_view name = "secure42", std::string_view lineEnd = "\n")
{
    std::string page = "<html><body>";
    page += lineEnd;
    page += kMarker;
    page += lineEnd;
    page += "<br>";
    page += lineEnd;
    page += "<p>";
    page += lineEnd;
    page += "     https://";
    page += name;
    page += ".hostingpartner.example/~shop/";
    page += lineEnd;
    page += "</body></html>";
    page += lineEnd;
    return page;
}

// What the lookup finds in a reply, by way of the text file it is saved in.
std::string lookup(std::string_view reply)
{
    return readSecureNote(fromTextFile(toTextFile(reply))).secureHost;
}

TEST(ProbeText, TextFileTranslationKeepsACarriageReturnBeforeALineFeed)
{
    EXPECT_EQ(toTextFile("a\nb\r\nc\rd\n\n"), "a\r\nb\r\r\nc\rd\r\n\r\n");
    EXPECT_EQ(fromTextFile("a\r\nb\r\r\nc\rd\r\n\r\n"), "a\nb\r\nc\rd\n\n");
    for (const std::string reply : {"x\r\n", "\r", "\n\r\n\r\r\n", "\r\n\r\n", "no line end"})
        EXPECT_EQ(fromTextFile(toTextFile(reply)), reply);
    EXPECT_EQ(fromTextFile("\r\r\n"), "\r\n");
}

TEST(ProbeText, FindsTheNameThatFollowsTheMarker)
{
    const std::string found = "secure42." + kDomain;
    const std::string line149(148, 'x');
    struct Case {
        const char* name;
        std::string reply;
        std::string expected;
    };
    const Case cases[] = {
        {"bare line feeds", note(), found},
        {"CR LF line ends never match", note("secure42", "\r\n"), kDomain},
        {"no marker", "<html>Frequently asked questions</html>\n", kDomain},
        {"empty reply", "", kDomain},
        {"marker in other case", "use the following url to access your pages via the secure server.\n<br>\n<p>\n"
                                 "    https://secure42.x\n",
         kDomain},
        {"marker with a leading blank", " " + kMarker + "\n<br>\n<p>\n    https://secure42.x\n", kDomain},
        {"marker as the last line, nothing after", "a\n" + kMarker, kDomain},
        {"name with a hyphen and digits", note("ssl-7"), "ssl-7." + kDomain},
        {"name right at the fourteenth character", kMarker + "\n1\n2\n1234567890123n.rest\n", "n." + kDomain},
        {"the 13 characters may span lines", kMarker + "\n" + std::string(15, '\n') + "farther.x\n",
         "farther." + kDomain},
        {"no dot before the end", kMarker + "\n1\n2\n1234567890123secure42\n", kDomain},
        {"only the first marker counts", kMarker + "\n1\n2\n1234567890123<bad>.x\n" + note(), kDomain},
        {"second marker after a non-matching first line", "intro\n" + note(), found},
        // Lines are read in pieces of 149 characters: a marker after 149 characters of the
        // same line is a line of its own, one after 148 is not.
        {"marker after 149 characters", std::string(149, 'x') + note().substr(13), found},
        {"marker after 148 characters", std::string(148, 'x') + note().substr(13), kDomain},
        {"149-character line before the marker", line149 + "x\n" + note(), found},
        // The two skipped lines are pieces of 49 characters: a 49-character line leaves its
        // line feed as the second piece, so the name comes from the line right after it.
        {"49-character first line", kMarker + "\n" + std::string(49, 'y') + "\n1234567890123moved.x\n",
         "moved." + kDomain},
        {"48-character first line", kMarker + "\n" + std::string(48, 'y') + "\n2\n1234567890123kept.x\n",
         "kept." + kDomain},
        {"long first line read in two pieces", kMarker + "\n" + std::string(60, 'y') + "\n1234567890123split.x\n",
         "split." + kDomain},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lookup(c.reply), c.expected) << c.name;
}

TEST(ProbeText, OnlyAPlainNamePartReachesThePages)
{
    for (const char* name : {"", "a b", "x\"><script>alert(1)</script", "evil/path", "a_b", "\xE9t\xE9",
                             "tab\there", "a:443", "user@host"}) {
        const std::string reply = kMarker + "\n1\n2\n1234567890123" + name + ".rest\n";
        EXPECT_EQ(lookup(reply), kDomain) << "name " << name;
    }
    const std::string withNul = kMarker + "\n1\n2\n1234567890123" + std::string("nu\0l", 4) + ".rest\n";
    EXPECT_EQ(lookup(withNul), kDomain);
    // One label of a host name: at most 63 characters.
    EXPECT_EQ(lookup(kMarker + "\n1\n2\n1234567890123" + std::string(63, 'a') + ".x\n"),
              std::string(63, 'a') + "." + kDomain);
    for (const std::size_t length : {64, 300, 5000}) {
        const std::string reply = kMarker + "\n1\n2\n1234567890123" + std::string(length, 'a') + ".x\n";
        EXPECT_EQ(readSecureNote(fromTextFile(toTextFile(reply))).outcome, NoteReading::Outcome::RefusedName) << length;
        EXPECT_EQ(lookup(reply), kDomain) << length;
    }
}

// ---- the lookup over the network ----------------------------------------------------------

// Each test runs in its own current directory, where the lookup leaves "test.txt".
class ProbeTest : public testing::Test {
protected:
    void SetUp() override
    {
        net::settings() = net::Settings{};
        net::settings().connectTimeout = 2s;
        net::settings().requestTimeout = 2s;
    }

    std::string savedReply() const { return testkit::readFile(folder_.path() / "test.txt"); }
    std::string lookedUp(const std::string& siteHost) { return probe(siteHost).secureHost; }

    test::ScopedProcessState restored_;
    testkit::TempDir folder_;
    testkit::ScopedCurrentDir current_{folder_.path()};
};

TEST_F(ProbeTest, AsksTheSiteForItsFaqPageAndSavesTheReplyAsText)
{
    HttpTestServer site([](const auto&) { return Answer::reply(httpReply(200, "OK", note())); });
    net::settings().addConnectTo(site.connectTo("www.acme.test"));

    const ProbeResult found = probe("www.acme.test");
    EXPECT_EQ(found.secureHost, "secure42." + kDomain);
    EXPECT_TRUE(found.found()) << found.problem;
    EXPECT_EQ(savedReply(), toTextFile(note()));
    // Built afresh each time: a second run finds the same.
    EXPECT_EQ(lookedUp("www.acme.test"), "secure42." + kDomain);

    const auto requests = site.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].requestLine, "GET /faq.html HTTP/1.0");
    EXPECT_EQ(requests[0].header("Host"), "www.acme.test");
    EXPECT_EQ(requests[0].header("User-Agent"), "HTTPGET");
    EXPECT_EQ(requests[0].header("Accept"), std::nullopt);
}

TEST_F(ProbeTest, PagesWithoutTheNoteFindNothing)
{
    struct Case {
        const char* name;
        std::string reply;
        std::string saved;
    };
    const Case cases[] = {
        {"CR LF line ends", httpReply(200, "OK", note("secure42", "\r\n")), toTextFile(note("secure42", "\r\n"))},
        {"missing page", httpReply(404, "Not Found", "<html>Not Found</html>\n"), "<html>Not Found</html>\r\n"},
        {"no body", httpReply(200, "OK", ""), ""},
    };
    for (const Case& c : cases) {
        HttpTestServer site([&](const auto&) { return Answer::reply(c.reply); });
        net::settings().clearConnectTo();
        net::settings().addConnectTo(site.connectTo("www.acme.test"));
        const ProbeResult result = probe("www.acme.test");
        EXPECT_EQ(result.secureHost, kDomain) << c.name;
        EXPECT_EQ(result.problem, "the page www.acme.test/faq.html holds no note of the secure server") << c.name;
        EXPECT_EQ(savedReply(), c.saved) << c.name;
    }
}

TEST_F(ProbeTest, InternetFailuresLeaveTheErrorLineAndFindNothing)
{
    testkit::RefusingPort refusing;
    HttpTestServer silent([](const auto&) { return Answer::silence(); });
    struct Case {
        const char* name;
        std::string siteUrl;
        std::string connectTo;
        std::string saved;
    };
    const Case cases[] = {
        {"refused", "www.acme.test", "www.acme.test:80:127.0.0.1:" + std::to_string(refusing.port()),
         "Internet Error7.\r\n"},
        {"unresolvable", "www.acme.invalid", "", "Internet Error6.\r\n"},
        {"never answers", "www.acme.test", silent.connectTo("www.acme.test"), "Internet Error28.\r\n"},
        {"not a host name", "http://www.acme.test/", "", "Internet Error3.\r\n"},
    };
    net::settings().requestTimeout = 300ms;
    for (const Case& c : cases) {
        net::settings().clearConnectTo();
        if (!c.connectTo.empty())
            net::settings().addConnectTo(c.connectTo);
        const ProbeResult result = probe(c.siteUrl);
        EXPECT_EQ(result.secureHost, kDomain) << c.name;
        EXPECT_THAT(result.problem, testing::StartsWith("the site " + c.siteUrl + " could not be reached (")) << c.name;
        EXPECT_EQ(savedReply(), c.saved) << c.name;
    }
}

TEST_F(ProbeTest, ATooLongReplyIsAnInternetFailure)
{
    HttpTestServer site([](const auto&) { return Answer::reply(httpReply(200, "OK", note() + std::string(5000, ' '))); });
    net::settings().addConnectTo(site.connectTo("www.acme.test"));
    net::settings().maxReplyBytes = 1000;
    EXPECT_EQ(lookedUp("www.acme.test"), kDomain);
    EXPECT_EQ(savedReply(), "Internet Error63.\r\n");
}

TEST_F(ProbeTest, WithoutAWorkingFileNothingIsFoundAndNothingIsAsked)
{
    HttpTestServer site([](const auto&) { return Answer::reply(httpReply(200, "OK", note())); });
    net::settings().addConnectTo(site.connectTo("www.acme.test"));
    std::filesystem::create_directory(folder_.path() / "test.txt");
    const ProbeResult result = probe("www.acme.test");
    EXPECT_EQ(result.secureHost, kDomain);
    EXPECT_EQ(result.problem, "the working file test.txt could not be written (Is a directory)");
    EXPECT_TRUE(site.requests().empty());
}

} // namespace
} // namespace velmora
