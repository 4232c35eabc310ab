#include "publish/tests/NetTestKit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::ElementsAre;
using testing::HasSubstr;
using testkit::Answer;
using testkit::HttpTestServer;
using testkit::httpReply;

constexpr const char* kFaqPage =
    "<html><body>\n"
    "Use the following url to access your pages via the secure server.\n"
    "<br>\n"
    "<p>\n"
    "     https://secure42.hostingpartner.example/~acme/\n"
    "</body></html>\n";

// Every https address in a page.
std::vector<std::string> secureLinks(const fs::path& page)
{
    const std::string text = testkit::readFile(page);
    std::vector<std::string> links;
    const std::regex link("https://[^ >\"]*");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), link); it != std::sregex_iterator(); ++it)
        links.push_back(it->str());
    return links;
}

// velmora-build run in a folder of its own, where the lookup leaves "test.txt".
class ConnectTo : public testing::Test {
protected:
    void SetUp() override
    {
        testkit::writeFile(work_.path() / "state.json",
                           R"({"hostingCustomer": true, "siteUrl": "www.acme.test", "companyName": "Acme"})");
    }

    testkit::RunResult build(const std::vector<std::string>& connectTo)
    {
        std::vector<std::string> argv = {VELMORA_BUILD_PROGRAM, "--state", "state.json", "--out", "site"};
        for (const std::string& entry : connectTo) {
            argv.push_back("--connect-to");
            argv.push_back(entry);
        }
        return testkit::runProgram(argv, work_.path());
    }

    fs::path page(const char* name) const { return work_.path() / "site" / name; }

    testkit::TempDir work_;
};

