#pragma once

// Every host and address the promotion run names, in one place. The promotion partner is
// fictional and the old search services are gone, so all of them lie under names reserved for
// examples (RFC 2606): nothing a user types can reach a stranger's server. A staging setup
// points them at real servers with the connect-to table (net::Settings).

#include <array>
#include <string_view>

namespace velmora {

struct PromotionEndpoints {
    std::string_view partnerFormHost;   // the partner's scripts: award sites, marketing course
    std::string_view partnerMailHost;   // the partner's mail form: the newsletter
    std::string_view ffaHost;           // the free-for-all link pages
    std::string_view altaVistaHost;
    std::string_view magellanHost;      // an Excite host, not exciteHost
    std::string_view searchHoundHost;
    std::string_view lycosHost;
    std::string_view webCrawlerHost;
    std::string_view exciteHost;
    std::string_view awardThanksUrl;    // where the award scripts send the visitor afterwards
    std::string_view newsletterRecipient;
    // The five addresses the Promotion Links dialog shows, top to bottom.
    std::array<std::string_view, 5> shownAddresses;
};

inline constexpr PromotionEndpoints promotionEndpoints = {
    .partnerFormHost = "scripts.promotion-partner.example",
    .partnerMailHost = "mail.promotion-partner.example",
    .ffaHost = "links.ffa-pages.example",
    .altaVistaHost = "altavista.search.example",
    .magellanHost = "magellan.excite.example",
    .searchHoundHost = "www.searchhound.example",
    .lycosHost = "www.lycos.example",
    .webCrawlerHost = "www.webcrawler.example",
    .exciteHost = "www.excite.example",
    .awardThanksUrl = "http://www.promotion-partner.example/awardthanks.htm",
    .newsletterRecipient = "newsletter@promotion-partner.example",
    .shownAddresses = {
        "http://www.promotion-partner.example/google.html",
        "http://www.promotion-partner.example/alexa.html",
        "http://www.promotion-partner.example/seo.html",
        "http://www.promotion-partner.example/email-optimize.html",
        "http://www.promotion-partner.example/site-submitter.html",
    },
};

} // namespace velmora
