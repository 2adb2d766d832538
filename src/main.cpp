#include "ergebnisse/schreiber.h"
#include "programmstart.h"
#include "toolkit/program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    kb::programmEinrichten();
    kb::programmStarten();
    if (tk::Program::instance().hasEnded())
        return tk::Program::instance().exitStatus();
    const int status = QApplication::exec();
    // The last round's record may still be on its way to a slow share.
    kb::erg::warteAufSchreiber(1000);
    return status;
}
