#include "generator/CreateSite.h"
#include "publish/InternetLink.h"
#include "publish/tests/NetTestKit.h"
#include "testsupport/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

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

    ~CreateSiteRuns() override { net::settings().clearConnectTo(); }

    fs::path site() const { return work_ / "site"; }
    std::string page(const char* name) const { return test::readFile(site() / name); }
    CreateReport create() { return CreateSite(profile_, steps_, state_); }

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
    ASSERT_TRUE(create().ok());
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
    std::vector<std::string> events;
    steps_.copyEdits = [&](SiteProfile& profile) {
        events.push_back("edits");
        for (const char* name : OutputDir::kPageFiles)
            EXPECT_EQ(fs::file_size(site() / name), 0u) << name;
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
    steps_.reportFailures = [&](const std::vector<FileFailure>& failures) { reported = failures; };
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

TEST_F(CreateSiteRuns, TheSecureLookupFindingNothingLeavesTheSecureDomain)
{
    profile_.hostingCustomer = true;
    profile_.siteUrl = "www.acme.test";
    ASSERT_TRUE(create().ok());
    EXPECT_EQ(state_.secureHost, "hostingpartner.example");
    EXPECT_THAT(page("order.html"),
                HasSubstr("<form method=post action=https://hostingpartner.example/cgi-acme/shop/boutique.cgi>"));
    EXPECT_THAT(page("index.html"), HasSubstr("<a href = https://hostingpartner.example/acme/order.html>"));
}

} // namespace
} // namespace velmora
