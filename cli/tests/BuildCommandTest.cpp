#include "cli/BuildCommand.h"
#include "model/StateJson.h"
#include "publish/InternetLink.h"
#include "testsupport/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <sys/wait.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = runBuildCommand(args, out, err);
    return {status, out.str(), err.str()};
}

class BuildCommand : public ::testing::Test {
protected:
    BuildCommand()
        : inWork_(work_.path())
    {
    }
    test::TempDir work_;
    test::CurrentDirectory inWork_;
};

TEST_F(BuildCommand, BadUsageExitsTwoWithAOneLineReason)
{
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--frobnicate"}, "velmora-build: unknown argument --frobnicate (see --help)"},
        {{"--state"}, "velmora-build: --state needs a value"},
        {{"--out"}, "velmora-build: --out needs a value"},
        {{"--state", "missing.json"}, "velmora-build: cannot read state file missing.json: No such file or directory"},
        {{"--state", "/dev/zero"}, "velmora-build: state file /dev/zero is larger than 64 MiB"},
        {{"--state", "."}, "velmora-build: state file . is a folder, not a file"},
    };
    for (const auto& [args, message] : cases) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << message;
        EXPECT_EQ(r.err, std::string(message) + "\n") << "one line, without the whole usage";
        EXPECT_EQ(r.out, "");
    }
    EXPECT_TRUE(fs::is_empty(work_.path()));
}

TEST_F(BuildCommand, OutputThatCannotBeWrittenIsAFailure)
{
    test::writeFile(work_ / "state.json", R"({"companyName": "Acme"})");
    for (const std::string args : {"--help", "--state state.json --print-state"}) {
        const std::string command = "cd '" + work_.path().string() + "' && '" + VELMORA_BUILD_PROGRAM + "' " + args +
                                    " > /dev/full 2> err.txt";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << args;
        EXPECT_EQ(WEXITSTATUS(status), 1) << args;
        EXPECT_EQ(test::readFile(work_ / "err.txt"), "velmora-build: cannot write the output: No space left on device\n")
            << args;
    }
}

TEST_F(BuildCommand, EachCallKeepsItsConnectToEntriesToItself)
{
    const net::Settings before = net::settings();
    test::writeFile(work_ / "state.json", R"({"companyName": "Acme"})");
    for (int call = 0; call < 3; ++call) {
        const Outcome r = run({"--connect-to", "www.acme.test:80:127.0.0.1:8080", "--state", "state.json",
                               "--print-state"});
        ASSERT_EQ(r.status, 0) << r.err;
    }
    EXPECT_EQ(net::settings().connectTo(), before.connectTo());
}

TEST_F(BuildCommand, ABadStateFileExitsTwoAndWritesNothing)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"({"colour": "red"})", "\"colour\": unknown key"},
        {R"({"hostingCustomer": 1})", "\"hostingCustomer\": must be true or false"},
        {R"({"features": ["1", "2", "3", "4", "5"]})", "\"features\": must be an array of 6 strings"},
        {R"({"productName": "\u4E2D"})", "\"productName\": character U+4E2D cannot be held in Windows-1252"},
        {"{\"price\": ", "not valid JSON"},
    };
    for (const auto& [json, message] : cases) {
        test::writeFile(work_ / "state.json", json);
        const Outcome r = run({"--state", "state.json", "--out", "site", "--print-state"});
        EXPECT_EQ(r.status, 2) << json;
        EXPECT_THAT(r.err, HasSubstr(std::string("velmora-build: state.json: ") + message));
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(fs::exists(work_ / "site"));
    }
}

