#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Finds the partner web host's secure server for the site at `siteUrl`: asks the site for
// "/faq.html", saves the reply as "test.txt" in the current directory and reads the server's
// name from it. The result always ends with secureDomain, and is secureDomain alone when
// nothing was found. Never fails: an internet failure leaves an "Internet Error" line in
// "test.txt" and finds nothing.
std::string probe(const std::string& siteUrl);

// The line of the partner's note after which the server's name follows.
inline constexpr std::string_view probeMarker = "Use the following url to access your pages via the secure server.";

// "test.txt" is a text file as the wizard's platform writes one: every LF is stored as
// CR LF, and reading turns every CR LF back into LF.
std::string toTextFile(std::string_view bytes);
std::string fromTextFile(std::string_view bytes);

// The lookup proper, on the saved reply as read back from "test.txt": finds the marker
// line, skips two lines, then 13 characters, and takes the name up to and including the
// first "." when it is one or more letters, digits and '-'. Returns that name followed by
// secureDomain, or secureDomain alone.
std::string secureHostFromText(std::string_view text);

} // namespace velmora
