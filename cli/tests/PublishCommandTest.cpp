// velmora-build --upload and --promote end to end, against local FTP and web servers.
#include "publish/tests/NetTestKit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

#include <cstdlib>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::StartsWith;
using testkit::Answer;
using testkit::HttpTestServer;
using testkit::httpReply;

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        result.push_back(text.substr(start, end - start));
    return result;
}

// The password travels in the environment, as a script would hand it over.
class ScopedPassword {
public:
    explicit ScopedPassword(const char* password) { ::setenv("VELMORA_FTP_PASSWORD", password, 1); }
    ~ScopedPassword() { ::unsetenv("VELMORA_FTP_PASSWORD"); }
};

class PublishCommand : public testing::Test {
protected:
    testkit::RunResult build(std::vector<std::string> args)
    {
        args.insert(args.begin(), VELMORA_BUILD_PROGRAM);
        return testkit::runProgram(args, work_.path());
    }
    std::string example() const { return std::string(VELMORA_SOURCE_DIR) + "/examples/harbor-lane/state.json"; }

    testkit::TempDir work_;
};

class UploadCommand : public PublishCommand {
protected:
    void SetUp() override { fs::create_directories(ftp_.root() / "www" / "shop"); }
    std::vector<std::string> uploadArgs(std::vector<std::string> more)
    {
        std::vector<std::string> args = {"--upload", "ftp.example.test", "--user", "bob", "--dir", "/www",
                                         "--connect-to", ftp_.connectTo("ftp.example.test")};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
    std::vector<std::string> stores() const
    {
        std::vector<std::string> result;
        for (const std::string& line : ftp_.log()) {
            if (line.rfind("CMD STOR ", 0) == 0)
                result.push_back(line.substr(9));
        }
        return result;
    }

    testkit::FtpTestServer ftp_{"bob", "s3cret"};
};

TEST_F(UploadCommand, TheExampleSiteIsWrittenThenSentWithALinePerFile)
{
    const ScopedPassword password("s3cret");
    const auto r = build(uploadArgs({"--state", example(), "--out", "site", "--hosting-client"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 16u) << r.out;
    EXPECT_EQ(out.front(), "sent index.html to /www/index.html");
    EXPECT_EQ(out[14], "sent saleslip.html to /www/shop/saleslip.html");
    EXPECT_EQ(out.back(), "Upload Successful");
    for (const char* name : {"index.html", "order.html", "about.gif", "mainpic", "ordernow.gif"})
        EXPECT_EQ(testkit::readFile(ftp_.root() / "www" / name), testkit::readFile(work_.path() / "site" / name))
            << name;
    EXPECT_EQ(stores().size(), 15u);
}

TEST_F(UploadCommand, WithoutOutTheSiteIsNotWrittenAndFromNamesTheFolder)
{
    const ScopedPassword password("s3cret");
    fs::create_directory(work_.path() / "ready");
    testkit::writeFile(work_.path() / "ready" / "index.html", "ready-made");
    const auto r = build(uploadArgs({"--from", "ready"}));
    EXPECT_EQ(r.exitCode, 1);
    const auto out = lines(r.out);
    EXPECT_THAT(out, Contains("sent index.html to /www/index.html"));
    EXPECT_THAT(out, Contains("skipped mainpic: not in the output folder, not part of this site"));
    EXPECT_THAT(out, Contains("failed freq.html to /www/freq.html: it is not in the output folder"));
    EXPECT_THAT(r.err, StartsWith("velmora-build: Upload Failed!  These files were not sent:\n"));
    EXPECT_EQ(testkit::readFile(ftp_.root() / "www" / "index.html"), "ready-made");
    EXPECT_THAT(stores(), ElementsAre("/www/index.html"));
    EXPECT_FALSE(fs::exists(work_.path() / "site"));
}

TEST_F(UploadCommand, AWrongPasswordSendsNothingAndNoPasswordIsAUsageError)
{
    {
        const ScopedPassword password("wrong");
        const auto r = build(uploadArgs({}));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "velmora-build: Internet Congestion! The site could not be contacted.  Please try again.\n");
        EXPECT_EQ(r.out, "");
    }
    const auto r = build(uploadArgs({"--state", example(), "--out", "site"}));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "velmora-build: --upload needs the FTP password in VELMORA_FTP_PASSWORD (or a terminal to "
                     "ask it on)\n");
    EXPECT_FALSE(fs::exists(work_.path() / "site")) << "nothing is written before the input is known good";
    {
        const ScopedPassword password("\xE2\x82\xAC\xC4\x80");  // a euro sign, then a letter the code page lacks
        const auto r = build(uploadArgs({}));
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err, "velmora-build: --upload: the password holds a character the code page (Windows-1252) "
                         "cannot hold\n");
    }
    EXPECT_THAT(stores(), IsEmpty());
}

