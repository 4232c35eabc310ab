#include "publish/CurlHandle.h"

#include <algorithm>
#include <mutex>

namespace velmora::net {

void fail(CURLcode code)
{
    throw CInternetException(static_cast<int>(code));
}

long wholeSeconds(std::chrono::milliseconds duration)
{
    const auto seconds = std::chrono::ceil<std::chrono::seconds>(duration).count();
    return static_cast<long>(std::max<decltype(seconds)>(seconds, 1));
}

long millis(std::chrono::milliseconds duration)
{
    return static_cast<long>(std::max<std::chrono::milliseconds::rep>(duration.count(), 1));
}

CURLcode initialiseCurl()
{
    static std::once_flag once;
    static CURLcode result = CURLE_OK;
    std::call_once(once, [] { result = curl_global_init(CURL_GLOBAL_DEFAULT); });
    return result;
}

void append(Slist& list, const std::string& line)
{
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (!grown)
        fail(CURLE_OUT_OF_MEMORY);
    list.release();
    list.reset(grown);
}

namespace detail {

void Handle::close() noexcept
{
    if (curl)
        curl_easy_cleanup(curl);
    curl = nullptr;
    connectTo.reset();
    headers.reset();
}

void Handle::applyCommon()
{
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, millis(settings().connectTimeout));
    connectTo.reset();
    for (const std::string& entry : settings().connectTo())
        append(connectTo, entry);
    curl_easy_setopt(curl, CURLOPT_CONNECT_TO, connectTo.get());
}

} // namespace detail
} // namespace velmora::net
