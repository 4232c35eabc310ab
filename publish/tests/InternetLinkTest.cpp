#include "publish/InternetLink.h"
#include "publish/tests/NetTestKit.h"
#include "testsupport/ScopedNetSettings.h"

#include <curl/curl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

namespace velmora {
namespace {

using namespace std::chrono_literals;
using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::Not;
using testkit::Answer;
using testkit::HttpTestServer;
using testkit::httpReply;

constexpr const char* kSite = "www.example.test";

// Every test starts from the default settings and leaves them as it found them.
class NetTest : public testing::Test {
protected:
    void SetUp() override { net::settings() = net::Settings{}; }

private:
    test::ScopedNetSettings restored_;
};

// Runs `body` and returns the code of the CInternetException it throws; fails without one.
template <typename Body>
int internetErrorOf(Body body)
{
    try {
        body();
    } catch (const CInternetException& e) {
        EXPECT_EQ(e.description(), curl_easy_strerror(static_cast<CURLcode>(e.code())));
        EXPECT_STREQ(e.what(), e.description().c_str());
        return e.code();
    }
    ADD_FAILURE() << "no CInternetException";
    return 0;
}

std::string readAllOneByteAtATime(HttpRequest& request)
{
    std::string body;
    char byte = 0;
    while (request.ReadReply(&byte, 1) == 1)
        body += byte;
    return body;
}

// Every byte value, CR LF and bare LF: what a binary transfer must carry unchanged.
std::string binarySample()
{
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes + "line\r\nline\nend\r";
}

// ---- HTTP --------------------------------------------------------------------------------

TEST_F(NetTest, GetSendsHttp10WithTheAgentAndNoAcceptRefererOrExpect)
{
    HttpTestServer server([](const auto&) { return Answer::reply(httpReply(200, "OK", "hello")); });
    net::settings().addConnectTo(server.connectTo(kSite));

    InternetLink link;
    link.OpenSession("HTTPGET");
    HttpConnection connection = link.ConnectHttp(kSite);
    HttpRequest request = connection.OpenRequest("", "/faq.html");
    EXPECT_EQ(request.QueryStatusCode(), "");
    request.SendRequest();
    EXPECT_EQ(request.QueryStatusCode(), "200");
    EXPECT_EQ(readAllOneByteAtATime(request), "hello");
    request.CloseRequest();
    connection.CloseConnection();

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const auto& seen = requests[0];
    EXPECT_EQ(seen.requestLine, "GET /faq.html HTTP/1.0");
    EXPECT_EQ(seen.header("Host"), "www.example.test");
    EXPECT_EQ(seen.header("User-Agent"), "HTTPGET");
    EXPECT_EQ(seen.header("Accept"), std::nullopt);
    EXPECT_EQ(seen.header("Referer"), std::nullopt);
    EXPECT_EQ(seen.header("Expect"), std::nullopt);
    EXPECT_EQ(seen.header("Content-Type"), std::nullopt);
    EXPECT_EQ(seen.body, "");
}

TEST_F(NetTest, VerbAndObjectGoIntoTheRequestLineUnchanged)
{
    struct Case {
        const char* verb;
        const char* object;
        const char* requestLine;
    };
    const Case cases[] = {
        {"", "faq.html", "GET faq.html HTTP/1.0"},
        {"GET", "cgi-bin/spider_now.pl", "GET cgi-bin/spider_now.pl HTTP/1.0"},
        {"POST", "/a/./b/../c//d?x=%41&y=a/../b", "POST /a/./b/../c//d?x=%41&y=a/../b HTTP/1.0"},
        {"GET", "/page#part", "GET /page#part HTTP/1.0"},
        {"GET", "/back\\slash", "GET /back\\slash HTTP/1.0"},
        {"", "", "GET / HTTP/1.0"},
    };
    HttpTestServer server([](const auto&) { return Answer::reply(httpReply(200, "OK", "")); });
    net::settings().addConnectTo(server.connectTo(kSite));
    InternetLink link;
    link.OpenSession("HTTPGET");
    for (const Case& c : cases) {
        HttpConnection connection = link.ConnectHttp(kSite);
        HttpRequest request = connection.OpenRequest(c.verb, c.object);
        request.SendRequest();
        ASSERT_FALSE(server.requests().empty());
        EXPECT_EQ(server.requests().back().requestLine, c.requestLine) << "object " << c.object;
    }
    EXPECT_EQ(server.requests().size(), std::size(cases));
}

TEST_F(NetTest, FormPostsCarryTheirHeaderAndBodyAsGiven)
{
    // A body over 1 MiB is where libcurl would otherwise wait for "100 Continue".
    const std::string bigBody = "title=big&text=" + std::string(2 * 1024 * 1024, 'x');
    struct Case {
        const char* verb;
        std::string body;
        const char* requestLine;
    };
    const Case cases[] = {
        {"POST", "title=My+Shop&email=a b@c.test&url=http://x.test/?a=1&b=%&c=\xE9", "POST /cgi-bin/awardsub.cgi HTTP/1.0"},
        {"GET", "ad=1&q=http://", "GET /cgi-bin/awardsub.cgi HTTP/1.0"},
        {"POST", bigBody, "POST /cgi-bin/awardsub.cgi HTTP/1.0"},
    };
    HttpTestServer server([](const auto&) { return Answer::reply(httpReply(201, "Created", "thanks")); });
    net::settings().addConnectTo(server.connectTo(kSite));
    InternetLink link;
    link.OpenSession();
    for (const Case& c : cases) {
        HttpConnection connection = link.ConnectHttp(kSite);
        HttpRequest request = connection.OpenRequest(c.verb, "/cgi-bin/awardsub.cgi");
        request.SendRequest("Content-Type: application/x-www-form-urlencoded", c.body);
        EXPECT_EQ(request.QueryStatusCode(), "201");

        const auto seen = server.requests().back();
        EXPECT_EQ(seen.requestLine, c.requestLine);
        EXPECT_EQ(seen.header("Content-Type"), "application/x-www-form-urlencoded");
        EXPECT_EQ(seen.header("Content-Length"), std::to_string(c.body.size()));
        EXPECT_EQ(seen.header("Expect"), std::nullopt);
        EXPECT_EQ(seen.header("Accept"), std::nullopt);
        // Without an agent name the session goes by the program's own name.
        EXPECT_EQ(seen.header("User-Agent"), std::string(program_invocation_short_name));
        EXPECT_TRUE(seen.body == c.body) << "body of " << c.body.size() << " bytes differs";
    }
}

TEST_F(NetTest, SeveralHeaderLinesAreAllSent)
{
    HttpTestServer server([](const auto&) { return Answer::reply(httpReply(204, "No Content", "")); });
    net::settings().addConnectTo(server.connectTo(kSite));
    InternetLink link;
    link.OpenSession("FTPPUT");
    HttpConnection connection = link.ConnectHttp(kSite);
    HttpRequest request = connection.OpenRequest("POST", "/x");
    request.SendRequest("X-One: 1\r\nX-Two: 2\nContent-Type: text/plain\r\n", "b=1");
    EXPECT_EQ(request.QueryStatusCode(), "204");
    const auto seen = server.requests().back();
    EXPECT_EQ(seen.header("X-One"), "1");
    EXPECT_EQ(seen.header("X-Two"), "2");
    EXPECT_EQ(seen.header("Content-Type"), "text/plain");
}

TEST_F(NetTest, ReplyBodiesArriveByteForByteWithTheirStatus)
{
    struct Case {
        int status;
        std::string body;
        bool withLength;
    };
    const Case cases[] = {
        {200, binarySample(), true},
        {200, binarySample(), false},  // an HTTP/1.0 body that ends where the server closes
        {404, "<html><body>Not Found</body></html>", true},
        {500, "", true},
        {200, std::string(300000, 'z'), false},
    };
    for (const Case& c : cases) {
        HttpTestServer server([&](const auto&) {
            return Answer::reply(httpReply(c.status, "Whatever", c.body, c.withLength));
        });
        net::settings().clearConnectTo();
        net::settings().addConnectTo(server.connectTo(kSite));
        InternetLink link;
        link.OpenSession("HTTPGET");
        HttpConnection connection = link.ConnectHttp(kSite);
        HttpRequest request = connection.OpenRequest("GET", "/faq.html");
        request.SendRequest();
        EXPECT_EQ(request.QueryStatusCode(), std::to_string(c.status));
        std::string body;
        char buffer[1000];
        while (const std::size_t n = request.ReadReply(buffer, sizeof buffer))
            body.append(buffer, n);
        EXPECT_TRUE(body == c.body) << "status " << c.status << ", " << c.body.size() << " bytes";
        EXPECT_EQ(request.ReadReply(buffer, sizeof buffer), 0u);
    }
}

TEST_F(NetTest, ARequestCanBeSentAgain)
{
    int count = 0;
    HttpTestServer server([&](const auto&) { return Answer::reply(httpReply(200, "OK", std::to_string(++count))); });
    net::settings().addConnectTo(server.connectTo(kSite));
    InternetLink link;
    link.OpenSession("HTTPGET");
    HttpConnection connection = link.ConnectHttp(kSite);
    HttpRequest request = connection.OpenRequest("", "/n");
    request.SendRequest();
    EXPECT_EQ(readAllOneByteAtATime(request), "1");
    request.SendRequest();
    EXPECT_EQ(readAllOneByteAtATime(request), "2");
    HttpRequest other = connection.OpenRequest("", "/n");
    other.SendRequest();
    EXPECT_EQ(readAllOneByteAtATime(other), "3");
}

TEST_F(NetTest, UnreachableServersFailInSendRequestWithCurlsCode)
{
    testkit::RefusingPort refusing;
    HttpTestServer silent([](const auto&) { return Answer::silence(); });
    struct Case {
        const char* name;
        std::string host;
        std::string connectTo;
        int code;
    };
    const Case cases[] = {
        {"refused port", kSite, std::string(kSite) + ":80:127.0.0.1:" + std::to_string(refusing.port()),
         CURLE_COULDNT_CONNECT},
        {"unresolvable host", "no-such-host.invalid", "", CURLE_COULDNT_RESOLVE_HOST},
        {"server that never answers", kSite, silent.connectTo(kSite), CURLE_OPERATION_TIMEDOUT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        net::settings().clearConnectTo();
        if (!c.connectTo.empty())
            net::settings().addConnectTo(c.connectTo);
        net::settings().connectTimeout = 2s;
        net::settings().requestTimeout = 300ms;
        InternetLink link;
        link.OpenSession("HTTPGET");
        HttpConnection connection = link.ConnectHttp(c.host);
        HttpRequest request = connection.OpenRequest("", "/faq.html");
        EXPECT_EQ(internetErrorOf([&] { request.SendRequest(); }), c.code);
        EXPECT_EQ(request.QueryStatusCode(), "");
    }
    EXPECT_EQ(silent.requests().size(), 1u);
}

TEST_F(NetTest, AReplyLongerThanTheLimitFailsCleanly)
{
    for (const bool withLength : {true, false}) {
        SCOPED_TRACE(withLength ? "announced length" : "body until close");
        HttpTestServer server([&](const auto&) {
            return Answer::reply(httpReply(200, "OK", std::string(70000, 'a'), withLength));
        });
        net::settings().clearConnectTo();
        net::settings().addConnectTo(server.connectTo(kSite));
        net::settings().maxReplyBytes = 65536;
        InternetLink link;
        link.OpenSession("HTTPGET");
        HttpConnection connection = link.ConnectHttp(kSite);
        HttpRequest request = connection.OpenRequest("", "/big");
        EXPECT_EQ(internetErrorOf([&] { request.SendRequest(); }), CURLE_FILESIZE_EXCEEDED);
        EXPECT_EQ(internetErrorOf([&] {
                      char byte;
                      request.ReadReply(&byte, 1);
                  }),
                  CURLE_BAD_FUNCTION_ARGUMENT);

        net::settings().maxReplyBytes = 70000;
        request.SendRequest();
        EXPECT_EQ(readAllOneByteAtATime(request).size(), 70000u);
    }
}

TEST_F(NetTest, InputThatCannotGoOnTheWireIsRefusedBeforeAnythingIsSent)
{
    HttpTestServer server([](const auto&) { return Answer::reply(httpReply(200, "OK", "")); });
    net::settings().addConnectTo(server.connectTo(kSite));
    InternetLink link;
    EXPECT_EQ(internetErrorOf([&] { link.ConnectHttp(kSite); }), CURLE_BAD_FUNCTION_ARGUMENT) << "no session";
    link.OpenSession("HTTPGET");
    for (const char* host : {"", "http://www.example.test", "www.example.test/faq.html", "user@www.example.test",
                             "www.example.test:8080", "www example.test", "[::1"}) {
        EXPECT_EQ(internetErrorOf([&] { link.ConnectHttp(host); }), CURLE_URL_MALFORMAT) << "host " << host;
    }
    HttpConnection connection = link.ConnectHttp(kSite);
    for (const auto& [verb, object] : std::initializer_list<std::pair<const char*, const char*>>{
             {"GET", "/a b"}, {"GET", "/a\r\nX-Evil: 1"}, {"GE T", "/"}, {"GET\r\n", "/"}, {"GET", "/tab\there"}}) {
        EXPECT_EQ(internetErrorOf([&] { connection.OpenRequest(verb, object); }), CURLE_URL_MALFORMAT)
            << "verb " << verb << " object " << object;
    }
    HttpRequest request = connection.OpenRequest("POST", "/x");
    EXPECT_EQ(internetErrorOf([&] { request.SendRequest("X-A: 1\rX-Evil: 2", ""); }), CURLE_BAD_FUNCTION_ARGUMENT);
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(NetTest, ClosedRequestsConnectionsAndSessionsCannotBeUsed)
{
    HttpTestServer server([](const auto&) { return Answer::reply(httpReply(200, "OK", "x")); });
    net::settings().addConnectTo(server.connectTo(kSite));
    InternetLink link;
    link.OpenSession("HTTPGET");

    HttpConnection connection = link.ConnectHttp(kSite);
    HttpRequest unsent = connection.OpenRequest("", "/");
    char byte;
    EXPECT_EQ(internetErrorOf([&] { unsent.ReadReply(&byte, 1); }), CURLE_BAD_FUNCTION_ARGUMENT);

    HttpRequest closed = connection.OpenRequest("", "/");
    closed.SendRequest();
    closed.CloseRequest();
    closed.CloseRequest();
    EXPECT_EQ(closed.QueryStatusCode(), "");
    EXPECT_EQ(internetErrorOf([&] { closed.ReadReply(&byte, 1); }), CURLE_BAD_FUNCTION_ARGUMENT);

    HttpRequest orphan = connection.OpenRequest("", "/");
    connection.CloseConnection();
    connection.CloseConnection();
    EXPECT_EQ(internetErrorOf([&] { orphan.SendRequest(); }), CURLE_BAD_FUNCTION_ARGUMENT);
    EXPECT_EQ(internetErrorOf([&] { connection.OpenRequest("", "/"); }), CURLE_BAD_FUNCTION_ARGUMENT);

    HttpConnection second = link.ConnectHttp(kSite);
    HttpRequest pending = second.OpenRequest("", "/");
    link.CloseSession();
    EXPECT_EQ(internetErrorOf([&] { pending.SendRequest(); }), CURLE_BAD_FUNCTION_ARGUMENT);
    EXPECT_EQ(internetErrorOf([&] { link.ConnectHttp(kSite); }), CURLE_BAD_FUNCTION_ARGUMENT);
    EXPECT_EQ(server.requests().size(), 1u);
}

// Restores one environment variable when it goes.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(NetTest, TheProxyFromTheEnvironmentIsUsed)
{
    HttpTestServer proxy([](const auto&) { return Answer::reply(httpReply(200, "OK", "via proxy")); });
    const ScopedEnv noProxy("no_proxy", nullptr);
    const ScopedEnv noProxyUpper("NO_PROXY", nullptr);
    const ScopedEnv httpProxy("http_proxy", ("http://127.0.0.1:" + std::to_string(proxy.port())).c_str());

    InternetLink link;
    link.OpenSession("HTTPGET");
    HttpConnection connection = link.ConnectHttp("www.site.test");
    HttpRequest request = connection.OpenRequest("", "/faq.html");
    request.SendRequest();
    EXPECT_EQ(readAllOneByteAtATime(request), "via proxy");
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0].requestLine, "GET http://www.site.test/faq.html HTTP/1.0");
}

// ---- settings ----------------------------------------------------------------------------

TEST(ConnectToTable, AcceptsOnlyFourPartsWithNumericPorts)
{
    for (const char* good : {"www.example.test:80:127.0.0.1:8080", ":80:127.0.0.1:1", "h:21::2121",
                             "[::1]:80:[fe80::1]:65535", "a-b.c_d:443:x:443"}) {
        EXPECT_TRUE(net::isValidConnectTo(good)) << good;
    }
    for (const char* bad : {"", "www.example.test:80:127.0.0.1", "a:80:b:80:c", "a:http:b:80", "a:80:b:",
                            "a::b:80", "::127.0.0.1:1", "a:0:b:80", "a:80:b:65536", "a:80:b:-1", "a:80:b:8 0", "a b:80:c:80",
                            "a:80:b/c:80", "[::1:80:b:80", "a:80:b:123456"}) {
        EXPECT_FALSE(net::isValidConnectTo(bad)) << bad;
    }
    net::Settings settings;
    EXPECT_THROW(settings.addConnectTo("a:80:b"), std::invalid_argument);
    settings.addConnectTo("a:80:b:81");
    settings.addConnectTo("c:80:d:82");
    EXPECT_THAT(settings.connectTo(), ElementsAre("a:80:b:81", "c:80:d:82"));
    settings.clearConnectTo();
    EXPECT_TRUE(settings.connectTo().empty());
}

TEST(ConnectToTable, DefaultsAreTheProgramsOwnLimits)
{
    const net::Settings defaults;
    EXPECT_EQ(defaults.connectTimeout, 15s);
    EXPECT_EQ(defaults.requestTimeout, 60s);
    EXPECT_EQ(defaults.stallTimeout, 60s);
    EXPECT_EQ(defaults.maxReplyBytes, 16u * 1024 * 1024);
    EXPECT_TRUE(defaults.connectTo().empty());
}

// ---- FTP ---------------------------------------------------------------------------------

constexpr const char* kFtpHost = "ftp.example.test";

std::vector<std::string> commandsStartingWith(const std::vector<std::string>& log, std::string_view prefix)
{
    std::vector<std::string> lines;
    for (const std::string& line : log) {
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line);
    }
    return lines;
}

class FtpTest : public NetTest {
protected:
    void SetUp() override
    {
        NetTest::SetUp();
        net::settings().addConnectTo(server_.connectTo(kFtpHost));
        net::settings().connectTimeout = 5s;
        net::settings().stallTimeout = 5s;
        std::filesystem::create_directory(server_.root() / "site");
    }

