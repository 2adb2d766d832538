#pragma once

#include <QObject>

class QDialog;
class QLabel;

namespace tk {

// The frame of a dialog at the board, drawn by the dialog itself. The board has
// no window frames, so that nothing can be dragged away, minimised or closed but
// by the game's own buttons; the dialog keeps its buttons and keys and loses only
// the frame the desktop would give it. In its place a raised edge sets it off
// from the backdrop, and a strip in the colours of an active title bar shows its
// title where a title bar would show it. The strip takes no input; the title
// stays the dialog's window title.
class DialogFrame final : public QObject {
public:
    // Takes the desktop's frame from a dialog that is not shown yet. The frame
    // belongs to the dialog and goes with it.
    explicit DialogFrame(QDialog* dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeTitle();
    void paintEdge();

    QDialog* dialog_;
    QLabel* title_;
    int stripHeight_;
};

} // namespace tk
