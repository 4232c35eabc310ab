#include "platform/FileDialog.h"

#include <QFile>
#include <QFileDialog>

namespace velmora::platform {

namespace {

// Outer optional: armed or not; inner: the answer (nothing = cancelled).
std::optional<std::optional<std::filesystem::path>>& nextFileAnswer()
{
    static std::optional<std::optional<std::filesystem::path>> answer;
    return answer;
}

QString qtPath(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::optional<std::filesystem::path> ask(QWidget* owner, bool save, const FileDialogOptions& options)
{
    shownFileDialogs().push_back({save, options});
    if (nextFileAnswer()) {
        std::optional<std::filesystem::path> answer = std::move(*nextFileAnswer());
        nextFileAnswer().reset();
        return answer;
    }

    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && !options.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!options.filter.empty())
        dialog.setNameFilter(QString::fromStdString(options.filter));
    if (!options.startFolder.empty())
        dialog.setDirectory(qtPath(options.startFolder));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString());
}

} // namespace

std::optional<std::filesystem::path> openFileName(QWidget* owner, const FileDialogOptions& options)
{
    return ask(owner, false, options);
}

std::optional<std::filesystem::path> saveFileName(QWidget* owner, const FileDialogOptions& options)
{
    return ask(owner, true, options);
}

void setNextFileAnswer(std::optional<std::filesystem::path> answer)
{
    nextFileAnswer().emplace(std::move(answer));
}

std::vector<ShownFileDialog>& shownFileDialogs()
{
    static std::vector<ShownFileDialog> shown;
    return shown;
}

void clearFileDialogSeam()
{
    nextFileAnswer().reset();
    shownFileDialogs().clear();
}

} // namespace velmora::platform