    std::filesystem::path localFile(const std::string& name, std::string_view content)
    {
        const auto path = local_.path() / name;
        testkit::writeFile(path, content);
        return path;
    }

    testkit::FtpTestServer server_{"bob", "s3cret:@/"};
    testkit::TempDir local_;
};

TEST_F(FtpTest, OneLoginCarriesEveryFileInActiveBinaryMode)
{
    struct Case {
        const char* remote;
        std::filesystem::path arrives;
        std::string content;
    };
    const Case cases[] = {
        {"/site/index.html", "site/index.html", "<html>\r\n</html>\r\n"},
        {"/site/mainpic", "site/mainpic", binarySample()},
        {"/site//about.html", "site/about.html", "about\n"},  // a folder typed with a trailing "/"
        {"site/relative.gif", "site/relative.gif", std::string(200000, '\x1A')},
        {"/site/name with blank%.html", "site/name with blank%.html", "odd name"},
        {"/site/index.html", "site/index.html", "second version"},  // overwritten
    };
    InternetLink link;
    link.OpenSession("FTPPUT");
    FtpConnection ftp = link.ConnectFtp(kFtpHost, "bob", "s3cret:@/");
    for (const Case& c : cases) {
        EXPECT_TRUE(ftp.PutFile(localFile("upload", c.content), c.remote)) << c.remote;
        EXPECT_TRUE(testkit::readFile(server_.root() / c.arrives) == c.content) << c.remote;
    }
    ftp.CloseConnection();

    const auto log = server_.log();
    EXPECT_EQ(commandsStartingWith(log, "CMD USER").size(), 1u);
    EXPECT_THAT(log, Not(Contains(HasSubstr("PASV"))));
    EXPECT_THAT(log, Not(Contains(HasSubstr("EPSV"))));
    EXPECT_THAT(log, Contains(HasSubstr("CMD TYPE I")));
    EXPECT_THAT(log, Not(Contains(HasSubstr("CMD TYPE A"))));
    EXPECT_EQ(commandsStartingWith(log, "CMD EPRT").size() + commandsStartingWith(log, "CMD PORT").size(),
              std::size(cases));
    EXPECT_THAT(commandsStartingWith(log, "CMD STOR"),
                ElementsAre("CMD STOR /site/index.html", "CMD STOR /site/mainpic", "CMD STOR /site//about.html",
                            "CMD STOR site/relative.gif", "CMD STOR /site/name with blank%.html",
                            "CMD STOR /site/index.html"));
}

TEST_F(FtpTest, AFileThatCannotBeSentFailsAloneSaysWhyAndTheConnectionGoesOn)
{
    using Outcome = PutResult::Outcome;
    const auto page = localFile("page.html", "page");
    struct Case {
        const char* name;
        std::filesystem::path local;
        const char* remote;
        Outcome outcome;
        const char* reason;
    };
    const Case failures[] = {
        {"missing remote folder", page, "/shop/saleslip.html", Outcome::Refused,
         "the server answered \"550 No such file or directory.\""},
        {"missing local file", local_.path() / "mainpic", "/site/mainpic", Outcome::NoLocalFile,
         "there is no such file"},
        {"local folder", local_.path(), "/site/folder", Outcome::NoLocalFile, "it is not a file"},
        {"remote folder name", page, "/site/", Outcome::BadRemoteName, "the remote name names no file"},
        {"empty remote name", page, "", Outcome::BadRemoteName, "the remote name names no file"},
        {"second command smuggled in", page, "/site/x.html\r\nDELE /site/keep.html", Outcome::BadRemoteName,
         "the remote name holds a line break"},
    };
    testkit::writeFile(server_.root() / "site" / "keep.html", "keep");

    InternetLink link;
    link.OpenSession("FTPPUT");
    FtpConnection ftp = link.ConnectFtp(kFtpHost, "bob", "s3cret:@/");
    for (const Case& c : failures) {
        const PutResult result = ftp.PutFile(c.local, c.remote);
        EXPECT_FALSE(result) << c.name;
        EXPECT_EQ(result.outcome, c.outcome) << c.name;
        EXPECT_EQ(result.reason, c.reason) << c.name;
        EXPECT_TRUE(ftp.PutFile(page, "/site/after.html")) << "after " << c.name;
    }
    EXPECT_FALSE(std::filesystem::exists(server_.root() / "shop"));
    EXPECT_EQ(testkit::readFile(server_.root() / "site" / "keep.html"), "keep");

    const auto log = server_.log();
    EXPECT_EQ(commandsStartingWith(log, "CMD USER").size(), 1u);
    EXPECT_THAT(log, Not(Contains(HasSubstr("MKD"))));
    EXPECT_THAT(log, Not(Contains(HasSubstr("DELE"))));
    EXPECT_THAT(commandsStartingWith(log, "CMD STOR"), Contains("CMD STOR /shop/saleslip.html"));
}

TEST_F(FtpTest, ConnectFtpFailsForABadLoginOrServer)
{
    testkit::RefusingPort refusing;
    HttpTestServer silent([](const auto&) { return Answer::silence(); });
    net::settings().addConnectTo("refused.example.test:21:127.0.0.1:" + std::to_string(refusing.port()));
    net::settings().addConnectTo(silent.connectTo("silent.example.test", 21));
    net::settings().connectTimeout = 500ms;

    struct Case {
        const char* name;
        const char* server;
        const char* user;
        const char* password;
        int code;
    };
    const Case cases[] = {
        {"wrong password", kFtpHost, "bob", "wrong", CURLE_LOGIN_DENIED},
        {"unknown user", kFtpHost, "eve", "s3cret:@/", CURLE_LOGIN_DENIED},
        {"anonymous, not allowed here", kFtpHost, "", "", CURLE_LOGIN_DENIED},
        {"refused", "refused.example.test", "bob", "x", CURLE_COULDNT_CONNECT},
        {"no greeting", "silent.example.test", "bob", "x", CURLE_OPERATION_TIMEDOUT},
        {"unresolvable", "no-such-host.invalid", "bob", "x", CURLE_COULDNT_RESOLVE_HOST},
        {"empty server", "", "bob", "x", CURLE_URL_MALFORMAT},
        {"server with a path", "ftp.example.test/pub", "bob", "x", CURLE_URL_MALFORMAT},
    };
    InternetLink link;
    link.OpenSession("FTPPUT");
    for (const Case& c : cases)
        EXPECT_EQ(internetErrorOf([&] { link.ConnectFtp(c.server, c.user, c.password); }), c.code) << c.name;
    EXPECT_THAT(server_.log(), Not(Contains(HasSubstr("STOR"))));
}

TEST_F(FtpTest, EndingTheSessionClosesItsConnections)
{
    const auto page = localFile("page.html", "page");
    InternetLink link;
    link.OpenSession("FTPPUT");
    FtpConnection ftp = link.ConnectFtp(kFtpHost, "bob", "s3cret:@/");
    EXPECT_TRUE(ftp.PutFile(page, "/site/one.html"));
    link.CloseSession();
    EXPECT_EQ(ftp.PutFile(page, "/site/two.html").outcome, PutResult::Outcome::NotConnected);
    EXPECT_FALSE(std::filesystem::exists(server_.root() / "site" / "two.html"));
    EXPECT_THAT(server_.log(), Contains("CMD QUIT"));
}

} // namespace
} // namespace velmora
