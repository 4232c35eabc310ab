#pragma once

#include <string_view>

namespace velmora::ui {

// The partner web host's home page, where a user without web space is sent. Like the secure
// servers it lies under a name reserved for examples.
inline constexpr std::string_view partnerHostPage = "http://www.hostingpartner.example/";

} // namespace velmora::ui
