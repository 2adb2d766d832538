#include "bilderordner/fenster/aufnahme.h"

#include "bilderordner/fenster/lesepool.h"
#include "bilderordner/fenster/wortdialog.h"
#include "bilderordner/kern/texte.h"

#include <QCheckBox>
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
    if (!beschaeftigt()) {
        ordner_ = ordner;
        gesamt_ = {QStringLiteral("Bilder hinzufügen"), {}};
        fuerAlleErsetzen_.reset();
    }
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
    Q_EMIT fertig(gesamt_);
}

void Aufnahme::frageWort(const QString& quelle)
{
    auto* dialog = new Wortdialog(quelle, fenster_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, dialog](int ergebnis) {
        if (ergebnis == QDialog::Accepted)
            speichere(dialog->wort(), false);
        else
            brichAb();
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
    gesamt_.schritte += h.aenderung.schritte;
    if (h.wortVorhanden && fuerAlleErsetzen_) {
        if (*fuerAlleErsetzen_)
            return speichere(wort_, true);
        return nichtHinzugefuegt();
    }
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
    QPushButton* auslassen = frage->addButton(QStringLiteral("Nicht hinzufügen"), QMessageBox::RejectRole);
    frage->addButton(QStringLiteral("Abbrechen"), QMessageBox::DestructiveRole)
        ->setToolTip(QStringLiteral("Keines der übrigen Bilder hinzufügen"));
    ersetzen->setToolTip(QStringLiteral("Das neue Bild nehmen; das alte kommt nach „aussortiert“"));
    auslassen->setToolTip(QStringLiteral("Das alte Bild behalten und das neue nicht hinzufügen"));
    if (!warteschlange_.isEmpty()) {
        auto* alle =
            new QCheckBox(QStringLiteral("Für alle weiteren Bilder mit schon vorhandenem Wort"), frage);
        frage->setCheckBox(alle);
    }
    connect(frage, &QMessageBox::finished, this, [this, frage, ersetzen, auslassen] {
        const bool alle = frage->checkBox() && frage->checkBox()->isChecked();
        if (frage->clickedButton() != ersetzen && frage->clickedButton() != auslassen)
            return brichAb();
        if (alle)
            fuerAlleErsetzen_ = frage->clickedButton() == ersetzen;
        if (frage->clickedButton() == ersetzen)
            return speichere(wort_, true);
        nichtHinzugefuegt();
    });
    frage->open();
}

void Aufnahme::nichtHinzugefuegt()
{
    Q_EMIT meldung(
        QStringLiteral("%1 wurde nicht hinzugefügt.").arg(texte::genannt(QFileInfo(quelle_).fileName())));
    naechste();
}

// Ends the whole batch: the pictures still waiting are not added.
void Aufnahme::brichAb()
{
    const qsizetype rest = warteschlange_.size() + 1;
    warteschlange_.clear();
    Q_EMIT meldung(rest == 1 ? QStringLiteral("Abgebrochen: ein Bild wurde nicht hinzugefügt.")
                             : QStringLiteral("Abgebrochen: %1 Bilder wurden nicht hinzugefügt.").arg(rest));
    naechste();
}

} // namespace kbb::fenster