TEST_F(UploadCommand, OnATerminalThePasswordIsAskedForWithoutEcho)
{
    fs::create_directory(work_.path() / "ready");
    testkit::writeFile(work_.path() / "ready" / "index.html", "ready-made");
    const std::string connectTo = ftp_.connectTo("ftp.example.test");
    const std::string from = (work_.path() / "ready").string();
    int terminal = -1;
    const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::execl(VELMORA_BUILD_PROGRAM, VELMORA_BUILD_PROGRAM, "--upload", "ftp.example.test", "--user", "bob", "--dir",
                "/www", "--from", from.c_str(), "--connect-to", connectTo.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Everything the terminal shows until the program ends (at most 20 s).
    std::string shown;
    bool answered = false;
    bool echoWhileAsking = true;
    for (int round = 0; round < 200; ++round) {
        pollfd ready{terminal, POLLIN, 0};
        if (::poll(&ready, 1, 100) > 0) {
            char buffer[512];
            const ssize_t n = ::read(terminal, buffer, sizeof buffer);
            if (n <= 0)
                break;
            shown.append(buffer, static_cast<std::size_t>(n));
        }
        if (!answered && shown.find("FTP password for bob@ftp.example.test: ") != std::string::npos) {
            termios settings{};
            ::tcgetattr(terminal, &settings);
            echoWhileAsking = (settings.c_lflag & ECHO) != 0;
            const std::string typed = "s3cret\n";
            ASSERT_EQ(::write(terminal, typed.data(), typed.size()), static_cast<ssize_t>(typed.size()));
            answered = true;
        }
    }
    // A program still waiting is a failure, not a hang.
    int status = 0;
    pid_t ended = 0;
    for (int wait = 0; wait < 100 && ended == 0; ++wait) {
        ended = ::waitpid(child, &status, WNOHANG);
        if (ended == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (ended == 0) {
        ADD_FAILURE() << "the program did not end; the terminal showed: " << shown;
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    termios after{};
    const bool echoAfter = ::tcgetattr(terminal, &after) == 0 && (after.c_lflag & ECHO) != 0;
    ::close(terminal);

    EXPECT_TRUE(answered) << shown;
    EXPECT_FALSE(echoWhileAsking);
    EXPECT_TRUE(echoAfter);
    EXPECT_EQ(shown.find("s3cret"), std::string::npos) << shown;
    EXPECT_THAT(shown, HasSubstr("sent index.html to /www/index.html"));
    EXPECT_EQ(testkit::readFile(ftp_.root() / "www" / "index.html"), "ready-made");
}

TEST_F(PublishCommand, UploadOptionsGoTogether)
{
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--upload", "h", "--user", "u"}, "velmora-build: --upload needs --user and --dir\n"},
        {{"--dir", "/www"}, "velmora-build: --user, --dir, --hosting-client and --from go with --upload\n"},
        {{"--hosting-client"}, "velmora-build: --user, --dir, --hosting-client and --from go with --upload\n"},
        {{"--promote-form", "f.json"}, "velmora-build: --promote-form goes with --promote\n"},
    };
    for (const auto& [args, message] : cases) {
        const auto r = build(args);
        EXPECT_EQ(r.exitCode, 2) << message;
        EXPECT_EQ(r.err, message);
    }
}

class PromoteCommand : public PublishCommand {
protected:
    std::string everyHostHere() const { return ":80:127.0.0.1:" + std::to_string(web_.port()); }

    HttpTestServer web_{[](const testkit::RecordedRequest& request) {
        const bool altaVista = request.requestLine.find("/cgi-bin/newurl") != std::string::npos;
        return Answer::reply(httpReply(altaVista ? 202 : 200, "Chosen", ""));
    }};
};

TEST_F(PromoteCommand, OneRunWithTheDialogsTextsPrintsEachTargetAndLeavesTheReportUnopened)
{
    const auto r = build({"--promote", "--connect-to", everyHostHere()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(web_.requests().size(), 17u);
    EXPECT_THAT(lines(r.out),
                ElementsAre("Award Sites: Attempt successful. (status 200)",
                            "Internet Marketing Course: Attempt successful. (status 200)",
                            "AltaVista: Attempt Failed.  Please try again! (status 202)",
                            "Free For All Link Pages: Attempt successful. (status 200)",
                            "Magellan: Attempt successful. (status 200)", "SearchHound: Attempt successful. (status 200)",
                            "Lycos: Attempt Successful. (status 200)", "Webcrawler: Attempt successful. (status 200)",
                            "Excite: Attempt successful. (status 200)", "Newsletter: Attempt successful. (status 200)",
                            "The report is in result.html."));
    EXPECT_THAT(testkit::readFile(work_.path() / "result.html"), HasSubstr("<tr><td width=50%>AltaVista</td>"));
    EXPECT_FALSE(fs::exists(fs::path(VELMORA_BINARY_DIR) / "result.html"));
    EXPECT_FALSE(fs::exists(work_.path() / "site")) << "--promote alone writes no site";
}

TEST_F(PromoteCommand, AFormFileGivesTheTextsAndOutWritesTheSiteFirst)
{
    testkit::writeFile(work_.path() / "form.json",
                       R"({"formUrl": "http://acme.test/?a=1", "formTitle": "Caf\u00e9 Soap", "formKeyword1": ""})");
    const auto r = build({"--promote", "--promote-form", "form.json", "--connect-to", everyHostHere(), "--state",
                          example(), "--out", "site"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fs::exists(work_.path() / "site" / "index.html"));
    const auto requests = web_.requests();
    ASSERT_EQ(requests.size(), 17u);
    EXPECT_EQ(requests[6].body, "ad=1&q=http://acme.test/?a%3D1");
    EXPECT_THAT(requests[7].body, StartsWith("title=Caf%E9+Soap&email=http://www.promotion-partner.example/alexa.html&"));
}

TEST_F(PromoteCommand, AnInternetFailureEndsTheRunWithExitOneAndTheRowsSoFar)
{
    testkit::RefusingPort refusing;
    const auto r = build({"--promote", "--connect-to",
                          "www.searchhound.example:80:127.0.0.1:" + std::to_string(refusing.port()), "--connect-to",
                          everyHostHere()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "velmora-build: the promotion stopped: Couldn't connect to server (result.html keeps the rows "
                     "so far)\n");
    EXPECT_EQ(lines(r.out).size(), 5u);
    const std::string report = testkit::readFile(work_.path() / "result.html");
    EXPECT_THAT(report, HasSubstr("<tr><td width=50%>Magellan</td>"));
    EXPECT_THAT(report, testing::Not(HasSubstr("SearchHound")));
    EXPECT_THAT(report, testing::Not(HasSubstr("</html>")));
}

TEST_F(PromoteCommand, ABadFormFileIsAUsageErrorAndNothingIsSent)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"({"formName": "a", "formNickname": "b"})", "form.json: unknown key \"formNickname\""},
        {R"({"formEmail": 42})", "form.json: formEmail must be a string"},
        {R"({"formTitle": "\u20ac5 \u0100"})",
         "form.json: formTitle holds a character the code page (Windows-1252) cannot hold"},
        {R"(["formName"])", "form.json: the promotion form must be a JSON object"},
        {R"({"formName": )", "form.json: not JSON: "},
    };
    for (const auto& [content, message] : cases) {
        testkit::writeFile(work_.path() / "form.json", content);
        const auto r = build({"--promote", "--promote-form", "form.json", "--connect-to", everyHostHere()});
        EXPECT_EQ(r.exitCode, 2) << content;
        EXPECT_THAT(r.err, StartsWith(std::string("velmora-build: ") + message)) << content;
        EXPECT_EQ(lines(r.err).size(), 1u) << r.err;
    }
    const auto missing = build({"--promote", "--promote-form", "missing.json"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err,
              "velmora-build: cannot read the promotion form missing.json: No such file or directory\n");
    EXPECT_THAT(web_.requests(), IsEmpty());
    EXPECT_FALSE(fs::exists(work_.path() / "result.html"));
}

} // namespace
} // namespace velmora
