#include "ui/Velmora.h"

int main(int argc, char** argv)
{
    velmora::ui::CVelmoraApp app(argc, argv);
    return app.InitInstance();
}
