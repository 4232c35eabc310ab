#pragma once

#include <string>
#include <string_view>

namespace velmora {

// What the secure-server lookup found.
struct ProbeResult {
    // The server's name part with its dot followed by secureDomain, or secureDomain alone.
    std::string secureHost;
    // Why no name was found: the internet failure, a page without the note, a refused name or
    // a working file that could not be written. Empty when a name was found.
    std::string problem;

    bool found() const { return problem.empty(); }
};

// Finds the partner web host's secure server for the site at `siteHost` (a host name: see
// siteHost()): asks the site for "/faq.html", saves the reply as "test.txt" in the current
// directory and reads the server's name from it. Never throws: an internet failure leaves an
// "Internet Error" line in "test.txt" and finds nothing. Touches no window, so it may run off
// the user-interface thread.
ProbeResult probe(const std::string& siteHost);

// The line of the partner's note after which the server's name follows.
inline constexpr std::string_view probeMarker = "Use the following url to access your pages via the secure server.";

// "test.txt" is a text file as the wizard's platform writes one: every LF is stored as
// CR LF, and reading turns every CR LF back into LF.
std::string toTextFile(std::string_view bytes);
std::string fromTextFile(std::string_view bytes);

// The lookup proper, on the saved reply as read back from "test.txt": finds the marker line,
// skips two lines, then 13 characters, and takes the name up to and including the first "."
// when it is one label of a host name (1 to 63 letters, digits and '-').
struct NoteReading {
    enum class Outcome { Found, NoNote, RefusedName };
    Outcome outcome;
    std::string secureHost; // as ProbeResult::secureHost
};
NoteReading readSecureNote(std::string_view text);

} // namespace velmora
