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
    return QApplication::exec();
}
