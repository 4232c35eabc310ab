#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace velmora::platform {

struct FileDialogOptions {
    std::string filter;                  // Qt filter, e.g. "Data Files (*.dat)"; empty: all files
    std::filesystem::path startFolder;   // empty: the dialog's default
    bool confirmOverwrite = true;        // save only: ask before replacing a file
};

// Qt's own file dialogs (never the desktop's native one), modal. The answer is the full path
// of the chosen file, exactly as chosen: no extension is added. Nothing when cancelled.
std::optional<std::filesystem::path> openFileName(QWidget* owner, const FileDialogOptions& options);
std::optional<std::filesystem::path> saveFileName(QWidget* owner, const FileDialogOptions& options);

// Test seam, like the message box's: the next file dialog is not shown and gives this answer
// (nothing = cancelled). Every file dialog, shown or answered, is recorded in order.
struct ShownFileDialog {
    bool save;
    FileDialogOptions options;
};
void setNextFileAnswer(std::optional<std::filesystem::path> answer);
std::vector<ShownFileDialog>& shownFileDialogs();
void clearFileDialogSeam();

} // namespace velmora::platform
