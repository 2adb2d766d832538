#include "bilderordner/kern/ablage.h"

#include "bilderordner/kern/reparatur.h"
#include "bilderordner/kern/texte.h"

#include <QFile>

namespace kbb {

Ablage::Ablage(const QString& ordner) : ordner_(tk::Folder::open(ordner)) {}

const tk::Folder* Ablage::ablageOrdner(bool original)
{
    if (!aussortiert_.isOpen() && fehler_.isEmpty()) {
        aussortiert_ = ordner_.subfolder(QLatin1String(Aussortiert), true);
        if (!aussortiert_.isOpen())
            fehler_ = texte::ablageVerweigert(QLatin1String(Aussortiert), aussortiert_.refusal());
    }
    if (original && aussortiert_.isOpen() && !original_.isOpen() && fehler_.isEmpty()) {
        original_ = aussortiert_.subfolder(QStringLiteral("original"), true);
        if (!original_.isOpen())
            fehler_ = texte::ablageVerweigert(QLatin1String(Aussortiert) + QStringLiteral("/original"),
                                              original_.refusal());
    }
    const tk::Folder& ziel = original ? original_ : aussortiert_;
    return ziel.isOpen() ? &ziel : nullptr;
}

QString Ablage::sortiereAus(const QByteArray& roh, const QString& name, bool original)
{
    const tk::Folder* ziel = ablageOrdner(original);
    if (!ziel)
        return {};
    const QString frei = ziel->freeName(name);
    return ordner_.move(roh, *ziel, QFile::encodeName(frei)) ? frei : QString();
}

QString Ablage::sortiereAus(const QString& name, bool original)
{
    return sortiereAus(QFile::encodeName(name), name, original);
}

bool Ablage::holeZurueck(const QString& abgelegt, const QString& name)
{
    const tk::Folder* von = ablageOrdner(true);
    return von && von->move(abgelegt, ordner_, name);
}

bool Ablage::benenneUm(const QByteArray& von, const QString& nach)
{
    return ordner_.move(von, ordner_, QFile::encodeName(nach));
}

bool Ablage::schreibe(const QString& name, const std::function<bool(QIODevice&)>& inhalt) const
{
    return ordner_.writeNew(name, inhalt);
}

QString Ablage::neuerFehler()
{
    if (fehler_.isEmpty() || fehlerGesagt_)
        return {};
    fehlerGesagt_ = true;
    return fehler_;
}

bool ablage::schreibe(const QString& ordner, const QString& name,
                      const std::function<bool(QIODevice&)>& inhalt)
{
    return tk::Folder::open(ordner).writeNew(name, inhalt);
}

} // namespace kbb
