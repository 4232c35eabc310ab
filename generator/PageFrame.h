#pragma once

#include "generator/PageStyle.h"
#include "generator/PageWriter.h"
#include "model/SiteProfile.h"

#include <string>
#include <string_view>

namespace velmora {

// The five pages that share the whole frame (banner, navigation column, content cell).
enum class FramedPage { Home, Testimonials, Freq, Features, About };

// What every page writer reads besides its own fields: the record, the resolved look, the
// navigation kind ('A', 'B', 'C' picture sets, '\0' text links) and the secure addresses.
struct PageContext {
    const SiteProfile& profile;
    const PageStyle& style;
    char navKind;
    const std::string& secureHost;
    const std::string& siteStem;
};

void writePageTop(PageWriter& w, FramedPage page, const PageContext& context);
void writePageBottom(PageWriter& w, FramedPage page);

// The company name with the first letter of each word enlarged; ends without a line end.
void writeBannerHeading(PageWriter& w, const PageContext& context);

// The six navigation entries, one line each. The order page links itself by its bare name;
// elsewhere a hosting customer's order entry leads to the secure server's copy.
enum class OrderLink { ByHosting, Local };
void writeNavigation(PageWriter& w, const PageContext& context, OrderLink orderLink);

// A user's text written character by character, each CR replaced by `breakTag` and a line
// end; every other character, LF included, as it stands.
void writeBreakingAtCR(PageWriter& w, std::string_view text, std::string_view breakTag);

// An attribute value in double quotes, '&' and '"' written as character references.
void writeQuotedAttribute(PageWriter& w, std::string_view text);

// A font face as an attribute value: as it stands when it is empty or one word of letters,
// digits and '-'; otherwise in double quotes with '&' and '"' as character references.
void writeFaceName(PageWriter& w, std::string_view face);

// "<font face=" + face + " color=#" + RRGGBB, the opening of a text style's font tag.
void writeStyleOpen(PageWriter& w, const TextStyle& style);

} // namespace velmora
