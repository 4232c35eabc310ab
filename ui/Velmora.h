#pragma once

#include "model/SiteProfile.h"

#include <QApplication>
#include <QIcon>

namespace velmora::ui {

// Makes the built-in pictures (":/pictures/...") available; safe to call more than once.
void loadPictures();

// The program icon (resource 128) in all its sizes.
QIcon programIcon();

// The application: Qt's application object and the one site record, which lives from
// start-up to exit and outlives the window.
class CVelmoraApp {
public:
    CVelmoraApp(int& argc, char** argv);

    // Runs the wizard window until it closes; returns the program's exit status.
    int InitInstance();

    SiteProfile& profile() { return profile_; }

private:
    QApplication application_;
    SiteProfile profile_;
};

} // namespace velmora::ui
