// The program's own start, ended at the first paint of its main window.

#include "FirstPaintProbe.h"

#include "app/Frm_Main.h"
#include "app/Startup.h"
#include "app/TApplication.h"

int main(int argc, char** argv)
{
    mecovnik::TApplication app(argc, argv);
    // The main window is made inside RunProgram, so it is known by its class.
    const mecovnik::bench::TFirstPaintProbe probe([](const QWidget* window) {
        return qobject_cast<const mecovnik::TMainForm*>(window) != nullptr;
    });
    return mecovnik::RunProgram(app);
}
