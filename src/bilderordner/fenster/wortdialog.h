#pragma once

#include <QDialog>
#include <QFutureWatcher>
#include <QImage>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kbb::fenster {

// Asks for the word of a picture being added: proposes the file's name where it
// is a word, lets the teacher confirm or type another, refuses a word that cannot
// be a file name and warns of one too long for a button of the Auswahlbox.
class Wortdialog : public QDialog {
    Q_OBJECT
public:
    Wortdialog(const QString& quelle, QWidget* parent);

    QString wort() const;
    QLineEdit* eingabe() const { return eingabe_; }
    // The message under the field: why the word is refused, or a warning.
    QLabel* fehler() const { return fehler_; }
    QPushButton* okKnopf() const { return ok_; }

private:
    void pruefe();

    QLineEdit* eingabe_;
    QLabel* fehler_;
    QLabel* bild_;
    QPushButton* ok_;
    QFutureWatcher<QImage> vorschau_;
};

} // namespace kbb::fenster