TEST_F(ConnectTo, TheSecureLinksFormAndSalesSlipNameTheServerFoundOnTheSite)
{
    HttpTestServer site([](const auto&) { return Answer::reply(httpReply(200, "OK", kFaqPage)); });
    const auto result = build({"other.example.test:80:127.0.0.1:9", site.connectTo("www.acme.test")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");

    const auto requests = site.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine, "GET /faq.html HTTP/1.0");
    EXPECT_EQ(requests[0].header("Host"), "www.acme.test");
    EXPECT_EQ(requests[0].header("User-Agent"), "HTTPGET");

    const std::string host = "https://secure42.hostingpartner.example";
    for (const char* name : {"index.html", "testimonials.html", "freq.html", "features.html", "about.html"})
        EXPECT_THAT(secureLinks(page(name)), ElementsAre(host + "/acme/order.html")) << name;
    EXPECT_THAT(secureLinks(page("order.html")), ElementsAre(host + "/cgi-acme/shop/boutique.cgi"));
    EXPECT_THAT(testkit::readFile(page("order.html")),
                HasSubstr("<form method=post action=" + host + "/cgi-acme/shop/boutique.cgi>"));
    EXPECT_THAT(secureLinks(page("saleslip.html")), ElementsAre(host + "/cgi-acme/shop/boutique.cgi"));

    // The reply is kept as a text file, with CR LF line ends.
    EXPECT_THAT(testkit::readFile(work_.path() / "test.txt"),
                HasSubstr("Use the following url to access your pages via the secure server.\r\n<br>\r\n"));
}

TEST_F(ConnectTo, AnUnreachableSiteLeavesTheSecureDomainAloneAndSaysSo)
{
    testkit::RefusingPort refusing;
    const auto result = build({"www.acme.test:80:127.0.0.1:" + std::to_string(refusing.port())});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_THAT(result.err, testing::MatchesRegex("velmora-build: The secure server could not be found: the site "
                                                  "www\\.acme\\.test could not be reached \\([^\n]*\\)\\. The "
                                                  "order pages name hostingpartner\\.example, where orders cannot "
                                                  "arrive\\.\n"));
    EXPECT_EQ(testkit::readFile(work_.path() / "test.txt"), "Internet Error7.\r\n");
    EXPECT_THAT(secureLinks(page("index.html")), ElementsAre("https://hostingpartner.example/acme/order.html"));
    EXPECT_THAT(secureLinks(page("order.html")),
                ElementsAre("https://hostingpartner.example/cgi-acme/shop/boutique.cgi"));
    EXPECT_THAT(secureLinks(page("saleslip.html")),
                ElementsAre("https://hostingpartner.example/cgi-acme/shop/boutique.cgi"));
}

TEST_F(ConnectTo, APageWithoutTheNoteIsReported)
{
    HttpTestServer site([](const auto&) { return Answer::reply(httpReply(200, "OK", "<html>FAQ</html>\n")); });
    const auto result = build({site.connectTo("www.acme.test")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "velmora-build: The secure server could not be found: the page www.acme.test/faq.html "
                          "holds no note of the secure server. The order pages name hostingpartner.example, where "
                          "orders cannot arrive.\n");
    EXPECT_THAT(testkit::readFile(page("order.html")), HasSubstr("action=https://hostingpartner.example/cgi-acme/"));
}

// A CREATE ended by SIGTERM while the lookup waits for a silent site: the complete site that
// was there before is still there, byte for byte, and the next CREATE clears what was left.
TEST_F(ConnectTo, ACreateKilledDuringTheLookupLeavesTheOldSiteWhole)
{
    testkit::writeFile(work_.path() / "plain.json", R"({"companyName": "Old Acme", "buttonSet": {"buttonChoice": "C"}})");
    ASSERT_EQ(testkit::runProgram({VELMORA_BUILD_PROGRAM, "--state", "plain.json", "--out", "site"}, work_.path())
                  .exitCode,
              0);
    std::map<std::string, std::string> before;
    for (const auto& entry : fs::directory_iterator(work_.path() / "site"))
        before[entry.path().filename().string()] = testkit::readFile(entry.path());

    HttpTestServer silent([](const auto&) { return Answer::silence(); });
    const pid_t child = ::fork();
    if (child == 0) {
        ::chdir(work_.path().c_str());
        const std::string entry = silent.connectTo("www.acme.test");
        ::execl(VELMORA_BUILD_PROGRAM, VELMORA_BUILD_PROGRAM, "--state", "state.json", "--out", "site", "--connect-to",
                entry.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Wait until the lookup is under way (its request has reached the site), then a second more.
    for (int i = 0; i < 500 && silent.requests().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::seconds(1));
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the command ended before the signal";
    ASSERT_FALSE(silent.requests().empty());

    std::map<std::string, std::string> after;
    std::size_t leftovers = 0;
    for (const auto& entry : fs::directory_iterator(work_.path() / "site")) {
        const std::string name = entry.path().filename().string();
        if (name[0] == '.')
            ++leftovers;
        else
            after[name] = testkit::readFile(entry.path());
    }
    EXPECT_TRUE(after == before) << "a page or picture changed";
    EXPECT_GT(leftovers, 0u) << "the killed command had prepared its pages beside the old ones";

    ASSERT_EQ(testkit::runProgram({VELMORA_BUILD_PROGRAM, "--state", "plain.json", "--out", "site"}, work_.path())
                  .exitCode,
              0);
    for (const auto& entry : fs::directory_iterator(work_.path() / "site"))
        EXPECT_NE(entry.path().filename().string()[0], '.') << "left over: " << entry.path();
}

TEST_F(ConnectTo, AMalformedEntryIsAUsageErrorBeforeAnythingIsWritten)
{
    for (const std::string bad : {"www.acme.test:80:127.0.0.1", "www.acme.test:http:127.0.0.1:8080",
                                  "www.acme.test:80:127.0.0.1:0", "www.acme.test:80:127.0.0.1:70000",
                                  "a:80:b:81:c", "www.acme.test:80:127.0.0.1:80 ", ""}) {
        const auto result = build({"ok.example.test:80:127.0.0.1:8080", bad});
        EXPECT_EQ(result.exitCode, 2) << bad;
        EXPECT_THAT(result.err, HasSubstr("--connect-to " + bad + ":")) << bad;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_FALSE(fs::exists(work_.path() / "site")) << bad;
        EXPECT_FALSE(fs::exists(work_.path() / "test.txt")) << bad;
    }
}

} // namespace
} // namespace velmora
