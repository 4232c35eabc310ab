#include "generator/CreateSite.h"
#include "generator/Probe.h"
#include "publish/InternetLink.h"
#include "publish/tests/NetTestKit.h"
#include "testsupport/ScopedProcessState.h"
#include "testsupport/TestSupport.h"
#include "testsupport/TmpfsMount.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testkit::Answer;
using testkit::HttpTestServer;
using testkit::httpReply;

// One program run: a private output folder, the built pictures and a process-like state that
// several CREATEs share.
class CreateSiteRuns : public ::testing::Test {
protected:
    CreateSiteRuns()
        : inWork_(work_.path())
    {
        fs::create_directory(site());
        net::settings().addConnectTo(":80:127.0.0.1:" + std::to_string(refusing_.port()));
        steps_.outputFolder = site();
        steps_.pictureFolder = test::builtPictureFolder();
    }

    fs::path site() const { return work_ / "site"; }
    std::string page(const char* name) const { return test::readFile(site() / name); }
    CreateReport create() { return CreateSite(profile_, steps_, state_); }

    // Every whole page and picture of the folder, by name.
    std::map<std::string, std::string> folderContents() const
    {
        std::map<std::string, std::string> files;
        for (const std::string& name : test::listFolder(site()))
            files[name] = test::readFile(site() / name);
        return files;
    }

    test::ScopedProcessState restored_;
    test::TempDir work_;
    test::CurrentDirectory inWork_;
    testkit::RefusingPort refusing_; // every site lookup is refused on loopback
    SiteProfile profile_;
    CreateSteps steps_;
    GeneratorState state_;
};

TEST_F(CreateSiteRuns, MembersNoStyleChoiceSetsKeepTheirValueFromAnEarlierRun)
{
    profile_.buttonSet = {'A', '\0'};
    ASSERT_TRUE(create().ok());
    EXPECT_THAT(page("index.html"), HasSubstr("color=#4E9B8C"));

    // The lists never go back to none, so a run without a template needs a fresh record here.
    profile_ = SiteProfile();
    profile_.navLinkColor = ColorText::fromValue(0x0000FF00);
    ASSERT_TRUE(create().ok());
    EXPECT_EQ(state_.pageStyle.accentColor, "#4E9B8C");
    EXPECT_EQ(state_.pageStyle.aboutImage, "company.gif");
    const std::string index = page("index.html");
    EXPECT_THAT(index, HasSubstr("<font face=Arial color=#4E9B8C>"));
    EXPECT_THAT(index, HasSubstr("<a href = about.html><font face = Arial color =00FF00>About</a><br>"));
}

TEST_F(CreateSiteRuns, FilesOfAnEarlierRunStayUnlessRewrittenAndTheSalesSlipIsEmptied)
{
    profile_.buttonSet = {'A', '\0'};
    profile_.hostingCustomer = true;
    profile_.siteUrl = "www.acme.test";
    ASSERT_TRUE(create().failures.empty());
    EXPECT_THAT(page("saleslip.html"), HasSubstr("<TITLE>Sales Slip</TITLE>"));
    EXPECT_TRUE(fs::exists(work_ / "test.txt"));

    profile_.buttonSet = {'B', '\0'};
    profile_.hostingCustomer = false;
    fs::remove(work_ / "test.txt");
    ASSERT_TRUE(create().ok());
    EXPECT_EQ(page("saleslip.html"), "");
    EXPECT_TRUE(fs::exists(site() / "company.gif")) << "left from the set A run";
    EXPECT_EQ(test::readFile(site() / "about.gif"), test::readFile(steps_.pictureFolder / "about2.gif"));
    EXPECT_EQ(test::readFile(site() / "home.gif"), test::readFile(steps_.pictureFolder / "home2.gif"));
    EXPECT_FALSE(fs::exists(work_ / "test.txt")) << "no lookup without hosting";
}

TEST_F(CreateSiteRuns, CopiesTheProductPictureAndLeavesAnOldOneWhenNoneIsChosen)
{
    test::writeFile(work_ / "my picture.png", "PNG bytes");
    profile_.picturePath = (work_ / "my picture.png").string();
    ASSERT_TRUE(create().ok());
    EXPECT_EQ(test::readFile(site() / "mainpic"), "PNG bytes");

    profile_.picturePath.clear();
    ASSERT_TRUE(create().ok());
    EXPECT_TRUE(fs::exists(site() / "mainpic"));
    EXPECT_THAT(page("index.html"), ::testing::Not(HasSubstr("<img src=mainpic")));
}

