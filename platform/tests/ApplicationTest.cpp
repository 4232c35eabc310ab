#include "platform/Application.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace velmora::platform {
namespace {

TEST(Application, NameIsTheProgramFilesName)
{
    EXPECT_EQ(applicationName(), "platform_tests");
}

// Restores XDG_RUNTIME_DIR as it was.
struct SavedRuntimeDir {
    std::optional<std::string> value;
    SavedRuntimeDir()
    {
        if (const char* old = std::getenv("XDG_RUNTIME_DIR"))
            value = old;
    }
    ~SavedRuntimeDir()
    {
        if (value)
            ::setenv("XDG_RUNTIME_DIR", value->c_str(), 1);
        else
            ::unsetenv("XDG_RUNTIME_DIR");
    }
};

mode_t permissions(const char* path)
{
    struct stat info {};
    return ::stat(path, &info) == 0 ? (info.st_mode & 0777) : 0;
}

TEST(Application, RuntimeFolderIsMadePrivateUnlessItIsAlready)
{
    const SavedRuntimeDir saved;
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const std::string open = temp.filePath("open").toStdString();
    const std::string own = temp.filePath("own").toStdString();
    ASSERT_EQ(::mkdir(open.c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(own.c_str(), 0700), 0);

    ::setenv("XDG_RUNTIME_DIR", own.c_str(), 1);
    ensurePrivateRuntimeDir();
    EXPECT_EQ(std::string(std::getenv("XDG_RUNTIME_DIR")), own);

    for (const char* unsuitable : {"", "/no/such/folder", open.c_str()}) {
        ::setenv("XDG_RUNTIME_DIR", unsuitable, 1);
        ensurePrivateRuntimeDir();
        const char* now = std::getenv("XDG_RUNTIME_DIR");
        ASSERT_NE(now, nullptr);
        EXPECT_NE(std::string(now), unsuitable);
        EXPECT_EQ(permissions(now), 0700u) << now;
    }
    ::unsetenv("XDG_RUNTIME_DIR");
    ensurePrivateRuntimeDir();
    ASSERT_NE(std::getenv("XDG_RUNTIME_DIR"), nullptr);
    EXPECT_EQ(permissions(std::getenv("XDG_RUNTIME_DIR")), 0700u);
}

} // namespace
} // namespace velmora::platform
