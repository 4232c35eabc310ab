#include "ui/Velmora.h"

#include "platform/Application.h"
#include "ui/VelmoraDlg.h"

// The pictures are built into this static library: the linker keeps them only when called for.
static void initPictureResources()
{
    Q_INIT_RESOURCE(pictures);
}

namespace velmora::ui {

void loadPictures()
{
    static const bool loaded = (initPictureResources(), true);
    (void)loaded;
}

QIcon programIcon()
{
    loadPictures();
    QIcon icon;
    for (const char* size : {"16", "32", "48", "64", "128", "256"})
        icon.addFile(QStringLiteral(":/pictures/128-") + QLatin1String(size));
    return icon;
}

namespace {

// What must happen before Qt starts: a private runtime folder where the session has none.
int& beforeQt(int& argc)
{
    platform::ensurePrivateRuntimeDir();
    return argc;
}

} // namespace

CVelmoraApp::CVelmoraApp(int& argc, char** argv) : application_(beforeQt(argc), argv)
{
    QApplication::setWindowIcon(programIcon());
}

int CVelmoraApp::InitInstance()
{
    CVelmoraDlg dialog(profile_);
    dialog.exec();
    return 0;
}

} // namespace velmora::ui
