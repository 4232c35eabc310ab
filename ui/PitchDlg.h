#pragma once

#include <QDialog>

#include <filesystem>

namespace velmora::ui {

// "Congratulations" (template 134): shown by CREATE once the site is written. Its first text
// names the folder the pages are in; "Get Me a Web Host" opens the partner web host's page.
class CPitchDlg : public QDialog {
public:
    explicit CPitchDlg(const std::filesystem::path& outputFolder, QWidget* parent = nullptr);
};

} // namespace velmora::ui
