#pragma once

#include "model/SiteProfile.h"
#include "model/TextFields.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

// Profile files: the 44 texts of a SiteProfile as length-prefixed strings back to
// back, no header. Saving and loading run through the one table profileFields.
namespace velmora {

// A profile file that could not be read or written. what() is the description shown to the
// user: the past-end message below, or "Cannot open|read|save FILE: <platform description>".
class ProfileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The archive's past-end description, with "an unnamed file" in place of its %1.
inline constexpr std::string_view kProfilePastEndMessage =
    "An attempt was made to access an unnamed file past its end.";

// One text of a profile file: a field of the record's one table of texts.
using ProfileField = TextField;

// The 44 texts in file order.
extern const std::array<ProfileField, 44> profileFields;

// Writes the record's 44 texts to `path`. An existing regular file is replaced only once all
// 44 strings are written and flushed to a temporary file beside it (same folder), by renaming
// that file over it; on any failure the old file is untouched and the temporary file removed.
// A symbolic link is followed (its target is replaced, the link kept). An existing file that is
// not a regular file (a device such as /dev/null, a pipe) is written in place.
// Throws ProfileError "Cannot save FILE: <platform description>".
void saveProfile(const SiteProfile& profile, const std::filesystem::path& path);

// Reads 44 texts from `path` into the record, storing each the moment it is read; nothing but
// the 44 texts changes. Bytes after the 44th string are ignored. A string in the 0xFFFE form
// (UTF-16LE) is converted to Windows-1252: a character the code page cannot hold becomes '?',
// a surrogate pair one '?', a lone surrogate '?'; in that form's second prefix 0xFFFE is an
// ordinary 16-bit length. A stated length longer than what is left of the file is the past-end
// error before anything is allocated for it. Throws ProfileError:
// "Cannot open FILE: ..." (nothing changed), "Cannot read FILE: ..." or the past-end message;
// after those two the strings read in full are in the record and the field being read, like
// every later one, keeps its earlier value.
void loadProfile(SiteProfile& profile, const std::filesystem::path& path);

// The bytes saveProfile writes. Throws ProfileError for a text longer than 0xFFFFFFFF bytes,
// which the format cannot state.
std::string encodeProfile(const SiteProfile& profile);

// Reads 44 strings from `bytes` into the record exactly as loadProfile reads a file (same
// errors, same partial result).
void decodeProfile(SiteProfile& profile, std::string_view bytes);

// The length prefix of a string of `length` characters: 1, 3 or 7 bytes.
std::string encodeLengthPrefix(std::uint64_t length);

} // namespace velmora
