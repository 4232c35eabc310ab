#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace velmora {

// The headless command: fills a site record from a state file, prints it and writes the site
// as CREATE does. Returns the exit status: 0 done, 1 a run-time failure, 2 bad usage or a bad
// state file.
int runBuildCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace velmora
