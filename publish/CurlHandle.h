#pragma once

// Inside the internet layer only: the libcurl easy handle behind a connection, and the small
// helpers the layer's files share. Nothing outside publish/ includes this.

#include "publish/InternetLink.h"

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

namespace velmora::net {

[[noreturn]] void fail(CURLcode code);

// A host name or IPv4 address, or an IPv6 address in brackets; nothing that could carry a
// scheme, user, port or path into the URL built from it.
bool isHostName(std::string_view host);

// Whole seconds for libcurl's second-based limits, at least one.
long wholeSeconds(std::chrono::milliseconds duration);
// Milliseconds for libcurl's limits, at least one.
long millis(std::chrono::milliseconds duration);

// libcurl's global initialisation, done once.
CURLcode initialiseCurl();

struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

// Appends a line to a libcurl string list; throws CInternetException when out of memory.
void append(Slist& list, const std::string& line);

namespace detail {

// One libcurl easy handle: an FTP control connection or an HTTP connection's requests.
struct Handle {
    CURL* curl = nullptr;
    std::string host;
    std::string agent;
    Slist connectTo;
    Slist headers;

    ~Handle() { close(); }
    void close() noexcept;
    // Options every transfer of the handle shares; libcurl keeps its connection cache across
    // curl_easy_reset, so this is repeated for each HTTP request.
    void applyCommon();
};

} // namespace detail
} // namespace velmora::net
