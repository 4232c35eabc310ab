#include "base/FileUtil.h"
#include "publish/PromoteSite.h"

#include "publish/InternetLink.h"

#include <cstdio>
#include <memory>

namespace velmora {

PromotionForm initialPromotionForm()
{
    const auto& shown = promotionEndpoints.shownAddresses;
    PromotionForm form;
    form.formName = shown[0];
    form.formEmail = shown[1];
    form.formKeyword3 = shown[2];
    form.formTitle = shown[3];
    form.formDescription = shown[4];
    form.formUrl = "http://";
    return form;
}

std::string formEncode(std::string_view input)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(input.size());
    for (const char c : input) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ' ') {
            encoded += '+';
        } else if (byte < 0x20 || byte >= 0x7F || c == '%' || c == '&' || c == '=' || c == '+' || c == '#' || c == ';') {
            encoded += '%';
            encoded += hex[byte >> 4];
            encoded += hex[byte & 0x0F];
        } else {
            encoded += c;
        }
    }
    return encoded;
}

bool isPromotionSuccess(std::string_view status)
{
    return status == "200" || status == "201" || status == "203" || status == "204";
}

namespace {

const PromotionEndpoints& endpoints = promotionEndpoints;

std::string join(std::initializer_list<std::string_view> pieces)
{
    std::string text;
    for (const std::string_view piece : pieces)
        text += piece;
    return text;
}

constexpr std::string_view kAwardCodes[] = {"awdhot", "awdbst", "awddes", "awdorig", "awdprod"};
constexpr std::string_view kAwardPaths[] = {"/cgi-bin/awardsub.cgi", "/cgi-bin/awardsub.cgi", "/cgi-bin/awardsub.cgi",
                                            "/cgi-bin/awardsub.cgi", "/cgi-bin/awardsub.cgi"};
constexpr std::string_view kCoursePaths[] = {"/cgi-bin/partnersub2.cgi"};
constexpr std::string_view kAltaVistaPaths[] = {"/cgi-bin/newurl"};
constexpr std::string_view kFfaPaths[] = {"/ffablaster/links.cgi", "/ffasubmit/links.cgi", "/ffasend/links.cgi",
                                          "/ffalinksrx/newffa2.cgi"};
constexpr std::string_view kMagellanPaths[] = {"/cgi/add_url_new.cgi"};
constexpr std::string_view kSearchHoundPaths[] = {"/cgi-bin/submit.cgi"};
constexpr std::string_view kLycosPaths[] = {"cgi-bin/spider_now.pl"};
constexpr std::string_view kWebCrawlerPaths[] = {"cgi-bin/add_url_new.cgi"};
constexpr std::string_view kExcitePaths[] = {"/cgi/add_url_new.cgi"};
constexpr std::string_view kNewsletterPaths[] = {"/cgi-sys/formmail.pl"};

constexpr std::string_view kSuccess = "Attempt successful.";
constexpr std::string_view kFailure = "Attempt Failed.  Please try again!";
constexpr std::string_view kExciteTail = "&language=English&country=USA&channel=Money/Investing&look=excite";

std::string awardBody(const PromotionForm& f, std::size_t post)
{
    return join({"title=", kAwardCodes[post], "&redir=", endpoints.awardThanksUrl, "&name=", f.formName, "&email=",
                 f.formEmail, "&url=", f.formUrl});
}

std::string courseBody(const PromotionForm& f, std::size_t)
{
    return join({"title=markc&partner=VLMR&name=", f.formName, "&email=", f.formEmail});
}

std::string altaVistaBody(const PromotionForm& f, std::size_t)
{
    return join({"ad=1&q=", f.formUrl});
}

std::string ffaBody(const PromotionForm& f, std::size_t post)
{
    if (post < 3)
        return join({"title=", f.formTitle, "&email=", f.formEmail, "&url=", f.formUrl, "&section=Business"});
    return join({"action=add&title=", f.formTitle, "&url=", f.formUrl, "&email=", f.formEmail, "&category=Business"});
}

std::string magellanBody(const PromotionForm& f, std::size_t)
{
    return join({"Service=magellan&", "url=", f.formUrl, "&email=", f.formEmail, kExciteTail});
}

std::string searchHoundBody(const PromotionForm& f, std::size_t)
{
    return join({"User_name=", f.formName, "&User_email=", f.formEmail, "&Site_URL=", f.formUrl, "&Site_Title=",
                 f.formTitle, "&Keyword1=", f.formKeyword1, "+", f.formKeyword2, "+", f.formKeyword3,
                 "&Description=", f.formDescription, "&B1=Realease+The+Hounds!"});
}

std::string lycosBody(const PromotionForm& f, std::size_t)
{
    return join({"query=", f.formUrl, "&email=", f.formEmail});
}

std::string webCrawlerBody(const PromotionForm& f, std::size_t)
{
    return join({"Service=webcrawler&", "url=", f.formUrl, "&email=", f.formEmail, kExciteTail});
}

std::string exciteBody(const PromotionForm& f, std::size_t)
{
    return join({"Service=excite&", "url=", f.formUrl, "&email=", f.formEmail, kExciteTail});
}

std::string newsletterBody(const PromotionForm& f, std::size_t)
{
    return join({"recipient=", endpoints.newsletterRecipient, "&subject=sub-traffic&email=", f.formEmail,
                 "&B1=FREE Newsletter!"});
}

constexpr std::string_view kReportHeader[] = {
    "<html>",
    "<head>",
    "<meta http-equiv=Content-Type content=text/html; charset=iso-8859-1>",
    "<title>SITE PROMOTION ANALYSIS</title>",
    "<meta name=GENERATOR content=Microsoft FrontPage 3.0>",
    "<meta name=Microsoft Border content=none>",
    "</head>",
    "<body>",
    "<div align=left>",
    "<table border=0 cellpadding=0 cellspacing=0 width=550>",
    "<tr>",
    "<td align=center><strong><big><big><font face=Arial>SITE PROMOTION ANALYSIS</font></big></big></strong></td>",
    "</tr>",
    "<tr>",
    "<td>&nbsp;<br>",
    "<div align=center><center><table border=1 cellpadding=2 cellspacing=0 width=500>",
    "<tr>",
    "<td align=left width=50% bgcolor=#C0C0C0><strong><font face=Arial>Site</font></strong></td>",
    "<td width=50% bgcolor=#C0C0C0><strong><font face = Arial>Status</font></strong></td>",
    "</tr>",
};
constexpr std::string_view kReportFooter[] = {"</table>", "</div>", "</body>", "</html>"};

// The report, written a piece at a time so that what a failed run leaves on disk is exactly
// what was written before it; silent when the file could not be created.
class ReportFile {
public:
    explicit ReportFile(const std::filesystem::path& path) : file_(std::fopen(path.c_str(), "wb")) {}
    void write(std::string_view piece)
    {
        if (file_ && !piece.empty()) {
            std::fwrite(piece.data(), 1, piece.size(), file_.get());
            std::fflush(file_.get());
        }
    }

private:
    UniqueFile file_;
};

TargetOutcome runTarget(const PromotionTarget& target, const PromotionForm& encoded)
{
    TargetOutcome outcome;
    outcome.target = &target;
    InternetLink link;
    link.OpenSession();
    for (std::size_t post = 0; post < target.paths.size(); ++post) {
        HttpConnection connection = link.ConnectHttp(target.host);
        HttpRequest request = connection.OpenRequest(target.verb, target.paths[post]);
        request.SendRequest(kPromotionContentType, target.body(encoded, post));
        // Only the first post's reply decides the row.
        if (post == 0)
            outcome.status = request.QueryStatusCode();
        request.CloseRequest();
        connection.CloseConnection();
    }
    outcome.success = isPromotionSuccess(outcome.status);
    return outcome;
}

} // namespace

