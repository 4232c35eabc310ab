#include "base/AtomicReplace.h"

#include "testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace velmora {
namespace {

using test::listFolder;
using test::readFile;
using test::TempDir;
using test::writeFile;

TEST(ReplacementFile, TargetKeepsItsOldContentsUntilCommit)
{
    TempDir folder;
    writeFile(folder / "page.html", "old");
    {
        ReplacementFile file(folder / "page.html");
        file.write("new, ");
        file.write("complete");
        EXPECT_EQ(readFile(folder / "page.html"), "old");
        EXPECT_EQ(listFolder(folder.path()).size(), 2u) << "the temporary lies beside the target";
        EXPECT_EQ(file.commit(), 0);
    }
    EXPECT_EQ(readFile(folder / "page.html"), "new, complete");
    EXPECT_EQ(listFolder(folder.path()), std::vector<std::string>{"page.html"});
}

TEST(ReplacementFile, AbandonedReplacementLeavesTheOldFileAndNoTemporary)
{
    TempDir folder;
    writeFile(folder / "page.html", "old");
    {
        ReplacementFile file(folder / "page.html");
        file.write("half a pa");
    }
    EXPECT_EQ(readFile(folder / "page.html"), "old");
    EXPECT_EQ(listFolder(folder.path()), std::vector<std::string>{"page.html"});
}

TEST(ReplacementFile, DeviceIsWrittenInPlaceAndItsErrorReported)
{
    ReplacementFile full("/dev/full");
    full.write("bytes");
    EXPECT_EQ(full.commit(), ENOSPC);
    ReplacementFile null("/dev/null");
    null.write("bytes");
    EXPECT_EQ(null.commit(), 0);
}

TEST(ReplacementFile, FolderIsRefused)
{
    TempDir folder;
    ReplacementFile file(folder.path());
    EXPECT_EQ(file.commit(), EISDIR);
}

// A child process that leaves a temporary behind and ends, as a killed program would.
pid_t leaveTemporaryFromAnotherProcess(const std::filesystem::path& target)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ReplacementFile* file = new ReplacementFile(target); // never committed nor discarded
        file->write("partial");
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

TEST(RemoveLeftoverTemporaries, RemovesThoseOfEndedProcessesOnly)
{
    TempDir folder;
    writeFile(folder / "index.html", "old");
    writeFile(folder / ".notes.tmp", "a user's own file");
    leaveTemporaryFromAnotherProcess(folder / "index.html");
    ASSERT_EQ(listFolder(folder.path()).size(), 3u);

    ReplacementFile running(folder / "about.html"); // this process's, still being written
    running.write("about");

    removeLeftoverTemporaries(folder.path());
    const auto names = listFolder(folder.path());
    EXPECT_EQ(names.size(), 3u);
    EXPECT_NE(std::find(names.begin(), names.end(), ".notes.tmp"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "index.html"), names.end());
    EXPECT_EQ(running.commit(), 0);
    EXPECT_EQ(readFile(folder / "about.html"), "about");
    EXPECT_EQ(readFile(folder / "index.html"), "old");
}

} // namespace
} // namespace velmora
