#pragma once

// What the class overview's tests share: records written as the game writes
// them, the overview opened on a folder, and a teacher's clicks.
#include "bilderordner/fenster/kindertabelle.h"
#include "bilderordner/fenster/klassenuebersicht.h"
#include "ergebnisse/bestand.h"
#include "support/fensterhilfe.h"
#include "support/spielumgebung.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QTableView>

namespace erg = kb::erg;
using kbb::fenster::Klassenuebersicht;

namespace kbtest::uebersicht {

using fenster::antworte;
using fenster::offen;

inline const QDate Heute = QDate::currentDate();

// A round of `name` `tage` days ago: level, right and wrong picks; the picks
// that are wrong miss the last shown words.
inline erg::Datensatz runde(const QString& name, int tage, int stufe = 1, int falsche = 0,
                            const QString& rechner = u"pc1"_s)
{
    const int gezeigt = (stufe == 1 || stufe == 3) ? 4 : 7;
    const QStringList woerter{u"Affe"_s, u"Bär"_s, u"Ei"_s, u"Igel"_s, u"Zug"_s, u"Hut"_s, u"Maus"_s};
    erg::Datensatz d{QDateTime(Heute.addDays(-tage), QTime(9, 0)),
                     rechner,
                     u"klasse"_s,
                     name,
                     stufe,
                     woerter.mid(0, gezeigt),
                     woerter.mid(0, gezeigt - falsche),
                     gezeigt - falsche,
                     falsche};
    for (int i = 0; i < falsche; ++i)
        d.gewaehlt.append(u"Falsch%1"_s.arg(i));
    return d;
}

inline void schreibe(const QString& ordner, const QList<erg::Datensatz>& saetze)
{
    for (const erg::Datensatz& d : saetze) {
        QFile f(QDir(ordner).filePath(erg::dateiname(d.zeit.date(), d.rechner, d.benutzer)));
        const bool neu = !f.exists();
        QVERIFY(f.open(QIODevice::Append));
        f.write((neu ? erg::kopfzeile() : QByteArray()) + erg::alsZeile(d));
    }
}

inline bool geladen(Klassenuebersicht& f)
{
    return QTest::qWaitFor([&] { return f.geladen(); }, 20000);
}

inline std::unique_ptr<Klassenuebersicht> oeffne(const QString& ordner, int tage = 0)
{
    auto f = std::make_unique<Klassenuebersicht>(ordner, tage, true);
    f->show();
    return geladen(*f) ? std::move(f) : nullptr;
}

inline QStringList zeilen(const Klassenuebersicht& f)
{
    QStringList namen;
    for (int i = 0; i < f.modell()->rowCount(); ++i)
        namen.append(f.modell()->index(i, 0).data().toString());
    return namen;
}

// Clicks the row of a child; with Ctrl it is added to the rows marked.
inline void klickeZeile(Klassenuebersicht& f, const QString& name, Qt::KeyboardModifiers tasten = {})
{
    const int z = zeilen(f).indexOf(name);
    QVERIFY2(z >= 0, qPrintable(name));
    const QRect feld = f.tabelle()->visualRect(f.modell()->index(z, 0));
    QTest::mouseClick(f.tabelle()->viewport(), Qt::LeftButton, tasten, feld.center());
}

inline void klicke(Klassenuebersicht& f, QAction* aktion)
{
    QWidget* knopf = fenster::werkzeug(f, aktion);
    QVERIFY(knopf && knopf->isEnabled());
    QTest::mouseClick(knopf, Qt::LeftButton);
}

// Clicks the save button of the dialog now open, keeping the name it proposes;
// gives the file written.
inline QString speichere(Klassenuebersicht& f)
{
    QFileDialog* d = offen<QFileDialog>(f, 5000);
    auto* knoepfe = d ? d->findChild<QDialogButtonBox*>() : nullptr;
    QAbstractButton* speichern = knoepfe ? knoepfe->button(QDialogButtonBox::Save) : nullptr;
    if (!speichern || !speichern->isEnabled())
        return {};
    const QString pfad = d->directory().filePath(d->findChild<QLineEdit*>(u"fileNameEdit"_s)->text());
    QTest::mouseClick(speichern, Qt::LeftButton);
    return QTest::qWaitFor([&] { return QFileInfo(pfad).size() > 0; }, 10000) ? pfad : QString();
}

} // namespace kbtest::uebersicht
