// CREATE of the example site, in process and as a whole velmora-build run.

#include "base/FileUtil.h"
#include "generator/CreateSite.h"
#include "model/StateJson.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = VELMORA_SOURCE_DIR;
const fs::path kExample = kSource / "examples" / "harbor-lane" / "state.json";

velmora::SiteProfile exampleProfile()
{
    velmora::SiteProfile profile;
    velmora::applyStateJson(profile, velmora::readWholeFile(kExample).bytes);
    profile.picturePath = (kExample.parent_path() / profile.picturePath).string();
    return profile;
}

fs::path benchFolder(const char* name, const fs::path& under = fs::temp_directory_path())
{
    const fs::path folder = under / name;
    fs::create_directories(folder);
    return folder;
}

// The seven pages of the example site, without copying any picture, over the pages of the
// run before. Most of its time is the file system's: seven temporary files created, written
// and renamed over the old pages. Argument 0 writes into the temporary folder (a disk here),
// 1 into /dev/shm (tmpfs).
void BM_CreateSitePages(benchmark::State& state)
{
    const fs::path under = state.range(0) == 1 ? fs::path("/dev/shm") : fs::temp_directory_path();
    velmora::SiteProfile profile = exampleProfile();
    velmora::GeneratorState generator;
    velmora::CreateSteps steps;
    steps.outputFolder = benchFolder("velmora-bench-pages", under);
    steps.copyPictures = false;
    for (auto _ : state) {
        const auto report = velmora::CreateSite(profile, steps, generator);
        if (!report.ok())
            state.SkipWithError("CREATE failed");
    }
    fs::remove_all(steps.outputFolder);
}
BENCHMARK(BM_CreateSitePages)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The page writers alone, into memory: the generator's own share of a CREATE.
void BM_WritePagesInMemory(benchmark::State& state)
{
    velmora::SiteProfile profile = exampleProfile();
    velmora::PageStyle style;
    velmora::resolvePageStyle(style, profile);
    const std::string secureHost = "hostingpartner.example", stem = velmora::siteStem(profile.siteUrl);
    const velmora::PageContext context{profile, style, velmora::imageSet(profile.buttonSet), secureHost, stem};
    std::string out;
    for (auto _ : state) {
        out.clear();
        velmora::PageWriter w(out);
        velmora::writeHomePage(w, context);
        velmora::writeTestimonialsPage(w, context);
        velmora::writeFaqPage(w, context);
        velmora::writeFeaturesPage(w, context);
        velmora::writeAboutPage(w, context);
        velmora::writeOrderPage(w, context);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_WritePagesInMemory)->Unit(benchmark::kMicrosecond);

// The headless command as a user runs it, pictures included.
void BM_VelmoraBuildProcess(benchmark::State& state)
{
    const fs::path out = benchFolder("velmora-bench-process");
    const std::string command = "cd '" + kSource.string() + "' && '" VELMORA_BUILD_PROGRAM "' --state '" +
                                kExample.string() + "' --out '" + out.string() + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("velmora-build failed");
    }
    fs::remove_all(out);
}
BENCHMARK(BM_VelmoraBuildProcess)->Unit(benchmark::kMillisecond);

} // namespace
