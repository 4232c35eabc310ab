#include "publish/PromoteSite.h"
#include "publish/InternetLink.h"
#include "publish/tests/NetTestKit.h"
#include "testsupport/ScopedNetSettings.h"

#include <curl/curl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::IsEmpty;
using testkit::Answer;
using testkit::HttpTestServer;
using testkit::httpReply;

constexpr std::string_view kHeader =
    "<html><head><meta http-equiv=Content-Type content=text/html; charset=iso-8859-1>"
    "<title>SITE PROMOTION ANALYSIS</title><meta name=GENERATOR content=Microsoft FrontPage 3.0>"
    "<meta name=Microsoft Border content=none></head><body><div align=left>"
    "<table border=0 cellpadding=0 cellspacing=0 width=550><tr>"
    "<td align=center><strong><big><big><font face=Arial>SITE PROMOTION ANALYSIS</font></big></big></strong></td>"
    "</tr><tr><td>&nbsp;<br><div align=center><center><table border=1 cellpadding=2 cellspacing=0 width=500><tr>"
    "<td align=left width=50% bgcolor=#C0C0C0><strong><font face=Arial>Site</font></strong></td>"
    "<td width=50% bgcolor=#C0C0C0><strong><font face = Arial>Status</font></strong></td></tr>";
constexpr std::string_view kFooter = "</table></div></body></html>";

std::string row(std::string_view label, std::string_view text)
{
    return "<tr><td width=50%>" + std::string(label) + "</td><td width=50%>" + std::string(text) + "</td></tr>";
}

PromotionForm initialForm()
{
    return initialPromotionForm();
}

struct Post {
    std::string requestLine;
    std::string host;
    std::string body;
    friend bool operator==(const Post&, const Post&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Post& p)
    {
        return out << p.requestLine << " @" << p.host << " [" << p.body << "]";
    }
};

// A recording web server that every fixed host reaches through the connect-to table; it
// answers each post with the status chosen for its host and path (200 unless chosen), or by
// the number of the post on that host and path.
class PromoteTest : public testing::Test {
protected:
    void SetUp() override
    {
        net::settings() = net::Settings{};
        net::settings().addConnectTo(":80:127.0.0.1:" + std::to_string(server_.port()));
        steps_.report = work_.path() / "result.html";
        steps_.openReport = [this](const std::string& name) { opened_.push_back(name); };
        view_.showProgress = [this](const ProgressBar& bar) { bars_.push_back(bar); };
    }
    Answer answer(const testkit::RecordedRequest& request)
    {
        const std::lock_guard lock(mutex_);
        const std::string key = request.header("Host").value_or("") + " " + request.requestLine;
        const int count = seen_[key]++;
        const auto chosen = status_.find(key);
        int status = 200;
        if (chosen != status_.end())
            status = chosen->second.size() > static_cast<std::size_t>(count) ? chosen->second[count] : chosen->second.back();
        return Answer::reply(httpReply(status, "Chosen", "<html>thanks</html>"));
    }

    void choose(std::string_view host, std::string_view requestLine, std::vector<int> statuses)
    {
        status_[std::string(host) + " " + std::string(requestLine)] = std::move(statuses);
    }

    std::vector<Post> posts() const
    {
        std::vector<Post> result;
        for (const auto& request : server_.requests()) {
            EXPECT_EQ(request.header("Content-Type"), "application/x-www-form-urlencoded") << request.requestLine;
            result.push_back({request.requestLine, request.header("Host").value_or(""), request.body});
        }
        return result;
    }

    std::vector<int> positions() const
    {
        std::vector<int> result;
        for (const ProgressBar& bar : bars_)
            result.push_back(bar.position);
        return result;
    }

    std::string report() const { return testkit::readFile(steps_.report); }

