#include "ergebnisse/schreiber.h"
#include "programmstart.h"
#include "toolkit/application.h"
#include "toolkit/program.h"

int main(int argc, char* argv[])
{
    tk::Application app(argc, argv);
    kb::anzeigeEinrichten(app);
    kb::programmEinrichten();
    kb::programmStarten();
    if (tk::Program::instance().hasEnded())
        return tk::Program::instance().exitStatus();
    const int status = app.exec();
    // The last round's record may still be on its way to a slow share.
    kb::erg::warteAufSchreiber(1000);
    return status;
}
