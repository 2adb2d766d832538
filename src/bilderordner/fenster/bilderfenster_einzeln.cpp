// The teacher's actions on one picture of the companion's window: another word,
// putting it aside, another picture for the same word, putting back what was
// put aside, and undoing the last change.
#include "bilderordner/fenster/aktion.h"
#include "bilderordner/fenster/bilddialog.h"
#include "bilderordner/fenster/bilderfenster.h"
#include "bilderordner/fenster/bildliste.h"
#include "bilderordner/fenster/wortdialog.h"
#include "bilderordner/kern/hinzufuegen.h"
#include "regeln/wort.h"
#include "toolkit/visibletext.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace kbb::fenster {

namespace {

Arbeitsergebnis alsArbeit(const Einzelergebnis& e)
{
    return {{e.meldung}, e.aenderung, true};
}

} // namespace

void Bilderfenster::baueEinzelaktionen()
{
    wortAendern_ =
        neueAktion(this, QStringLiteral("Wort ändern …"),
                   QStringLiteral("Die Datei umbenennen, so dass das Kind ein anderes Wort liest; die "
                                  "Endung bleibt"),
                   Qt::Key_F2);
    beiseite_ = neueAktion(this, QStringLiteral("Beiseitelegen"),
                           QStringLiteral("Das Bild nach „aussortiert“ legen: das Spiel zeigt es nicht mehr, "
                                          "gelöscht wird es nicht"),
                           QKeySequence::Delete);
    ersetzen_ = neueAktion(this, QStringLiteral("Bild ersetzen …"),
                           QStringLiteral("Ein anderes Bild für dasselbe Wort wählen; das alte kommt nach "
                                          "„aussortiert“"));
    rueckgaengig_ = neueAktion(this, QStringLiteral("Rückgängig"),
                               QStringLiteral("Die letzte Änderung des Ordners zurücknehmen: Reparatur, "
                                              "Bildersatz, Hinzufügen, Beiseitelegen oder neues Wort"),
                               QKeySequence::Undo);
    aussortiert_ = neueAktion(this, QStringLiteral("Aussortierte Bilder …"),
                              QStringLiteral("Zeigt, was in „aussortiert“ liegt, und legt ein Bild in den "
                                             "Ordner zurück"));
    // Del and F2 act on the chosen tile while the list has the focus.
    for (QAction* a : {wortAendern_, beiseite_}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        liste_->addAction(a);
    }
    connect(wortAendern_, &QAction::triggered, this, &Bilderfenster::aendereGewaehltesWort);
    connect(beiseite_, &QAction::triggered, this, &Bilderfenster::legeGewaehltesBeiseite);
    connect(ersetzen_, &QAction::triggered, this, &Bilderfenster::ersetzeGewaehltesBild);
    connect(rueckgaengig_, &QAction::triggered, this, &Bilderfenster::macheLetztesRueckgaengig);
    connect(aussortiert_, &QAction::triggered, this, &Bilderfenster::zeigeAussortiert);
    liste_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(liste_, &QWidget::customContextMenuRequested, this, &Bilderfenster::zeigeKontextmenue);
    connect(liste_, &QAbstractItemView::doubleClicked, this, &Bilderfenster::aendereGewaehltesWort);
}

// The chosen file, if it can be named (a name that is no UTF-8 cannot).
QString Bilderfenster::gewaehlterName() const
{
    const QModelIndex i = liste_->currentIndex();
    return i.data(Bildliste::PfadRolle).toString().isEmpty() ? QString()
                                                             : i.data(Bildliste::NameRolle).toString();
}

void Bilderfenster::zeigeKontextmenue(const QPoint& punkt)
{
    const QModelIndex i = liste_->indexAt(punkt);
    if (!i.isValid())
        return;
    liste_->setCurrentIndex(i);
    auto* menue = new QMenu(this);
    menue->setAttribute(Qt::WA_DeleteOnClose);
    menue->addActions({wortAendern_, beiseite_, ersetzen_});
    menue->addSeparator();
    menue->addActions({rueckgaengig_, aussortiert_});
    menue->popup(liste_->viewport()->mapToGlobal(punkt));
}