TEST_F(BuildCommand, PrintsTheStateWithoutWritingASite)
{
    test::writeFile(work_ / "state.json", R"({"companyName": "Caf\u00e9", "navBarColor": "#5577AA"})");
    const Outcome r = run({"--state", "state.json", "--print-state"});
    EXPECT_EQ(r.status, 0) << r.err;
    SiteProfile printed;
    applyStateJson(printed, r.out);
    EXPECT_EQ(printed.companyName, "Caf\xE9");
    EXPECT_EQ(printed.navBarColor.text(), "0X00AA7755");
    EXPECT_THAT(r.out, HasSubstr("\"navBarColor\": \"0X00AA7755\""));
    EXPECT_TRUE(fs::exists(work_ / "state.json"));
    EXPECT_EQ(std::distance(fs::directory_iterator(work_.path()), fs::directory_iterator()), 1);
}

TEST_F(BuildCommand, WritesTheSiteIntoTheFolderItCreates)
{
    test::writeFile(work_ / "state.json", R"({"companyName": "Acme", "buttonSet": {"buttonChoice": "B"}})");
    const Outcome r = run({"--state", "state.json", "--out", "deep/site"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_THAT(test::readFile(work_ / "deep/site/index.html"), HasSubstr("<big>A</big>"));
}

TEST_F(BuildCommand, ListsTheFilesItCouldNotWriteAndExitsOne)
{
    fs::create_directories(work_ / "site" / "order.html");
    test::writeFile(work_ / "state.json", R"({"picturePath": "absent.jpg"})");
    const Outcome r = run({"--state", "state.json", "--out", "site"});
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("velmora-build: the site in site is incomplete:\n"));
    EXPECT_THAT(r.err, HasSubstr("  site/order.html: could not write the page: Is a directory\n"));
    EXPECT_THAT(r.err, HasSubstr("  site/mainpic: could not copy absent.jpg: No such file or directory\n"));
    EXPECT_THAT(test::readFile(work_ / "site/index.html"), ::testing::EndsWith("</html>\r\n"));
}

TEST_F(BuildCommand, SavesAndLoadsProfilesInTheFixedOrderOfActions)
{
    test::writeFile(work_ / "state.json", R"({"companyName": "Acme", "siteUrl": "www.acme.test",
                                             "navBarColor": "#5577AA", "hostingCustomer": true})");
    const Outcome saved = run({"--state", "state.json", "--save-profile", "acme.dat"});
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_FALSE(fs::exists(work_ / "index.html")) << "saving alone writes no site";

    // The profile is loaded over the state: its texts win, everything else stays.
    test::writeFile(work_ / "other.json", R"({"companyName": "Other", "navBarColor": "#112233"})");
    const Outcome loaded = run({"--state", "other.json", "--profile", "acme.dat", "--print-state"});
    EXPECT_EQ(loaded.status, 0) << loaded.err;
    SiteProfile printed;
    applyStateJson(printed, loaded.out);
    EXPECT_EQ(printed.companyName, "Acme");
    EXPECT_EQ(printed.siteUrl, "www.acme.test");
    EXPECT_EQ(printed.navBarColor.text(), "0X00332211");
    EXPECT_FALSE(printed.hostingCustomer);
}

TEST_F(BuildCommand, AProfileThatEndsEarlyFailsWithThePastEndMessage)
{
    test::writeFile(work_ / "short.dat", std::string("\x03" "abc" "\x02", 5));
    const Outcome r = run({"--profile", "short.dat", "--out", "site"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "velmora-build: An attempt was made to access an unnamed file past its end.\n");
    EXPECT_FALSE(fs::exists(work_ / "site"));

    const Outcome missing = run({"--profile", "absent.dat"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_THAT(missing.err, HasSubstr("absent.dat: No such file or directory"));
}

TEST_F(BuildCommand, HelpPrintsTheUsage)
{
    const Outcome r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_THAT(r.out, ::testing::StartsWith("usage: velmora-build [--state FILE.json]"));
    EXPECT_THAT(r.out, HasSubstr("test.txt in the\ncurrent directory, replacing a file of that name"));
}

// The installed program finds its pictures from its own location, whatever the current folder.
TEST_F(BuildCommand, TheProgramBuildsTheExampleFromAnyFolder)
{
    const fs::path source = VELMORA_SOURCE_DIR;
    // The example names its picture relative to its own folder.
    const std::string command = "cd '" + work_.path().string() + "' && '" + VELMORA_BUILD_PROGRAM + "' --state '" +
                                (source / "examples/harbor-lane/state.json").string() + "' --out site 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    for (const char* name : {"index.html", "saleslip.html", "home.gif", "about.gif", "ordernow.gif", "mainpic"})
        EXPECT_TRUE(fs::exists(work_ / "site" / name)) << name;
    EXPECT_EQ(test::readFile(work_ / "site/home.gif"), test::readFile(source / "data/images/home2.gif"));
    EXPECT_EQ(test::readFile(work_ / "site/mainpic"), test::readFile(source / "examples/harbor-lane/soap-box.jpg"));
}

} // namespace
} // namespace velmora
