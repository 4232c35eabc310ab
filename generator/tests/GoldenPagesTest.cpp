// Each folder under data/ is one site: state.json in, expected/ the exact files CREATE writes.
// Set VELMORA_UPDATE_GOLDENS=1 to rewrite expected/ from the current output (then review the diff).

#include "generator/CreateSite.h"
#include "model/StateJson.h"
#include "publish/InternetLink.h"
#include "publish/tests/NetTestKit.h"
#include "testsupport/ScopedProcessState.h"
#include "testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace velmora {
namespace {

namespace fs = std::filesystem;

const fs::path kDataDir = fs::path(VELMORA_SOURCE_DIR) / "generator" / "tests" / "data";

// Line-by-line comparison, so a failure names the first line that differs.
void expectSameBytes(const std::string& expected, const std::string& actual, const std::string& file)
{
    if (expected == actual)
        return;
    std::size_t line = 1, pos = 0;
    while (pos < expected.size() && pos < actual.size() && expected[pos] == actual[pos]) {
        if (expected[pos] == '\n')
            ++line;
        ++pos;
    }
    const auto excerpt = [&](const std::string& s) {
        const std::size_t start = s.rfind('\n', pos == 0 ? 0 : pos - 1);
        return s.substr(start == std::string::npos ? 0 : start + 1, 160);
    };
    ADD_FAILURE() << file << " differs at line " << line << " (byte " << pos << ")\n expected: " << excerpt(expected)
                  << "\n   actual: " << excerpt(actual);
}

class GoldenPages : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenPages, WritesExactlyTheExpectedFiles)
{
    const fs::path caseDir = kDataDir / GetParam();
    SiteProfile profile;
    applyStateJson(profile, test::readFile(caseDir / "state.json"));
    if (!profile.picturePath.empty())
        profile.picturePath = (caseDir / profile.picturePath).string();

    test::TempDir work;
    fs::create_directory(work / "site");
    test::CurrentDirectory inWork(work.path()); // the secure-server lookup leaves its test.txt here
    // Every site lookup of a hosting customer is refused on loopback: nothing is found.
    testkit::RefusingPort refusing;
    test::ScopedProcessState restored;
    net::settings().addConnectTo(":80:127.0.0.1:" + std::to_string(refusing.port()));
    GeneratorState state;
    CreateSteps steps;
    steps.outputFolder = work / "site";
    steps.pictureFolder = test::builtPictureFolder();
    const CreateReport report = CreateSite(profile, steps, state);
    EXPECT_TRUE(report.failures.empty()) << report.failures.front().file << ": " << report.failures.front().reason;
    // A refused lookup finds no secure server, and a hosting customer is told so.
    EXPECT_EQ(report.lookupWarning.empty(), !profile.hostingCustomer) << report.lookupWarning;

    std::string listing;
    for (const std::string& name : test::listFolder(work / "site"))
        listing += name + "\n";
    const fs::path expectedDir = caseDir / "expected";
    if (std::getenv("VELMORA_UPDATE_GOLDENS")) {
        fs::remove_all(expectedDir);
        fs::create_directory(expectedDir);
        for (const char* name : OutputDir::kPageFiles)
            fs::copy_file(work / "site" / name, expectedDir / name);
        test::writeFile(expectedDir / "files.txt", listing);
    }

    EXPECT_EQ(test::readFile(expectedDir / "files.txt"), listing);
    for (const char* name : OutputDir::kPageFiles)
        expectSameBytes(test::readFile(expectedDir / name), test::readFile(work / "site" / name), name);
}

INSTANTIATE_TEST_SUITE_P(Sites, GoldenPages, ::testing::ValuesIn(test::listFolder(kDataDir)),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
} // namespace velmora
