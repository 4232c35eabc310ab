#pragma once

#include "publish/PublishView.h"

#include <QDialog>

#include <filesystem>

namespace velmora {

// The "Upload Gateway" dialog (template 132): an FTP server, user name, password and
// destination directory; Upload sends the output folder's files and the dialog stays open.
class CUploadDlg : public QDialog {
    Q_OBJECT
public:
    explicit CUploadDlg(QWidget* parent = nullptr);
    // The folder the files come from; the output folder unless a test says otherwise.
    void setOutputFolder(std::filesystem::path folder) { folder_ = std::move(folder); }

    // The Upload button (the dialog's OK command): runs uploadSite.
    void OnOK();

private:
    std::filesystem::path folder_;
    ProgressBar bar_;  // the range and position carry over between uploads of one opening
};

} // namespace velmora