TEST_F(CreateSiteRuns, TakesTheEditsOnceThePagesAreOpenAndCongratulatesWhileTheyAreComplete)
{
    ASSERT_TRUE(create().ok());
    const auto before = folderContents();
    std::vector<std::string> events;
    steps_.copyEdits = [&](SiteProfile& profile) {
        events.push_back("edits");
        // The new pages are being prepared beside the old ones, which are still whole.
        for (const char* name : OutputDir::kPageFiles)
            EXPECT_EQ(page(name), before.at(name)) << name;
        profile.companyName = "Typed Name";
    };
    steps_.congratulate = [&] {
        events.push_back("congratulate");
        EXPECT_THAT(page("index.html"), ::testing::EndsWith("</body>\r\n</html>\r\n"));
        EXPECT_THAT(page("order.html"), ::testing::EndsWith("</html>\r\n"));
    };
    steps_.reportFailures = [&](const auto&) { events.push_back("failures"); };
    ASSERT_TRUE(create().ok());
    EXPECT_EQ(events, (std::vector<std::string>{"edits", "congratulate"}));
    for (const std::string& name : test::listFolder(site()))
        EXPECT_NE(name[0], '.') << name;
    EXPECT_EQ(profile_.companyName, "Typed Name");
    EXPECT_THAT(page("index.html"), HasSubstr("<big>T</big></font><font face=Arial color=>yped"));
}

TEST_F(CreateSiteRuns, ReportsEveryFileItCouldNotWriteInsteadOfCongratulating)
{
    profile_.buttonSet = {'C', '\0'};
    profile_.picturePath = (work_ / "no such picture.jpg").string();
    steps_.pictureFolder = work_ / "no pictures here";
    fs::create_directory(site() / "about.html"); // a page that cannot be created

    bool congratulated = false;
    std::vector<FileFailure> reported;
    steps_.congratulate = [&] { congratulated = true; };
    steps_.reportFailures = [&](const CreateReport& failed) { reported = failed.failures; };
    const CreateReport report = create();

    EXPECT_FALSE(congratulated);
    EXPECT_EQ(reported, report.failures);
    std::vector<std::string> files;
    for (const FileFailure& failure : report.failures)
        files.push_back(failure.file.filename().string());
    EXPECT_THAT(files, ::testing::UnorderedElementsAre("faq.gif", "home.gif", "features.gif", "about.gif", "order.gif",
                                                       "ordernow.gif", "testimonials.gif", "about.html", "mainpic"));
    for (const FileFailure& failure : report.failures) {
        if (failure.file.filename() == "about.html")
            EXPECT_EQ(failure.reason, "could not write the page: Is a directory");
        else
            EXPECT_THAT(failure.reason, HasSubstr("No such file or directory"));
    }
    EXPECT_THAT(report.failures.front().reason, HasSubstr("faq3.gif")) << "names the missing source";
    // Everything else was still written.
    EXPECT_THAT(page("index.html"), ::testing::EndsWith("</html>\r\n"));
    EXPECT_THAT(page("order.html"), ::testing::EndsWith("</html>\r\n"));
}

TEST_F(CreateSiteRuns, AMissingOutputFolderFailsEveryPage)
{
    steps_.outputFolder = work_ / "gone";
    const CreateReport report = create();
    ASSERT_EQ(report.failures.size(), OutputDir::kPageFiles.size());
    EXPECT_EQ(report.failures[0].file, work_ / "gone" / "index.html");
    EXPECT_FALSE(fs::exists(work_ / "gone"));
}

// The partner's note as the site's FAQ page carries it, naming `name`.
std::string faqWithNote(const std::string& name)
{
    return "<html>\n" + std::string(probeMarker) + "\n<br>\n<p>\n     https://" + name +
           ".hostingpartner.example/~acme/\n</html>\n";
}

