#include "bilderordner/kern/ablage.h"

#include "bilderordner/kern/reparatur.h"
#include "bilderordner/kern/texte.h"

#include <QFile>

using namespace Qt::StringLiterals;

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
    if (!ordner_.move(roh, *ziel, QFile::encodeName(frei)))
        return {};
    const QString unter = QLatin1String(Aussortiert) + (original ? QStringLiteral("/original/") : u"/"_s);
    schritte_.append({QFile::decodeName(roh), unter + frei});
    return frei;
}

QString Ablage::sortiereAusNach(const QString& name, const QString& unterordner)
{
    if (!ablageOrdner(false))
        return {};
    const tk::Folder ziel = aussortiert_.subfolder(unterordner, true);
    if (!ziel.isOpen()) {
        if (fehler_.isEmpty())
            fehler_ =
                texte::ablageVerweigert(QLatin1String(Aussortiert) + u'/' + unterordner, ziel.refusal());
        return {};
    }
    const QString frei = ziel.freeName(name);
    if (!ordner_.move(name, ziel, frei))
        return {};
    const QString pfad = unterordner + u'/' + frei;
    schritte_.append({name, QLatin1String(Aussortiert) + u'/' + pfad});
    return pfad;
}

QString Ablage::sortiereAus(const QString& name, bool original)
{
    return sortiereAus(QFile::encodeName(name), name, original);
}

bool Ablage::holeZurueck(const QString& abgelegt, const QString& name)
{
    const tk::Folder* von = ablageOrdner(true);
    if (!von || !von->move(abgelegt, ordner_, name))
        return false;
    schritte_.append({QLatin1String(Aussortiert) + QStringLiteral("/original/") + abgelegt, name});
    return true;
}

bool Ablage::benenneUm(const QByteArray& von, const QString& nach)
{
    if (!ordner_.move(von, ordner_, QFile::encodeName(nach)))
        return false;
    schritte_.append({QFile::decodeName(von), nach});
    return true;
}

bool Ablage::schreibe(const QString& name, const std::function<bool(QIODevice&)>& inhalt) const
{
    if (!ordner_.writeNew(name, inhalt))
        return false;
    schritte_.append({QString(), name});
    return true;
}

tk::Folder Ablage::ordnerVon(const QString& pfad, bool anlegen) const
{
    QStringList teile = pfad.split(u'/');
    teile.removeLast();
    tk::Folder f = ordner_;
    for (const QString& teil : std::as_const(teile)) {
        if (teil.isEmpty() || teil == u"." || teil == u"..")
            return {};
        f = f.subfolder(teil, anlegen);
        if (!f.isOpen())
            return {};
    }
    return f;
}

bool Ablage::verschiebe(const QString& von, const QString& nach)
{
    const tk::Folder quelle = ordnerVon(von, false);
    const tk::Folder ziel = ordnerVon(nach, true);
    if (!quelle.isOpen() || !ziel.isOpen())
        return false;
    if (!quelle.move(von.section(u'/', -1), ziel, nach.section(u'/', -1)))
        return false;
    schritte_.append({von, nach});
    return true;
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