    std::mutex mutex_;
    std::map<std::string, std::vector<int>> status_;
    std::map<std::string, int> seen_;
    HttpTestServer server_{[this](const testkit::RecordedRequest& request) { return answer(request); }};
    testkit::TempDir work_;
    PromoteSteps steps_;
    PublishView view_;
    ProgressBar bar_;
    std::vector<ProgressBar> bars_;
    std::vector<std::string> opened_;

private:
    test::ScopedNetSettings restored_;
};

TEST_F(PromoteTest, TheSeventeenPostsFromTheDialogsInitialTextsGoOutAsDescribed)
{
    promoteSite(initialForm(), bar_, view_, steps_);

    const std::string name = "http://www.promotion-partner.example/google.html";
    const std::string email = "http://www.promotion-partner.example/alexa.html";
    const std::string seo = "http://www.promotion-partner.example/seo.html";
    const std::string title = "http://www.promotion-partner.example/email-optimize.html";
    const std::string description = "http://www.promotion-partner.example/site-submitter.html";
    const std::string thanks = "http://www.promotion-partner.example/awardthanks.htm";
    const std::string excite = "&language=English&country=USA&channel=Money/Investing&look=excite";
    const auto award = [&](const char* code) {
        return Post{"POST /cgi-bin/awardsub.cgi HTTP/1.0", "scripts.promotion-partner.example",
                    "title=" + std::string(code) + "&redir=" + thanks + "&name=" + name + "&email=" + email +
                        "&url=http://"};
    };
    const auto ffa = [&](const char* path) {
        return Post{"POST " + std::string(path) + " HTTP/1.0", "links.ffa-pages.example",
                    "title=" + title + "&email=" + email + "&url=http://&section=Business"};
    };
    EXPECT_THAT(posts(),
                ElementsAre(award("awdhot"), award("awdbst"), award("awddes"), award("awdorig"), award("awdprod"),
                            Post{"POST /cgi-bin/partnersub2.cgi HTTP/1.0", "scripts.promotion-partner.example",
                                 "title=markc&partner=VLMR&name=" + name + "&email=" + email},
                            Post{"GET /cgi-bin/newurl HTTP/1.0", "altavista.search.example", "ad=1&q=http://"},
                            ffa("/ffablaster/links.cgi"), ffa("/ffasubmit/links.cgi"), ffa("/ffasend/links.cgi"),
                            Post{"POST /ffalinksrx/newffa2.cgi HTTP/1.0", "links.ffa-pages.example",
                                 "action=add&title=" + title + "&url=http://&email=" + email + "&category=Business"},
                            Post{"POST /cgi/add_url_new.cgi HTTP/1.0", "magellan.excite.example",
                                 "Service=magellan&url=http://&email=" + email + excite},
                            Post{"POST /cgi-bin/submit.cgi HTTP/1.0", "www.searchhound.example",
                                 "User_name=" + name + "&User_email=" + email + "&Site_URL=http://&Site_Title=" +
                                     title + "&Keyword1=++" + seo + "&Description=" + description +
                                     "&B1=Realease+The+Hounds!"},
                            Post{"GET cgi-bin/spider_now.pl HTTP/1.0", "www.lycos.example",
                                 "query=http://&email=" + email},
                            Post{"POST cgi-bin/add_url_new.cgi HTTP/1.0", "www.webcrawler.example",
                                 "Service=webcrawler&url=http://&email=" + email + excite},
                            Post{"POST /cgi/add_url_new.cgi HTTP/1.0", "www.excite.example",
                                 "Service=excite&url=http://&email=" + email + excite},
                            Post{"POST /cgi-sys/formmail.pl HTTP/1.0", "mail.promotion-partner.example",
                                 "recipient=newsletter@promotion-partner.example&subject=sub-traffic&email=" + email +
                                     "&B1=FREE Newsletter!"}));
    EXPECT_THAT(opened_, ElementsAre(steps_.report.string()));
}

