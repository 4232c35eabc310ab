#pragma once

#include <string_view>

namespace velmora {

// The domain under which the partner web host runs its secure servers. It lies under a name
// reserved for examples, so no page can ever send a buyer's data to someone's real server.
inline constexpr std::string_view secureDomain = "hostingpartner.example";

} // namespace velmora