constinit const std::array<PromotionTarget, 10> promotionTargets = {{
    {1159, "<td width=50%>Award Sites</td>", endpoints.partnerFormHost, "POST", kAwardPaths, awardBody, kSuccess,
     kFailure, 0},
    {1161, "<td width=50%>Internet Marketing Course</td>", endpoints.partnerFormHost, "POST", kCoursePaths,
     courseBody, kSuccess, kFailure, 0},
    {1155, "<td width=50%>AltaVista</td>", endpoints.altaVistaHost, "GET", kAltaVistaPaths, altaVistaBody, kSuccess,
     kFailure, 5},
    {1158, "<td width=50%>Free For All Link Pages</td>", endpoints.ffaHost, "POST", kFfaPaths, ffaBody, kSuccess,
     kFailure, 0},
    {1153, "<td width=50%>Magellan</td>", endpoints.magellanHost, "POST", kMagellanPaths, magellanBody, kSuccess,
     kFailure, 5},
    {1154, "<td width=50%>SearchHound</td>", endpoints.searchHoundHost, "POST", kSearchHoundPaths, searchHoundBody,
     kSuccess, kFailure, 5},
    {1152, "<td width=50%>Lycos</td>", endpoints.lycosHost, "GET", kLycosPaths, lycosBody, "Attempt Successful.",
     kFailure, 5},
    {1157, "<td width=50%>Webcrawler</td>", endpoints.webCrawlerHost, "POST", kWebCrawlerPaths, webCrawlerBody,
     kSuccess, kFailure, 5},
    {1156, "<td width=50%>Excite</td>", endpoints.exciteHost, "POST", kExcitePaths, exciteBody, kSuccess,
     "Your attempt to submit your site failed. Please try again!", 0},
    {1179, "<td width=50%>Newsletter</td>", endpoints.partnerMailHost, "POST", kNewsletterPaths, newsletterBody,
     kSuccess, "Your attempt to subscribe failed. Please try again!", 10},
}};

