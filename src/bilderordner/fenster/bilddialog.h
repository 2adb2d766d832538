#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace kbb::fenster {

// A file dialog for choosing pictures, in German and the same on every desktop,
// with a preview of the picture under the pointer beside the list of files.
// It deletes itself when closed.
QFileDialog* bildDialog(QWidget* parent, const QString& titel, bool mehrere);

// A file dialog for choosing a folder, starting at `start`. It deletes itself
// when closed.
QFileDialog* ordnerDialog(QWidget* parent, const QString& titel, const QString& start);

} // namespace kbb::fenster
