#include "generator/PageFrame.h"
#include "generator/PageStyle.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ImageSet, TakesTheFirstOfABCThatEitherListHolds)
{
    struct Case {
        char templateChoice, buttonChoice, set;
    };
    const Case cases[] = {
        {'\0', '\0', '\0'}, {'\0', 'D', '\0'}, {'A', '\0', 'A'}, {'\0', 'C', 'C'},
        {'B', 'D', 'B'},    {'B', 'A', 'A'},   {'C', 'B', 'B'},  {'A', 'C', 'A'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(imageSet({c.templateChoice, c.buttonChoice}), c.set) << c.templateChoice << "/" << c.buttonChoice;
}

TEST(SiteStem, DropsFourCharactersAtEachEndAndEveryDot)
{
    const std::pair<const char*, const char*> cases[] = {
        {"www.acme.com", "acme"},
        {"www.blue.harbor.com", "blueharbor"},
        {"www.", ""},
        {"", ""},
        {"www..com", ""},
        {"www.a.com", "a"},
        {"acme.org", ""},
    };
    for (const auto& [url, stem] : cases)
        EXPECT_EQ(siteStem(url), stem) << url;
}

TEST(PageStyle, ATemplateDecidesColoursAndPictureNames)
{
    SiteProfile profile;
    profile.navLinkColor = ColorText::fromValue(0x00123456);
    const std::tuple<char, const char*, const char*, const char*> cases[] = {
        {'A', "#5577AA", "#4E9B8C", "company.gif"},
        {'B', "#017F9E", "#EAC725", "about.gif"},
        {'C', "#70853D", "#290839", "about.gif"},
    };
    for (const auto& [letter, bar, accent, about] : cases) {
        profile.buttonSet = {letter, 'A'};
        PageStyle style;
        resolvePageStyle(style, profile);
        EXPECT_EQ(style.pageColor, "#FFFFFF");
        EXPECT_EQ(style.barColor, bar);
        EXPECT_EQ(style.accentColor, accent);
        EXPECT_EQ(style.linkColor, "") << "a template leaves the link colour as it was";
        EXPECT_EQ(style.aboutImage, about);
        EXPECT_EQ(style.homeImage, "home.gif");
    }
}

TEST(PageStyle, WithoutATemplateTheUsersColoursAndButtonsDecideAndTheRestIsKept)
{
    PageStyle style;
    SiteProfile profile;
    profile.buttonSet = {'A', '\0'};
    resolvePageStyle(style, profile);

    profile.buttonSet = {'\0', 'D'};
    profile.backgroundColor = ColorText::fromValue(0x00F0F0F0);
    profile.navBarColor = ColorText::fromValue(0x00AA7755);
    resolvePageStyle(style, profile);
    EXPECT_EQ(style.pageColor, "F0F0F0");
    EXPECT_EQ(style.barColor, "5577AA");
    EXPECT_EQ(style.linkColor, "");
    EXPECT_EQ(style.accentColor, "#4E9B8C") << "kept from the template run";
    EXPECT_EQ(style.aboutImage, "company.gif") << "text links keep the earlier picture names";

    profile.buttonSet = {'\0', 'C'};
    resolvePageStyle(style, profile);
    EXPECT_EQ(style.aboutImage, "about.gif");
}

struct BannerCase {
    const char* name;
    const char* heading; // [x] stands for an enlarged wrapper around x
};

std::string expectedBanner(const std::string& heading)
{
    std::string out;
    for (std::size_t i = 0; i < heading.size(); ++i) {
        if (heading[i] == '[') {
            const std::size_t close = heading.find(']', i);
            out += "<font color=BAR face=Arial><big>" + heading.substr(i + 1, close - i - 1) + "</big></font>";
            i = close;
        } else {
            out += heading[i];
        }
    }
    return out;
}

TEST(BannerHeading, EnlargesTheFirstLetterOfEachWordAndDropsTheSpaces)
{
    const BannerCase cases[] = {
        {"Acme Widget Co", "cme[W]idget[C]o"},
        {"Acme", "cme"},
        {"A", ""},
        {"Blue ", "lue[]"},
        {"a  b", "[ ]b"},
        {"a b c", "[b][c]"},
    };
    SiteProfile profile;
    PageStyle style;
    style.barColor = "BAR";
    style.accentColor = "ACC";
    const std::string host, stem;
    for (const BannerCase& c : cases) {
        profile.companyName = c.name;
        std::string out;
        PageWriter w(out);
        writeBannerHeading(w, PageContext{profile, style, 'A', host, stem});
        const std::string expected = std::string("<td><p align=center><strong><big><big><font face=Arial color=BAR><big>") +
                                     c.name[0] + "</big></font><font face=Arial color=ACC>" + expectedBanner(c.heading);
        EXPECT_EQ(out, expected) << c.name;
    }
    profile.companyName.clear();
    std::string out;
    PageWriter w(out);
    writeBannerHeading(w, PageContext{profile, style, 'A', host, stem});
    EXPECT_EQ(out, "<td><p align=center><strong><big><big><font face=Arial color=BAR><big></big></font>"
                   "<font face=Arial color=ACC>");
}

} // namespace
} // namespace velmora