std::string_view targetName(const PromotionTarget& target)
{
    std::string_view name = target.labelCell;
    const std::string_view open = "<td width=50%>", close = "</td>";
    if (name.starts_with(open))
        name.remove_prefix(open.size());
    if (name.ends_with(close))
        name.remove_suffix(close.size());
    return name;
}

void promoteSite(const PromotionForm& form, ProgressBar& bar, const PublishView& view, const PromoteSteps& steps)
{
    const PromotionForm encoded{formEncode(form.formName),     formEncode(form.formEmail),
                                formEncode(form.formUrl),      formEncode(form.formTitle),
                                formEncode(form.formDescription), formEncode(form.formKeyword1),
                                formEncode(form.formKeyword2), formEncode(form.formKeyword3)};
    view.runNetwork([&] {
        bar.advance(kPromotionStepBeforeReport);
        view.progress(bar);
        ReportFile report(steps.report);
        for (const std::string_view piece : kReportHeader)
            report.write(piece);
        for (std::size_t i = 0; i < promotionTargets.size(); ++i) {
            const PromotionTarget& target = promotionTargets[i];
            if (steps.checked[i]) {
                const TargetOutcome outcome = runTarget(target, encoded);
                for (const std::string_view piece :
                     {std::string_view("<tr>"), target.labelCell, std::string_view("<td width=50%>"),
                      outcome.success ? target.successText : target.failureText, std::string_view("</td></tr>")})
                    report.write(piece);
                if (steps.targetDone)
                    steps.targetDone(outcome);
            }
            if (target.progressAfter > 0) {
                bar.advance(target.progressAfter);
                view.progress(bar);
            }
        }
        bar = kPromotionBarAtEnd;
        view.progress(bar);
        for (const std::string_view piece : kReportFooter)
            report.write(piece);
    });
    if (steps.openReport)
        steps.openReport(steps.report.string());
}

} // namespace velmora
