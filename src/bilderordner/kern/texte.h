#pragma once

#include "toolkit/picture.h"

#include <QSize>
#include <QString>

// The German sentences of the findings, in one place.
namespace kbb::texte {

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

} // namespace kbb::texte
