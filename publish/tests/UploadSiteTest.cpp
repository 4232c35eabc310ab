#include "publish/UploadSite.h"
#include "publish/InternetLink.h"
#include "publish/tests/NetTestKit.h"
#include "testsupport/ScopedNetSettings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::Contains;
using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;

constexpr const char* kFtpHost = "ftp.example.test";
constexpr const char* kPassword = "pa ss:@/";

// What the dialog would have shown: every bar state and every box, in order.
struct RecordingView {
    std::vector<ProgressBar> bars;
    std::vector<Notice> notices;
    PublishView view()
    {
        PublishView v;
        v.showProgress = [this](const ProgressBar& bar) { bars.push_back(bar); };
        v.showNotice = [this](const Notice& notice) { notices.push_back(notice); };
        return v;
    }
    std::vector<int> positions() const
    {
        std::vector<int> result;
        for (const ProgressBar& bar : bars)
            result.push_back(bar.position);
        return result;
    }
};

std::vector<std::string> stores(const std::vector<std::string>& log)
{
    std::vector<std::string> lines;
    for (const std::string& line : log) {
        if (line.rfind("CMD STOR ", 0) == 0)
            lines.push_back(line.substr(9));
    }
    return lines;
}

std::size_t countStartingWith(const std::vector<std::string>& log, std::string_view prefix)
{
    return std::count_if(log.begin(), log.end(), [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
}

// The content each file of the folder gets: its name and, for the pictures, every byte value.
std::string contentOf(std::string_view name)
{
    std::string content = "<" + std::string(name) + ">\r\n";
    if (name.ends_with(".gif") || name == "mainpic") {
        for (int i = 0; i < 256; ++i)
            content += static_cast<char>(i);
    }
    return content;
}

class UploadTest : public testing::Test {
protected:
    explicit UploadTest(const testkit::FtpQuirks& quirks = {}) : server_("bob", kPassword, quirks) {}

    void SetUp() override
    {
        net::settings() = net::Settings{};
        net::settings().addConnectTo(server_.connectTo(kFtpHost));
        net::settings().connectTimeout = 5s;
        net::settings().stallTimeout = 5s;
        fs::create_directories(server_.root() / "home" / "www" / "pages" / "shop");
        for (const UploadEntry& entry : uploadList)
            testkit::writeFile(folder_ / entry.local, contentOf(entry.local));
    }
    UploadForm form(std::string destination = "/home/www/pages", bool hostingClient = true) const
    {
        return {kFtpHost, "bob", kPassword, std::move(destination), hostingClient};
    }

    UploadReport upload(const UploadForm& form)
    {
        UploadSteps steps;
        steps.folder = folder_.path();
        return uploadSite(form, bar_, recorder_.view(), steps);
    }

    fs::path remote(std::string_view path) const { return server_.root() / fs::path(path).relative_path(); }

    testkit::FtpTestServer server_;
    testkit::TempDir folder_;
    ProgressBar bar_;
    RecordingView recorder_;

private:
    test::ScopedNetSettings restored_;
};

// After the login 5, then 10 per file up to the top of 0..100, 10 at the end, then 1 of 1..150.
const std::vector<int> kFirstRunPositions = {5, 15, 25, 35, 45, 55, 65, 75, 85, 95, 100, 100, 100, 100, 100, 1};

const Notice kSuccess{"Upload Successful", "", NoticeIcon::Warning};
const Notice kNotContacted{"Internet Congestion! The site could not be contacted.  Please try again.", "ERROR!",
                           NoticeIcon::None};

TEST_F(UploadTest, EveryFileArrivesByteForByteInListOrderOverOneActiveLogin)
{
    const UploadReport report = upload(form());

    EXPECT_TRUE(report.successful());
    EXPECT_THAT(recorder_.notices, ElementsAre(kSuccess));
    std::vector<std::string> expected;
    for (const UploadEntry& entry : uploadList) {
        const std::string name = "/home/www/pages" + std::string(entry.remoteSuffix);
        expected.push_back(name);
        EXPECT_EQ(testkit::readFile(remote(name)), contentOf(entry.local)) << name;
    }
    const auto log = server_.log();
    EXPECT_THAT(stores(log), ElementsAreArray(expected));
    EXPECT_EQ(expected.front(), "/home/www/pages/index.html");
    EXPECT_EQ(expected.back(), "/home/www/pages/shop/saleslip.html");
    EXPECT_EQ(countStartingWith(log, "CMD USER"), 1u);
    EXPECT_EQ(countStartingWith(log, "CMD EPRT") + countStartingWith(log, "CMD PORT"), uploadList.size());
    EXPECT_EQ(countStartingWith(log, "CMD PASV") + countStartingWith(log, "CMD EPSV"), 0u);
    EXPECT_THAT(log, Contains("CMD TYPE I"));
    EXPECT_THAT(log, Contains("CMD QUIT"));
    EXPECT_THAT(log, Not(Contains(HasSubstr("MKD"))));
}

TEST_F(UploadTest, TheBarFillsAtTheTenthFileAndIsSetBackToOneOf150BeforeTheBox)
{
    upload(form());
    EXPECT_THAT(recorder_.positions(), ElementsAreArray(kFirstRunPositions));
    for (std::size_t i = 0; i + 1 < recorder_.bars.size(); ++i)
        EXPECT_EQ(recorder_.bars[i].high, 100) << i;
    EXPECT_EQ(recorder_.bars.back(), (ProgressBar{1, 150, 1}));
    EXPECT_EQ(bar_, (ProgressBar{1, 150, 1}));
}

TEST_F(UploadTest, ASecondUploadInTheSameOpeningRunsFromOneTo146AndSendsTheFilesAgain)
{
    upload(form());
    testkit::writeFile(folder_ / "index.html", "second version");
    recorder_ = {};
    upload(form());

    EXPECT_THAT(recorder_.positions(), ElementsAre(6, 16, 26, 36, 46, 56, 66, 76, 86, 96, 106, 116, 126, 136, 146, 1));
    EXPECT_EQ(bar_, (ProgressBar{1, 150, 1}));
    EXPECT_THAT(recorder_.notices, ElementsAre(kSuccess));
    EXPECT_EQ(stores(server_.log()).size(), 2 * uploadList.size());
    EXPECT_EQ(testkit::readFile(remote("/home/www/pages/index.html")), "second version");
}

TEST_F(UploadTest, RemoteNamesAreTheDestinationJoinedWithNothingAddedOrRemoved)
{
    struct Case {
        std::string destination;
        std::string firstStore;
        fs::path arrives;
    };
    const Case cases[] = {
        {"/home/www/pages/", "/home/www/pages//index.html", "home/www/pages/index.html"},
        {"", "/index.html", "index.html"},
        {"home/www", "home/www/index.html", "home/www/index.html"},  // from the login folder
    };
    for (const Case& c : cases) {
        fs::remove(server_.root() / c.arrives);
        const std::size_t before = stores(server_.log()).size();
        upload(form(c.destination, false));
        const auto sent = stores(server_.log());
        ASSERT_GT(sent.size(), before) << c.destination;
        EXPECT_EQ(sent[before], c.firstStore) << c.destination;
        EXPECT_EQ(testkit::readFile(server_.root() / c.arrives), contentOf("index.html")) << c.destination;
    }
}

TEST_F(UploadTest, TheSalesSlipGoesOnlyWithTheBoxTickedAndOnlyWhereShopExists)
{
    // Box clear: never sent, and its absence is no failure.
    EXPECT_TRUE(upload(form("/home/www/pages", false)).successful());
    EXPECT_THAT(stores(server_.log()), Not(Contains(HasSubstr("saleslip"))));
    EXPECT_FALSE(fs::exists(remote("/home/www/pages/shop/saleslip.html")));

    // Box ticked, but no "shop" folder on the server: refused, not created, and reported.
    fs::remove_all(server_.root() / "home" / "www" / "pages" / "shop");
    recorder_ = {};
    const UploadReport report = upload(form());
    EXPECT_FALSE(report.successful());
    EXPECT_FALSE(fs::exists(server_.root() / "home" / "www" / "pages" / "shop"));
    ASSERT_EQ(recorder_.notices.size(), 1u);
    EXPECT_EQ(recorder_.notices[0].caption, "ERROR!");
    EXPECT_EQ(recorder_.notices[0].text,
              "Upload Failed!  These files were not sent:\r\n"
              "saleslip.html (to /home/www/pages/shop/saleslip.html): the server answered "
              "\"550 No such file or directory.\"");
    EXPECT_EQ(recorder_.bars.back(), (ProgressBar{1, 150, 1}));
}

TEST_F(UploadTest, PicturesAbsentFromTheFolderAreSkippedButAMissingPageFails)
{
    // Set A leaves no about.gif; no product picture was chosen.
    fs::remove(folder_ / "about.gif");
    fs::remove(folder_ / "mainpic");
    UploadReport report = upload(form());
    EXPECT_TRUE(report.successful());
    EXPECT_THAT(recorder_.notices, ElementsAre(kSuccess));
    EXPECT_THAT(stores(server_.log()), Not(Contains(HasSubstr("mainpic"))));
    EXPECT_EQ(std::count_if(report.files.begin(), report.files.end(),
                            [](const UploadedFile& f) { return f.status == UploadedFile::Status::Skipped; }),
              2);
    EXPECT_THAT(recorder_.positions(), ElementsAreArray(kFirstRunPositions));

    fs::remove(folder_ / "freq.html");
    recorder_ = {};
    report = upload(form());
    EXPECT_FALSE(report.successful());
    ASSERT_EQ(recorder_.notices.size(), 1u);
    EXPECT_EQ(recorder_.notices[0].text, "Upload Failed!  These files were not sent:\r\n"
                                         "freq.html (to /home/www/pages/freq.html): it is not in the output folder");
}

TEST_F(UploadTest, NoContactMeansNothingSentTheBarUntouchedAndTheCongestionBox)
{
    testkit::RefusingPort refusing;
    net::settings().addConnectTo("refused.example.test:21:127.0.0.1:" + std::to_string(refusing.port()));
    net::settings().connectTimeout = 1s;
    struct Case {
        const char* name;
        UploadForm form;
    };
    const Case cases[] = {
        {"wrong password", {kFtpHost, "bob", "wrong", "/home/www/pages", true}},
        {"server refuses connections", {"refused.example.test", "bob", kPassword, "/home/www/pages", true}},
        {"empty server", {"", "bob", kPassword, "/home/www/pages", true}},
    };
    for (const Case& c : cases) {
        recorder_ = {};
        bar_ = ProgressBar{1, 150, 1};
        const UploadReport report = upload(c.form);
        EXPECT_FALSE(report.contacted) << c.name;
        EXPECT_THAT(report.files, IsEmpty()) << c.name;
        EXPECT_THAT(recorder_.notices, ElementsAre(kNotContacted)) << c.name;
        EXPECT_THAT(recorder_.bars, IsEmpty()) << c.name;
        EXPECT_EQ(bar_, (ProgressBar{1, 150, 1})) << c.name;
    }
    EXPECT_THAT(stores(server_.log()), IsEmpty());
}

class UploadRefusingTest : public UploadTest {
protected:
    UploadRefusingTest() : UploadTest(testkit::FtpQuirks{.refuse = {"features.html"}}) {}
};

TEST_F(UploadRefusingTest, AFileTheServerRefusesIsNamedInTheErrorBoxAndTheRestArrive)
{
    const UploadReport report = upload(form());
    EXPECT_FALSE(report.successful());
    ASSERT_EQ(recorder_.notices.size(), 1u);
    EXPECT_EQ(recorder_.notices[0], (Notice{"Upload Failed!  These files were not sent:\r\n"
                                            "features.html (to /home/www/pages/features.html): the server answered "
                                            "\"553 Not allowed here.\"",
                                            "ERROR!", NoticeIcon::None}));
    EXPECT_FALSE(fs::exists(remote("/home/www/pages/features.html")));
    EXPECT_EQ(testkit::readFile(remote("/home/www/pages/about.html")), contentOf("about.html"));
    EXPECT_THAT(recorder_.positions(), ElementsAreArray(kFirstRunPositions));
}

class UploadDroppingTest : public UploadTest {
protected:
    UploadDroppingTest() : UploadTest(testkit::FtpQuirks{.drop = {"mainpic"}}) {}
};

TEST_F(UploadDroppingTest, AConnectionCutMidFileIsAFailureAndTheFilesAfterItStillGo)
{
    testkit::writeFile(folder_ / "mainpic", std::string(8 * 1024 * 1024, 'p'));
    const UploadReport report = upload(form());
    EXPECT_FALSE(report.successful());
    EXPECT_THAT(server_.log(), Contains("DROP mainpic"));
    ASSERT_EQ(recorder_.notices.size(), 1u);
    EXPECT_EQ(recorder_.notices[0].caption, "ERROR!");
    EXPECT_THAT(recorder_.notices[0].text,
                testing::StartsWith("Upload Failed!  These files were not sent:\r\nmainpic (to /home/www/pages/mainpic): the transfer broke off ("));
    EXPECT_THAT(recorder_.notices[0].text, Not(HasSubstr("ordernow"))) << recorder_.notices[0].text;
    EXPECT_EQ(testkit::readFile(remote("/home/www/pages/ordernow.gif")), contentOf("ordernow.gif"));
    EXPECT_EQ(testkit::readFile(remote("/home/www/pages/shop/saleslip.html")), contentOf("saleslip.html"));
}

} // namespace
} // namespace velmora
