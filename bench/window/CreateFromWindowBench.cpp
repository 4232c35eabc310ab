// CREATE of the example site from the wizard window, in process, beside the same CREATE run
// headlessly into the same folder: the difference is what the window adds (reading the boxes,
// the Congratulations dialog).

#include "generator/CreateSite.h"
#include "model/StateJson.h"
#include "model/TextFields.h"
#include "platform/Application.h"
#include "platform/DialogBuilder.h"
#include "ui/MainTemplate.h"
#include "ui/VelmoraDlg.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path kExample = fs::path(VELMORA_SOURCE_DIR) / "examples" / "harbor-lane" / "state.json";

velmora::SiteProfile exampleProfile()
{
    std::ifstream in(kExample, std::ios::binary);
    std::ostringstream json;
    json << in.rdbuf();
    velmora::SiteProfile profile;
    velmora::applyStateJson(profile, json.str());
    profile.picturePath = (kExample.parent_path() / profile.picturePath).string();
    return profile;
}

// The home folder for a run: on the temporary folder's disk (0) or in memory on tmpfs (1),
// where the file system's share of the time is small.
fs::path benchHome(int onTmpfs)
{
    const fs::path base = onTmpfs && fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path folder = base / "velmora-window-bench";
    fs::create_directories(folder / "VelmoraP");
    setenv("HOME", folder.c_str(), 1);
    return folder;
}

void BM_CreateHeadless(benchmark::State& state)
{
    velmora::SiteProfile profile = exampleProfile();
    velmora::CreateSteps steps;
    steps.outputFolder = benchHome(static_cast<int>(state.range(0))) / "VelmoraP";
    for (auto _ : state) {
        if (!velmora::CreateSite(profile, steps).ok())
            state.SkipWithError("CREATE failed");
    }
}
BENCHMARK(BM_CreateHeadless)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A click on CREATE: the boxes are read, the site written and the Congratulations dialog shown
// and closed at once.
void BM_CreateFromWindow(benchmark::State& state)
{
    benchHome(static_cast<int>(state.range(0)));
    velmora::SiteProfile profile = exampleProfile();
    velmora::ui::CVelmoraDlg dialog(profile);
    for (const velmora::TextField& field : velmora::textFields)
        velmora::platform::setControlText(dialog, field.control, field.of(std::as_const(profile)));
    dialog.show();
    auto* create = velmora::platform::control<QWidget>(dialog, velmora::ui::id::create);
    int shown = 0;
    for (auto _ : state) {
        QTimer::singleShot(0, [&shown] {
            if (auto* pitch = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++shown;
                pitch->reject();
            }
        });
        QMetaObject::invokeMethod(create, "click");
    }
    if (shown != static_cast<int>(state.iterations()))
        state.SkipWithError("the Congratulations dialog did not come every time");
}
BENCHMARK(BM_CreateFromWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    velmora::platform::ensurePrivateRuntimeDir();
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
