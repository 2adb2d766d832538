#pragma once

#include <QDialog>
#include <QFutureWatcher>
#include <QImage>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kbb::fenster {

// Asks for the word of a picture being added: proposes the file's name, lets the
// teacher confirm or type another, and refuses a word that cannot be a file name.
class Wortdialog : public QDialog {
    Q_OBJECT
public:
    Wortdialog(const QString& quelle, QWidget* parent);

    QString wort() const;
    QLineEdit* eingabe() const { return eingabe_; }
    QLabel* fehler() const { return fehler_; }

private:
    void pruefe();

    QLineEdit* eingabe_;
    QLabel* fehler_;
    QLabel* bild_;
    QPushButton* ok_;
    QFutureWatcher<QImage> vorschau_;
};

} // namespace kbb::fenster
