#include "generator/PageStyle.h"

#include "base/CharClass.h"

#include <algorithm>

namespace velmora {
namespace {

struct Template {
    char letter;
    const char* barColor;
    const char* accentColor;
};

// The ready-made designs; all three use a white page.
constexpr Template kTemplates[] = {
    {'A', "#5577AA", "#4E9B8C"},
    {'B', "#017F9E", "#EAC725"},
    {'C', "#70853D", "#290839"},
};

void setImageNames(PageStyle& style, char set)
{
    style.homeImage = "home.gif";
    style.testimonialsImage = "testimonials.gif";
    style.featuresImage = "features.gif";
    style.faqImage = "faq.gif";
    style.aboutImage = set == 'A' ? "company.gif" : "about.gif";
    style.orderImage = "order.gif";
}

} // namespace

void resolvePageStyle(PageStyle& style, const SiteProfile& profile)
{
    const ButtonSet& buttons = profile.buttonSet;
    for (const Template& t : kTemplates) {
        if (buttons.templateChoice == t.letter) {
            style.pageColor = "#FFFFFF";
            style.barColor = t.barColor;
            style.accentColor = t.accentColor;
            setImageNames(style, t.letter);
            return;
        }
    }
    style.pageColor = profile.backgroundColor.htmlHex();
    style.barColor = profile.navBarColor.htmlHex();
    style.linkColor = profile.navLinkColor.htmlHex();
    if (buttons.buttonChoice == 'A' || buttons.buttonChoice == 'B' || buttons.buttonChoice == 'C')
        setImageNames(style, buttons.buttonChoice);
}

char imageSet(const ButtonSet& buttons)
{
    for (const char set : {'A', 'B', 'C'}) {
        if (buttons.templateChoice == set || buttons.buttonChoice == set)
            return set;
    }
    return '\0';
}

std::string_view siteHost(std::string_view siteUrl)
{
    for (const std::string_view scheme : {"http://", "https://"}) {
        if (siteUrl.size() >= scheme.size() &&
            std::equal(scheme.begin(), scheme.end(), siteUrl.begin(),
                       [](char a, char b) { return a == (chars::isLetter(b) ? (b | 0x20) : b); })) {
            siteUrl.remove_prefix(scheme.size());
            break;
        }
    }
    return siteUrl.substr(0, siteUrl.find('/'));
}

std::string siteStem(std::string_view siteUrl)
{
    std::string stem;
    const std::string_view host = siteHost(siteUrl);
    if (host.size() <= 8)
        return stem;
    for (const char c : host.substr(4, host.size() - 8)) {
        if (c != '.')
            stem += c;
    }
    return stem;
}

} // namespace velmora