TEST_F(CreateSiteRuns, AHostingCustomerIsToldWhenTheSecureServerWasNotFound)
{
    struct Case {
        const char* name;
        std::string reply; // empty: the site refuses the connection
        std::string secureHost;
        std::string why;   // in the warning; empty when the server was found
    };
    const Case cases[] = {
        {"unreachable site", "", "hostingpartner.example", "the site www.acme.test could not be reached ("},
        {"page without the note", httpReply(200, "OK", "<html>FAQ</html>\n"), "hostingpartner.example",
         "the page www.acme.test/faq.html holds no note of the secure server"},
        {"missing page", httpReply(404, "Not Found", "gone\n"), "hostingpartner.example",
         "the page www.acme.test/faq.html holds no note of the secure server"},
        {"name longer than a host label", httpReply(200, "OK", faqWithNote(std::string(64, 'a'))),
         "hostingpartner.example", "the note on www.acme.test/faq.html names no usable server"},
        {"name found", httpReply(200, "OK", faqWithNote(std::string(63, 'a'))),
         std::string(63, 'a') + ".hostingpartner.example", ""},
    };
    profile_.hostingCustomer = true;
    for (const Case& c : cases) {
        std::optional<HttpTestServer> server;
        net::settings().clearConnectTo();
        if (c.reply.empty()) {
            net::settings().addConnectTo(":80:127.0.0.1:" + std::to_string(refusing_.port()));
        } else {
            server.emplace([&](const auto&) { return Answer::reply(c.reply); });
            net::settings().addConnectTo(server->connectTo("www.acme.test"));
        }
        // Typed as an address, with its scheme and a path: the host is what is asked.
        profile_.siteUrl = c.why.empty() ? "HTTPS://www.acme.test/shop/" : "www.acme.test";
        bool congratulated = false;
        std::vector<std::string> warned;
        steps_.congratulate = [&] { congratulated = true; };
        steps_.reportFailures = [&](const CreateReport& report) { warned = report.problemLines(); };
        const CreateReport report = create();

        EXPECT_TRUE(report.failures.empty()) << c.name;
        EXPECT_EQ(state_.secureHost, c.secureHost) << c.name;
        EXPECT_THAT(page("order.html"), HasSubstr("<form method=post action=https://" + c.secureHost +
                                                  "/cgi-acme/shop/boutique.cgi>")) << c.name;
        if (c.why.empty()) {
            EXPECT_TRUE(report.ok()) << report.lookupWarning;
            EXPECT_TRUE(congratulated) << c.name;
            EXPECT_EQ(server->requests().at(0).header("Host"), "www.acme.test");
            continue;
        }
        EXPECT_FALSE(congratulated) << c.name;
        ASSERT_EQ(warned.size(), 1u) << c.name;
        EXPECT_THAT(warned[0], testing::StartsWith("The secure server could not be found: " + c.why)) << c.name;
        EXPECT_THAT(warned[0], testing::EndsWith(". The order pages name hostingpartner.example, where orders "
                                                 "cannot arrive."))
            << c.name;
    }
}

TEST_F(CreateSiteRuns, TemplateBWithButtonsACopiesTheAboutPictureThePagesName)
{
    profile_.buttonSet = {'B', 'A'};
    ASSERT_TRUE(create().ok());
    EXPECT_THAT(page("index.html"), HasSubstr("src=about.gif"));
    EXPECT_EQ(test::readFile(site() / "about.gif"), test::readFile(steps_.pictureFolder / "company.gif"));
    EXPECT_EQ(test::readFile(site() / "company.gif"), test::readFile(steps_.pictureFolder / "company.gif"));
    EXPECT_EQ(test::readFile(site() / "home.gif"), test::readFile(steps_.pictureFolder / "home.gif")) << "set A";
}

// A disk that fills up half-way through a CREATE over a complete site: each file is the old
// one or the new one, never empty or cut, and every file that kept its old version is listed.
TEST_F(CreateSiteRuns, AFullDiskLeavesEveryFileWholeOldOrNew)
{
    test::TmpfsMount disk(site(), "size=256k");
    if (!disk.mounted())
        GTEST_SKIP() << disk.why();
    profile_.buttonSet = {'C', '\0'};
    profile_.companyName = "Old Company";
    ASSERT_TRUE(create().ok());
    const auto oldFiles = folderContents();

    // The new site is much larger, and the disk has room for only part of it.
    profile_.companyName = "New Company";
    profile_.homeBody = std::string(30 * 1024, 'n');
    for (std::string& feature : profile_.features)
        feature = std::string(30 * 1024, 'f');
    const std::uintmax_t room = fs::space(site()).available;
    test::writeFile(site() / "filler", std::string(room > 100 * 1024 ? room - 100 * 1024 : 0, 'x'));
    const CreateReport report = create();

    ASSERT_FALSE(report.failures.empty()) << "the disk did not fill up";
    std::set<std::string> failed;
    for (const FileFailure& failure : report.failures) {
        failed.insert(failure.file.filename().string());
        EXPECT_THAT(failure.reason, HasSubstr("No space left on device")) << failure.file;
    }
    std::size_t renewed = 0;
    for (const auto& [name, old] : oldFiles) {
        const std::string now = page(name.c_str());
        if (failed.count(name)) {
            EXPECT_TRUE(now == old) << name << " failed and must keep its old version";
        } else if (name.ends_with(".html") && name != "saleslip.html") {
            EXPECT_TRUE(now.ends_with("</html>\r\n")) << name << " is cut";
            EXPECT_NE(now.find("<big>N</big>"), std::string::npos) << name << " is not the new page";
            ++renewed;
        }
    }
    EXPECT_GT(renewed, 0u) << "some pages still fitted";
    fs::remove(site() / "filler");
    for (const std::string& name : test::listFolder(site()))
        EXPECT_NE(name[0], '.') << "temporary left: " << name;
}

} // namespace
} // namespace velmora
