// The layer's process-wide settings and the checks of host names and connect-to entries.

#include "base/CharClass.h"
#include "publish/CurlHandle.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <vector>

namespace velmora::net {
namespace {

bool isHostChar(char c)
{
    return chars::isLetterOrDigit(c) || c == '-' || c == '.' || c == '_';
}

bool isIpv6Char(char c)
{
    return chars::isHexDigit(c) || c == ':' || c == '.';
}

bool isPort(std::string_view text)
{
    if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), chars::isDigit))
        return false;
    int port = 0;
    std::from_chars(text.data(), text.data() + text.size(), port);
    return port >= 1 && port <= 65535;
}

// Splits at ':' outside brackets.
std::vector<std::string_view> splitHostPorts(std::string_view entry)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    bool inBrackets = false;
    for (std::size_t i = 0; i < entry.size(); ++i) {
        if (entry[i] == '[')
            inBrackets = true;
        else if (entry[i] == ']')
            inBrackets = false;
        else if (entry[i] == ':' && !inBrackets) {
            parts.push_back(entry.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(entry.substr(start));
    return parts;
}

} // namespace

bool isHostName(std::string_view host)
{
    if (host.empty() || host.size() > 255)
        return false;
    if (host.front() == '[')
        return host.size() > 2 && host.back() == ']' &&
               std::all_of(host.begin() + 1, host.end() - 1, isIpv6Char);
    return std::all_of(host.begin(), host.end(), isHostChar);
}

Settings& settings()
{
    static Settings instance;
    return instance;
}

bool isValidConnectTo(std::string_view entry)
{
    const auto parts = splitHostPorts(entry);
    if (parts.size() != 4 || !isPort(parts[1]) || !isPort(parts[3]))
        return false;
    return (parts[0].empty() || isHostName(parts[0])) && (parts[2].empty() || isHostName(parts[2]));
}

void Settings::addConnectTo(const std::string& entry)
{
    if (!isValidConnectTo(entry))
        throw std::invalid_argument("\"" + entry + "\" is not of the form HOST:PORT:CONNECT-TO-HOST:CONNECT-TO-PORT");
    connectTo_.push_back(entry);
}

} // namespace velmora::net
