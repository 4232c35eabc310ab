// libFuzzer target for the profile reader: arbitrary bytes decoded into a site record.
// Built and run by scripts/fuzz-profile. A crash, a leak, a sanitizer report or an allocation
// over the run's -malloc_limit_mb fails the run; the past-end ProfileError is the expected
// answer to most inputs.

#include "profile/ProfileFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    velmora::SiteProfile profile;
    try {
        velmora::decodeProfile(profile, bytes);
    } catch (const velmora::ProfileError&) {
        return 0;
    }
    // The texts never hold more bytes than the input (a 2-byte character gives one byte).
    std::size_t total = 0;
    for (const velmora::ProfileField& field : velmora::profileFields)
        total += field.of(profile).size();
    if (total > size)
        std::abort();
    // A complete load survives a save and a reload unchanged.
    const std::string again = velmora::encodeProfile(profile);
    velmora::SiteProfile reread;
    velmora::decodeProfile(reread, again);
    if (!(reread == profile))
        std::abort();
    return 0;
}
