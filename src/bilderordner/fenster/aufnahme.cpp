#include "bilderordner/fenster/aufnahme.h"

#include "bilderordner/fenster/lesepool.h"
#include "bilderordner/fenster/wortdialog.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>

namespace kbb::fenster {

Aufnahme::Aufnahme(QWidget* fenster, QObject* parent) : QObject(parent), fenster_(fenster)
{
    connect(&arbeit_, &QFutureWatcher<Hinzugefuegt>::finished, this, &Aufnahme::gespeichert);
}

bool Aufnahme::beschaeftigt() const
{
    return !quelle_.isEmpty();
}

void Aufnahme::nimm(const QString& ordner, const QStringList& quellen)
{
    if (!beschaeftigt())
        ordner_ = ordner;
    warteschlange_ += quellen;
    if (!beschaeftigt())
        naechste();
}

// A file that cannot be a picture is named in a sentence and passed over before
// anything reads it or asks for its word.
void Aufnahme::naechste()
{
    quelle_.clear();
    while (!warteschlange_.isEmpty()) {
        const QString quelle = warteschlange_.takeFirst();
        if (const QString grund = keineBildquelle(quelle); !grund.isEmpty()) {
            Q_EMIT meldung(grund);
            continue;
        }
        quelle_ = quelle;
        frageWort(quelle_);
        return;
    }
    Q_EMIT fertig();
}

void Aufnahme::frageWort(const QString& quelle)
{
    auto* dialog = new Wortdialog(quelle, fenster_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, dialog](int ergebnis) {
        if (ergebnis == QDialog::Accepted)
            speichere(dialog->wort(), false);
        else
            naechste();
    });
    dialog->open();
}

void Aufnahme::speichere(const QString& wort, bool ersetzen)
{
    wort_ = wort;
    arbeit_.setFuture(QtConcurrent::run(&lesepool(), fuegeBildHinzu, ordner_, quelle_, wort, ersetzen));
}

void Aufnahme::gespeichert()
{
    const Hinzugefuegt h = arbeit_.result();
    if (h.wortVorhanden) {
        frageErsetzen(h);
        return;
    }
    Q_EMIT meldung(h.meldung);
    if (h.ok)
        Q_EMIT geaendert();
    naechste();
}

void Aufnahme::frageErsetzen(const Hinzugefuegt& h)
{
    auto* frage = new QMessageBox(QMessageBox::Question, QStringLiteral("Wort schon vorhanden"),
                                  h.meldung + QStringLiteral("\n\nSoll das neue Bild „%1“ ersetzen? Das alte "
                                                             "kommt in den Unterordner „aussortiert“.")
                                                  .arg(h.vorhanden),
                                  QMessageBox::NoButton, fenster_);
    frage->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* ersetzen = frage->addButton(QStringLiteral("Ersetzen"), QMessageBox::AcceptRole);
    frage->addButton(QStringLiteral("Nicht hinzufügen"), QMessageBox::RejectRole);
    connect(frage, &QMessageBox::finished, this, [this, frage, ersetzen] {
        if (frage->clickedButton() == ersetzen) {
            speichere(wort_, true);
            return;
        }
        Q_EMIT meldung(QStringLiteral("„%1“ wurde nicht hinzugefügt.").arg(QFileInfo(quelle_).fileName()));
        naechste();
    });
    frage->open();
}

} // namespace kbb::fenster
