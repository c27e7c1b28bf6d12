#include "app/Startup.h"
#include "app/TApplication.h"

int main(int argc, char** argv)
{
    mecovnik::TApplication app(argc, argv);
    return mecovnik::RunProgram(app);
}
