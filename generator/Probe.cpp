#include "generator/Probe.h"

#include "generator/SecureDomain.h"

namespace velmora {

// The lookup on the user's web site comes with the internet layer; until then nothing is
// found, which is what the lookup gives for a site without the partner's note.
std::string probe(const std::string& /*siteUrl*/)
{
    return std::string(secureDomain);
}

} // namespace velmora
