#include "base/FileUtil.h"

#include "testsupport/TestSupport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ReadWholeFile, ReadsUpToTheLimitAndRefusesMore)
{
    test::TempDir folder;
    test::writeFile(folder / "f", "12345");
    EXPECT_EQ(readWholeFile(folder / "f").bytes, "12345");
    EXPECT_EQ(readWholeFile(folder / "f", 5).bytes, "12345");
    const FileContent over = readWholeFile(folder / "f", 4);
    EXPECT_EQ(over.error, EFBIG);
    EXPECT_TRUE(over.bytes.empty());
}

TEST(ReadWholeFile, EndlessDeviceStopsAtTheLimit)
{
    const FileContent zero = readWholeFile("/dev/zero", 1 << 20);
    EXPECT_EQ(zero.error, EFBIG);
    EXPECT_EQ(zero.reason(), "larger than the size limit");
}

TEST(ReadWholeFile, FolderAndMissingFileSayWhy)
{
    test::TempDir folder;
    EXPECT_EQ(readWholeFile(folder.path()).error, EISDIR);
    EXPECT_EQ(readWholeFile(folder / "missing").error, ENOENT);
    EXPECT_EQ(readWholeFile(folder / "missing").reason(), "No such file or directory");
}

} // namespace
} // namespace velmora