TEST_F(PromoteTest, TheStatusRuleAndTheFirstPostDecideEachRowOfTheExactReport)
{
    choose("scripts.promotion-partner.example", "POST /cgi-bin/awardsub.cgi HTTP/1.0", {500, 200});  // first fails
    choose("scripts.promotion-partner.example", "POST /cgi-bin/partnersub2.cgi HTTP/1.0", {201});
    choose("altavista.search.example", "GET /cgi-bin/newurl HTTP/1.0", {202});
    choose("links.ffa-pages.example", "POST /ffablaster/links.cgi HTTP/1.0", {203});
    choose("links.ffa-pages.example", "POST /ffasubmit/links.cgi HTTP/1.0", {500});  // not read
    choose("magellan.excite.example", "POST /cgi/add_url_new.cgi HTTP/1.0", {204});
    choose("www.searchhound.example", "POST /cgi-bin/submit.cgi HTTP/1.0", {404});
    choose("www.lycos.example", "GET cgi-bin/spider_now.pl HTTP/1.0", {200});
    choose("www.webcrawler.example", "POST cgi-bin/add_url_new.cgi HTTP/1.0", {301});
    choose("www.excite.example", "POST /cgi/add_url_new.cgi HTTP/1.0", {500});
    choose("mail.promotion-partner.example", "POST /cgi-sys/formmail.pl HTTP/1.0", {503});
    std::vector<std::string> lines;
    steps_.targetDone = [&](const TargetOutcome& o) { lines.push_back(o.status + (o.success ? " ok" : " failed")); };

    promoteSite(initialForm(), bar_, view_, steps_);

    EXPECT_EQ(posts().size(), 17u);
    EXPECT_THAT(lines, ElementsAre("500 failed", "201 ok", "202 failed", "203 ok", "204 ok", "404 failed", "200 ok",
                                   "301 failed", "500 failed", "503 failed"));
    EXPECT_EQ(report(), std::string(kHeader) + row("Award Sites", "Attempt Failed.  Please try again!") +
                            row("Internet Marketing Course", "Attempt successful.") +
                            row("AltaVista", "Attempt Failed.  Please try again!") +
                            row("Free For All Link Pages", "Attempt successful.") +
                            row("Magellan", "Attempt successful.") +
                            row("SearchHound", "Attempt Failed.  Please try again!") +
                            row("Lycos", "Attempt Successful.") +
                            row("Webcrawler", "Attempt Failed.  Please try again!") +
                            row("Excite", "Your attempt to submit your site failed. Please try again!") +
                            row("Newsletter", "Your attempt to subscribe failed. Please try again!") +
                            std::string(kFooter));
}

TEST_F(PromoteTest, TheStatusTextMustBeOneOfTheFourSuccessCodesExactly)
{
    for (const char* status : {"200", "201", "203", "204"})
        EXPECT_TRUE(isPromotionSuccess(status)) << status;
    for (const char* status : {"202", "", "205", "2000", " 200", "302", "500"})
        EXPECT_FALSE(isPromotionSuccess(status)) << status;
}

TEST_F(PromoteTest, TheBarPassesItsPositionsAndALaterRunStopsAtThirty)
{
    promoteSite(initialForm(), bar_, view_, steps_);
    EXPECT_THAT(positions(), ElementsAre(5, 10, 15, 20, 25, 30, 40, 1));
    EXPECT_EQ(bars_.back(), (ProgressBar{1, 30, 1}));

    bars_.clear();
    promoteSite(initialForm(), bar_, view_, steps_);
    EXPECT_THAT(positions(), ElementsAre(6, 11, 16, 21, 26, 30, 30, 1));
    EXPECT_EQ(bar_, (ProgressBar{1, 30, 1}));
}

TEST_F(PromoteTest, UncheckedTargetsSendNothingWriteNoRowAndTheBarStillMoves)
{
    steps_.checked = {};
    promoteSite(initialForm(), bar_, view_, steps_);
    EXPECT_THAT(server_.requests(), IsEmpty());
    EXPECT_EQ(report(), std::string(kHeader) + std::string(kFooter));
    EXPECT_THAT(positions(), ElementsAre(5, 10, 15, 20, 25, 30, 40, 1));
}

