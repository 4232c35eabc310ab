#include "platform/Shell.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace velmora::platform {

namespace {

std::function<void(const std::string&)>& recorder()
{
    static std::function<void(const std::string&)> record;
    return record;
}

QUrl urlOf(const std::string& fileOrAddress)
{
    const QString text = QFile::decodeName(QByteArray::fromStdString(fileOrAddress));
    // A scheme of two letters or more, so that a drive-like "c:" is not taken for one.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(text).hasMatch())
        return QUrl(text);
    if (text.startsWith(QStringLiteral("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + text);
    return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

} // namespace

QUrl shellUrl(const std::string& fileOrAddress)
{
    return urlOf(fileOrAddress);
}

void shellOpen(const std::string& fileOrAddress)
{
    if (recorder()) {
        recorder()(fileOrAddress);
        return;
    }
    QDesktopServices::openUrl(urlOf(fileOrAddress));
}

void setShellOpenRecorder(std::function<void(const std::string&)> record)
{
    recorder() = std::move(record);
}

} // namespace velmora::platform
