#include "shell/programmstart.h"
#include "shell/toolkit/programm.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    kb::programmEinrichten();
    tk::Program::instance().start(kb::ersterBildschirm());
    if (tk::Program::instance().hasEnded())
        return tk::Program::instance().exitStatus();
    return QApplication::exec();
}
