#pragma once

#include "model/SiteProfile.h"

#include <QDialog>
#include <QIcon>

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::ui {

// The name of the file that keeps the edit boxes' texts when the wizard ends.
inline constexpr const char* kLastSessionFile = "last-session.dat";

// The wizard window (template 102): the ten tab pages, their pickers and the command column.
// It holds no site data of its own; everything typed or picked goes into `profile`.
class CVelmoraDlg : public QDialog {
public:
    explicit CVelmoraDlg(SiteProfile& profile, QWidget* parent = nullptr);

    const std::filesystem::path& outputFolder() const { return outputFolder_; }

    // EXIT, Esc and the close box end here: the boxes' texts are kept in last-session.dat.
    void done(int result) override;

private:
    void OnInitDialog();
    void OnOK(); // CREATE
    void showPage(int page);
    void onNext();
    void connectCommands();
    void fillStyleLists();
    void addAboutCommand();

    void copyTexts(SiteProfile& profile) const;
    void copyEdits(SiteProfile& profile) const;
    void fillEdits();
    void onPreview();
    void onWebHostAdvice();
    void onSaveProfile();
    void onLoadProfile();
    void onBrowse();
    void pickFont(TextStyle SiteProfile::*style);
    void pickColor(ColorText SiteProfile::*color);
    void pickStyle(int listId, char ButtonSet::*member);
    // The window as the platform's control helpers take it, also from const members.
    QWidget& self() const { return const_cast<CVelmoraDlg&>(*this); }
    void showAbout();
    void saveLastSession() const;

    SiteProfile& profile_;
    std::filesystem::path outputFolder_;
    QIcon icon_;
};

} // namespace velmora::ui
