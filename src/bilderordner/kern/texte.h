#pragma once

#include "toolkit/folder.h"
#include "toolkit/picture.h"

#include <QSize>
#include <QString>

// The German sentences of the findings, in one place.
namespace kbb::texte {

// A name or word as the sentences show it: in German quotation marks, with every
// character a reader cannot see written out ("\n", "\x1B"), so that a hostile
// name can neither fake a line nor reach the terminal as a command.
QString genannt(const QString& name);

QString keinBild();
QString beschaedigt();
QString unlesbar();
QString unbekanntesFormat(const QString& format);
QString keineDatei();
QString zuGrossZumLesen();
QString haeltLangeAuf(QSize bild, const tk::ShowCost& kosten);
QString zuGross(QSize bild, QSize sichtbar);
QString sehrKlein(QSize bild);
QString punktAmEnde(const QString& wort, const QString& besserName);
QString leeresWort();
QString gleichesWort(const QStringList& andere);
QString nurGrossKlein(const QString& anderes, const QString& andereDatei);
QString wortZuLang(const QString& wort);
QString keinUtf8(const QString& latin1);
QString unsichtbareZeichen(const QString& wort);
QString gleicherInhalt(const QString& original);
// A word that copying made ("Kopie von Maus"); `eigentlich` is the word meant,
// `frei` whether no other file gives it.
QString kopieName(const QString& wort, const QString& eigentlich, bool frei);

// Why nothing could be moved into the named folder below the picture folder.
QString ablageVerweigert(const QString& name, tk::Folder::Refusal grund);

} // namespace kbb::texte
