#include "platform/Application.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::platform {

QString applicationName()
{
    if (QCoreApplication::instance()) {
        QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        if (!name.isEmpty())
            return name;
    }
    return QCoreApplication::applicationName();
}

namespace {

// A real folder (not a link) of this user.
bool isOwnFolder(const char* path)
{
    struct stat info {};
    return path && *path && ::lstat(path, &info) == 0 && S_ISDIR(info.st_mode)
        && info.st_uid == ::getuid();
}

bool isPrivateFolder(const char* path)
{
    struct stat info {};
    return isOwnFolder(path) && ::lstat(path, &info) == 0 && (info.st_mode & 0077) == 0;
}

} // namespace

void ensurePrivateRuntimeDir()
{
    if (isPrivateFolder(std::getenv("XDG_RUNTIME_DIR")))
        return;
    std::string folder = QDir::tempPath().toStdString() + "/velmora-runtime-"
        + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    if (isOwnFolder(folder.c_str()))
        ::chmod(folder.c_str(), 0700);  // left open by an earlier run
    if (isPrivateFolder(folder.c_str()))
        ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
}

} // namespace velmora::platform
