#pragma once

#include "bilderordner/kern/hinzufuegen.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <optional>

class QWidget;

namespace kbb::fenster {

class Wortdialog;

// Adds pictures to the folder one after another: asks for each picture's word,
// saves it in a worker thread, and if the word is taken asks whether to replace
// that picture, once for all the pictures if the teacher wishes. "Abbrechen"
// in either question ends the whole batch. Every question is a window-modal
// dialog that is opened, never run in a loop of its own, so the window keeps
// drawing meanwhile.
class Aufnahme : public QObject {
    Q_OBJECT
public:
    Aufnahme(QWidget* fenster, QObject* parent = nullptr);

    void nimm(const QString& ordner, const QStringList& quellen);
    bool beschaeftigt() const;

Q_SIGNALS:
    void geaendert();                        // a picture was added
    void meldung(const QString& text);       // what happened to one picture
    void fertig(const Aenderung& aenderung); // the last picture is done; what the batch changed

private:
    void naechste();
    void frageWort(const QString& quelle);
    void speichere(const QString& wort, bool ersetzen);
    void gespeichert();
    void frageErsetzen(const Hinzugefuegt& h);
    void nichtHinzugefuegt();
    void brichAb();

    QWidget* fenster_;
    QString ordner_;
    QStringList warteschlange_;
    QString quelle_;
    QString wort_;
    Aenderung gesamt_;
    std::optional<bool> fuerAlleErsetzen_; // the answer for all pictures of the batch, once given
    QFutureWatcher<Hinzugefuegt> arbeit_;
};

} // namespace kbb::fenster
