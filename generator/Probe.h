#pragma once

#include <string>

namespace velmora {

// Finds the partner web host's secure server for the site at `siteUrl`; the result always
// ends with secureDomain, and is secureDomain alone when nothing was found.
std::string probe(const std::string& siteUrl);

} // namespace velmora
