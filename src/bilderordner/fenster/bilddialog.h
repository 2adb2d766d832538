#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace kbb::fenster {

// A file dialog for choosing pictures, in German and the same on every desktop,
// with a preview of the picture under the pointer beside the list of files.
// It deletes itself when closed.
QFileDialog* bildDialog(QWidget* parent, const QString& titel, bool mehrere);

} // namespace kbb::fenster