void Bilderfenster::aendereGewaehltesWort()
{
    const QString name = gewaehlterName();
    if (name.isEmpty() || !wortAendern_->isEnabled())
        return;
    auto* d =
        new Wortdialog(modell_->index(modell_->zeile(name)).data(Bildliste::PfadRolle).toString(), this);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setWindowTitle(QStringLiteral("Wort ändern"));
    d->okKnopf()->setText(QStringLiteral("Umbenennen"));
    d->eingabe()->setText(kb::Wort(name));
    d->eingabe()->selectAll();
    connect(d, &QDialog::accepted, this, [this, d, name] {
        const QString ordner = ordner_, wort = d->wort();
        starteArbeit(QStringLiteral("Wort ändern"),
                     [=] { return alsArbeit(aendereWort(ordner, name, wort)); });
    });
    d->open();
}

void Bilderfenster::legeGewaehltesBeiseite()
{
    const QString name = gewaehlterName(), ordner = ordner_;
    if (!name.isEmpty() && beiseite_->isEnabled())
        starteArbeit(QStringLiteral("Beiseitelegen"), [=] { return alsArbeit(legeBeiseite(ordner, name)); });
}

void Bilderfenster::ersetzeGewaehltesBild()
{
    const QString name = gewaehlterName();
    if (name.isEmpty() || !ersetzen_->isEnabled())
        return;
    QFileDialog* d = bildDialog(
        this, QStringLiteral("Neues Bild für „%1“").arg(tk::escapedForDisplay(kb::Wort(name))), false);
    connect(d, &QFileDialog::fileSelected, this, [this, name](const QString& quelle) {
        const QString ordner = ordner_;
        starteArbeit(QStringLiteral("Bild ersetzen"), [=] {
            const Hinzugefuegt h = fuegeBildHinzu(ordner, quelle, kb::Wort(name), true);
            return Arbeitsergebnis{
                {h.meldung}, {QStringLiteral("Bild ersetzen"), h.aenderung.schritte}, true};
        });
    });
    d->open();
}

// The files in "aussortiert", one of which can be put back into the folder.
void Bilderfenster::zeigeAussortiert()
{
    auto* d = new QDialog(this);
    d->setObjectName(QStringLiteral("aussortiert"));
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setWindowTitle(QStringLiteral("Aussortierte Bilder"));
    d->setWindowModality(Qt::WindowModal);
    auto* liste = new QListWidget(d);
    liste->addItems(aussortierteDateien(ordner_));
    auto* knoepfe = new QDialogButtonBox(d);
    QPushButton* zurueck = knoepfe->addButton(QStringLiteral("Zurücklegen"), QDialogButtonBox::AcceptRole);
    zurueck->setToolTip(
        QStringLiteral("Das gewählte Bild wieder in den Ordner legen, wenn sein Name frei ist"));
    knoepfe->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    zurueck->setEnabled(false);
    connect(liste, &QListWidget::currentRowChanged, zurueck,
            [zurueck](int z) { zurueck->setEnabled(z >= 0); });
    connect(knoepfe, &QDialogButtonBox::rejected, d, &QDialog::reject);
    connect(knoepfe, &QDialogButtonBox::accepted, d, [this, d, liste] {
        if (!liste->currentItem())
            return;
        const QString ordner = ordner_, abgelegt = liste->currentItem()->text();
        d->accept();
        starteArbeit(QStringLiteral("Zurücklegen"), [=] { return alsArbeit(legeZurueck(ordner, abgelegt)); });
    });
    auto* spalte = new QVBoxLayout(d);
    spalte->addWidget(new QLabel(liste->count() == 0 ? QStringLiteral("In „aussortiert“ liegt nichts.")
                                                     : QStringLiteral("Das liegt in „aussortiert“:"),
                                 d));
    spalte->addWidget(liste);
    spalte->addWidget(knoepfe);
    d->resize(520, 400);
    d->open();
}

void Bilderfenster::macheLetztesRueckgaengig()
{
    if (letzte_.leer() || !rueckgaengig_->isEnabled())
        return;
    const Aenderung a = std::exchange(letzte_, {});
    const QString ordner = ordner_;
    starteArbeit(QStringLiteral("Rückgängig: %1").arg(a.was), [=] {
        return Arbeitsergebnis{macheRueckgaengig(ordner, a), {}, false};
    });
}

} // namespace kbb::fenster
