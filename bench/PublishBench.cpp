// Publishing: the upload of the example site to a local FTP server, next to curl and lftp
// sending the same files to the same server in the same run, and one promotion run against a
// local web server that answers at once. Each runs five times and reports the median, since the
// servers share the machine with everything else.

#ifdef VELMORA_BENCH_NET

#include "base/FileUtil.h"
#include "generator/CreateSite.h"
#include "model/StateJson.h"
#include "publish/InternetLink.h"
#include "publish/PromoteSite.h"
#include "publish/UploadSite.h"
#include "publish/tests/NetTestKit.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

namespace fs = std::filesystem;
using velmora::testkit::FtpTestServer;

constexpr const char* kFtpHost = "ftp.example.test";
constexpr const char* kUser = "bob";
constexpr const char* kPassword = "s3cret";

// The example site as CREATE writes it, and an FTP server with a "www" folder (and its "shop")
// to send it to; made once for every upload benchmark.
struct UploadBench {
    velmora::testkit::TempDir site;
    FtpTestServer server{kUser, kPassword};

    UploadBench()
    {
        const fs::path example = fs::path(VELMORA_SOURCE_DIR) / "examples" / "harbor-lane" / "state.json";
        velmora::SiteProfile profile;
        velmora::applyStateJson(profile, velmora::readWholeFile(example).bytes);
        profile.picturePath = (example.parent_path() / profile.picturePath).string();
        velmora::CreateSteps steps;
        steps.outputFolder = site.path();
        velmora::CreateSite(profile, steps);
        fs::create_directories(server.root() / "www" / "shop");
    }
    std::string url(std::string_view path) const
    {
        return "ftp://127.0.0.1:" + std::to_string(server.port()) + "/" + std::string(path);
    }
    static UploadBench& get()
    {
        static UploadBench bench;
        return bench;
    }
};

void countBytes(benchmark::State& state, const fs::path& folder)
{
    std::int64_t bytes = 0;
    for (const auto& entry : velmora::uploadList)
        bytes += static_cast<std::int64_t>(fs::file_size(folder / entry.local));
    state.SetBytesProcessed(bytes * state.iterations());
}

// The Upload button's whole run: one login, 15 files in active mode, one logout.
void BM_UploadExampleSite(benchmark::State& state)
{
    UploadBench& bench = UploadBench::get();
    const velmora::net::Settings saved = velmora::net::settings();
    velmora::net::settings().addConnectTo(bench.server.connectTo(kFtpHost));
    const velmora::UploadForm form{kFtpHost, kUser, kPassword, "/www", true};
    velmora::UploadSteps steps;
    steps.folder = bench.site.path();
    for (auto _ : state) {
        velmora::ProgressBar bar;
        if (!velmora::uploadSite(form, bar, velmora::PublishView{}, steps).successful())
            state.SkipWithError("the upload failed");
    }
    velmora::net::settings() = saved;
    countBytes(state, bench.site.path());
}
BENCHMARK(BM_UploadExampleSite)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1)->Repetitions(5)->ReportAggregatesOnly(true);

// The same 15 files, one `curl -T` (active mode) per file.
void BM_UploadCurlPerFile(benchmark::State& state)
{
    UploadBench& bench = UploadBench::get();
    const std::string login = std::string(kUser) + ":" + kPassword;
    for (auto _ : state) {
        for (const velmora::UploadEntry& entry : velmora::uploadList) {
            const std::string remote = "www" + std::string(entry.remoteSuffix);
            const auto run = velmora::testkit::runProgram(
                {"/usr/bin/curl", "-sS", "--ftp-port", "-", "-u", login, "-T", (bench.site.path() / entry.local).string(),
                 bench.url(remote)},
                bench.site.path());
            if (run.exitCode != 0)
                state.SkipWithError(("curl failed: " + run.err).c_str());
        }
    }
    countBytes(state, bench.site.path());
}
BENCHMARK(BM_UploadCurlPerFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1)->Repetitions(5)->ReportAggregatesOnly(true);

// The whole folder by `lftp -e "mirror -R"` (active mode), into a fresh remote folder each
// time so that every file is sent.
void BM_UploadLftpMirror(benchmark::State& state)
{
    if (!fs::exists("/usr/bin/lftp")) {
        state.SkipWithError("lftp is not installed");
        return;
    }
    UploadBench& bench = UploadBench::get();
    const fs::path mirror = bench.server.root() / "mirror";
    const std::string script = "set ftp:passive-mode off; set net:max-retries 1; mirror -R --no-perms " +
                               bench.site.path().string() + " /mirror; quit";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(mirror);
        state.ResumeTiming();
        const auto run = velmora::testkit::runProgram(
            {"/usr/bin/lftp", "-u", std::string(kUser) + "," + kPassword, "-p", std::to_string(bench.server.port()),
             "-e", script, "127.0.0.1"},
            bench.site.path());
        if (run.exitCode != 0)
            state.SkipWithError(("lftp failed: " + run.err).c_str());
    }
    countBytes(state, bench.site.path());
}
BENCHMARK(BM_UploadLftpMirror)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1)->Repetitions(5)->ReportAggregatesOnly(true);

// One submission, 17 posts, against a web server that answers every post at once.
void BM_PromotionRun(benchmark::State& state)
{
    velmora::testkit::HttpTestServer server([](const velmora::testkit::RecordedRequest&) {
        return velmora::testkit::Answer::reply(velmora::testkit::httpReply(200, "OK", ""));
    });
    const velmora::net::Settings saved = velmora::net::settings();
    velmora::net::settings().addConnectTo(":80:127.0.0.1:" + std::to_string(server.port()));
    velmora::testkit::TempDir work;
    velmora::PromoteSteps steps;
    steps.report = work.path() / "result.html";
    const velmora::PromotionForm form = velmora::initialPromotionForm();
    for (auto _ : state) {
        velmora::ProgressBar bar;
        velmora::promoteSite(form, bar, velmora::PublishView{}, steps);
    }
    velmora::net::settings() = saved;
    state.counters["posts"] = benchmark::Counter(17.0 * static_cast<double>(state.iterations()),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PromotionRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

#endif
