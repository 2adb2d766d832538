#pragma once

#include "toolkit/units.h"

#include <QByteArray>
#include <QSize>
#include <memory>
#include <vector>

class QApplication;
class QScreen;

namespace tk {

class Backdrop;

// The program's application object, and how its screens are shown: by default
// each as a window of its own at its own size. At a board (a large touch screen
// in front of a class) they fill the screen instead: one factor scales every
// screen, its text, drawings and dialogs alike, the largest at which a screen of
// the given size still fits the screen whole, and each screen stands in the
// middle of a backdrop that covers the rest.
//
// The scaling is Qt's own high-DPI scaling, which draws text at the scaled size
// and takes the drawings' versions of twice the pixels. Qt reads its factor only
// when the application object is made, and the factor depends on the screen,
// which only an application object can measure; so at a board the object is
// made twice: once to measure, then again with the factor set.
class Application {
public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // From now on every screen fills the screen the pointer is on (or else the
    // primary one), scaled from `design` (pixels), on a backdrop of `colour`.
    // Comes before any window is made.
    void showOnBoard(QSize design, OleColor colour);
    // Hides the mouse pointer in every window of the program.
    void hidePointer();
    // Whether the screens are shown at a board.
    bool onBoard() const { return backdrop_ != nullptr; }

    // Runs the event loop; the backdrop goes when the loop ends.
    int exec();

private:
    void make();
    QScreen* boardScreen() const;

    std::vector<QByteArray> arguments_;
    std::vector<char*> argv_;
    int argc_ = 0;
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<Backdrop> backdrop_;
};

} // namespace tk
