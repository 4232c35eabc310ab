#pragma once

#include <array>
#include <filesystem>

namespace velmora::OutputDir {

// The folder the wizard writes the site into: "VelmoraP" in the user's home folder.
std::filesystem::path standardFolder();

// The page files, in the order CREATE opens them.
inline constexpr std::array<const char*, 7> kPageFiles = {
    "index.html", "testimonials.html", "freq.html", "features.html",
    "about.html", "order.html",        "saleslip.html",
};

// Where the program's navigation pictures are installed: share/velmora/images beside the
// folder that holds the running program, found from the program's own location.
std::filesystem::path pictureFolder();

} // namespace velmora::OutputDir