TEST_F(PromoteTest, AnInternetFailureEndsTheRunAndTheReportKeepsItsRowsUnopened)
{
    testkit::RefusingPort refusing;
    net::settings().clearConnectTo();
    net::settings().addConnectTo("magellan.excite.example:80:127.0.0.1:" + std::to_string(refusing.port()));
    net::settings().addConnectTo(":80:127.0.0.1:" + std::to_string(server_.port()));
    testkit::writeFile(steps_.report, "an earlier run's report");

    try {
        promoteSite(initialForm(), bar_, view_, steps_);
        ADD_FAILURE() << "no CInternetException";
    } catch (const CInternetException& e) {
        EXPECT_EQ(e.code(), CURLE_COULDNT_CONNECT);
    }
    EXPECT_EQ(server_.requests().size(), 11u);  // awards, course, AltaVista, the four FFA pages
    EXPECT_EQ(report(), std::string(kHeader) + row("Award Sites", "Attempt successful.") +
                            row("Internet Marketing Course", "Attempt successful.") +
                            row("AltaVista", "Attempt successful.") +
                            row("Free For All Link Pages", "Attempt successful."));
    EXPECT_THAT(opened_, IsEmpty());
    EXPECT_EQ(bar_, (ProgressBar{0, 100, 10}));
}

TEST_F(PromoteTest, AReportThatCannotBeCreatedIsLostSilentlyAndStillOpened)
{
    steps_.report = work_.path() / "missing" / "result.html";
    promoteSite(initialForm(), bar_, view_, steps_);
    EXPECT_EQ(server_.requests().size(), 17u);
    EXPECT_THAT(opened_, ElementsAre(steps_.report.string()));
}

TEST(FormEncode, EncodesWhatWouldChangeABodysMeaningAndNothingElse)
{
    struct Case {
        std::string input;
        std::string encoded;
    };
    const Case cases[] = {
        {"http://www.acme.test/a/b.html", "http://www.acme.test/a/b.html"},
        {"two words  here", "two+words++here"},
        {"a&b=c%d+e;f#g", "a%26b%3Dc%25d%2Be%3Bf%23g"},
        {"caf\xE9 \x80\xFF", "caf%E9+%80%FF"},
        {std::string("tab\tnl\r\nnul\0del\x7F", 16), "tab%09nl%0D%0Anul%00del%7F"},
        {"me@acme.test ~*!'()?,:/@$[]", "me@acme.test+~*!'()?,:/@$[]"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formEncode(c.input), c.encoded) << c.input;
}

TEST_F(PromoteTest, EveryInputIsEncodedInTheBodiesAndLongInputIsNeverCut)
{
    PromotionForm form;
    form.formName = "Ann & Bob";
    form.formEmail = "a=b@acme.test";
    form.formUrl = "http://acme.test/?q=1&r=2#top";
    form.formTitle = "100% Soap+Suds";
    form.formDescription = "semi;colon caf\xE9";
    form.formKeyword1 = "k one";
    form.formKeyword2 = "k#2";
    form.formKeyword3 = std::string(5000, 'x');

    promoteSite(form, bar_, view_, steps_);

    const auto sent = posts();
    ASSERT_EQ(sent.size(), 17u);
    EXPECT_EQ(sent[6].body, "ad=1&q=http://acme.test/?q%3D1%26r%3D2%23top");
    EXPECT_EQ(sent[12].body, "User_name=Ann+%26+Bob&User_email=a%3Db@acme.test&Site_URL=http://acme.test/?q%3D1%26r%3D2%23top"
                             "&Site_Title=100%25+Soap%2BSuds&Keyword1=k+one+k%232+" +
                                 std::string(5000, 'x') + "&Description=semi%3Bcolon+caf%E9&B1=Realease+The+Hounds!");
}

} // namespace
} // namespace velmora
