#pragma once

#include "model/SiteProfile.h"

#include <string>
#include <string_view>

namespace velmora {

// The resolved look of one CREATE. One lives for the whole process: each run assigns what the
// chosen style decides and leaves the other members as an earlier run set them.
struct PageStyle {
    std::string pageColor;
    std::string barColor;
    std::string accentColor;
    std::string linkColor;
    std::string homeImage;
    std::string testimonialsImage;
    std::string featuresImage;
    std::string faqImage;
    std::string aboutImage;
    std::string orderImage;

    friend bool operator==(const PageStyle&, const PageStyle&) = default;
};

void resolvePageStyle(PageStyle& style, const SiteProfile& profile);

// The navigation picture set of a run: the first of 'A', 'B', 'C' that either style list
// holds, or '\0' for none (text links, nothing copied).
char imageSet(const ButtonSet& buttons);

// The site address as a host name: a leading "http://" or "https://" (any letter case) and
// everything from the first "/" on are left out, so an address typed with its scheme or a path
// still names the host; "www.acme.com" stays as it is.
std::string_view siteHost(std::string_view siteUrl);

// The site's short name for the secure-server addresses: the host without its first four and
// last four characters and without dots ("www.acme.com" gives "acme").
std::string siteStem(std::string_view siteUrl);

} // namespace velmora
