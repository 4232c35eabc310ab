#pragma once

#include <QDialog>

namespace velmora::ui {

// The About box (template 100): the program's name and version, and where the texts of the
// last session are kept.
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace velmora::ui
