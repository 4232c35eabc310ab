// Profile files: loading and saving a 10 MB profile; loading one should take well under 50 ms.

#include "profile/ProfileFile.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileSize = 10 * 1024 * 1024;

// 44 texts of about 238 KB each: lines of text with CR LF breaks and high Windows-1252 bytes.
velmora::SiteProfile bigProfile()
{
    const std::string line = "Quality widgets at fair prices \xE9\x80\x93 order today!\r\n";
    const std::size_t each = kFileSize / velmora::profileFields.size() - 7;
    velmora::SiteProfile profile;
    for (const velmora::ProfileField& field : velmora::profileFields) {
        std::string& text = field.of(profile);
        while (text.size() + line.size() <= each)
            text += line;
        text.append(each - text.size(), 'x');
    }
    return profile;
}

// The same texts written as 2-byte characters (the 0xFFFE form), about 10 MB as well.
std::string wideBytes(const velmora::SiteProfile& profile)
{
    std::string bytes;
    for (const velmora::ProfileField& field : velmora::profileFields) {
        const std::string& text = field.of(profile);
        const std::size_t units = text.size() / 2;
        bytes += "\xFF\xFE\xFF" + velmora::encodeLengthPrefix(units);
        for (std::size_t i = 0; i < units; ++i) {
            bytes += text[i] & 0x7F;
            bytes += '\0';
        }
    }
    return bytes;
}

// The benchmark's files, written once and removed when the program ends.
struct Files {
    fs::path folder = fs::temp_directory_path() / ("velmora-profile-bench-" + std::to_string(::getpid()));
    velmora::SiteProfile profile = bigProfile();
    std::string bytes = velmora::encodeProfile(profile);
    fs::path narrow = folder / "big.dat";
    fs::path wide = folder / "wide.dat";

    Files()
    {
        fs::create_directories(folder);
        velmora::saveProfile(profile, narrow);
        std::ofstream(wide, std::ios::binary) << wideBytes(profile);
    }
    ~Files()
    {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

Files& files()
{
    static Files instance;
    return instance;
}

void BM_LoadProfile10MB(benchmark::State& state)
{
    Files& f = files();
    velmora::SiteProfile profile;
    for (auto _ : state) {
        velmora::loadProfile(profile, f.narrow);
        benchmark::DoNotOptimize(profile.siteUrl.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(f.narrow)));
}
BENCHMARK(BM_LoadProfile10MB)->Unit(benchmark::kMillisecond);

void BM_LoadWideProfile10MB(benchmark::State& state)
{
    Files& f = files();
    velmora::SiteProfile profile;
    for (auto _ : state) {
        velmora::loadProfile(profile, f.wide);
        benchmark::DoNotOptimize(profile.siteUrl.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(f.wide)));
}
BENCHMARK(BM_LoadWideProfile10MB)->Unit(benchmark::kMillisecond);

void BM_DecodeProfile10MB(benchmark::State& state)
{
    Files& f = files();
    velmora::SiteProfile profile;
    for (auto _ : state) {
        velmora::decodeProfile(profile, f.bytes);
        benchmark::DoNotOptimize(profile.siteUrl.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_DecodeProfile10MB)->Unit(benchmark::kMillisecond);

// Includes the temporary file, fsync and rename of every save.
void BM_SaveProfile10MB(benchmark::State& state)
{
    Files& f = files();
    const fs::path path = f.folder / "saved.dat";
    for (auto _ : state)
        velmora::saveProfile(f.profile, path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_SaveProfile10MB)->Unit(benchmark::kMillisecond);

} // namespace
