#include "bilderordner/fenster/elternabend.h"

#include "bilderordner/fenster/kindertabelle.h"
#include "bilderordner/fenster/verlaufsdiagramm.h"

#include <QFile>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QPainter>
#include <QPdfWriter>

namespace kbb::fenster {

namespace {

constexpr int Aufloesung = 300;    // dots per inch of the page's coordinates
constexpr double Rand = 20;        // margins in millimetres
constexpr int UebungsWoerter = 15; // words to practise named on a page

double mm(double millimeter)
{
    return millimeter * Aufloesung / 25.4;
}

QFont schrift(double punkte, bool fett = false)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(punkte);
    f.setBold(fett);
    return f;
}

// Draws text into a box of the page's width from `oben`; gives the box's bottom.
double absatz(QPainter& p, double oben, const QString& text, const QFont& f, double breite)
{
    p.setFont(f);
    const QRectF feld(mm(Rand), oben, breite, mm(200));
    QRectF belegt;
    p.drawText(feld, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text, &belegt);
    return belegt.bottom();
}

double stufenTabelle(QPainter& p, double oben, const kb::erg::Kind& k, double breite)
{
    const QStringList kopf{QStringLiteral("Stufe"), QStringLiteral("Runden"),
                           QStringLiteral("zuletzt richtig"), QStringLiteral("am besten richtig"),
                           QStringLiteral("zuletzt gespielt")};
    const double zeile = mm(7);
    const double anteile[] = {0.1, 0.14, 0.25, 0.27, 0.24};
    const auto reihe = [&](double y, const QStringList& felder) {
        double x = mm(Rand);
        for (int i = 0; i < felder.size(); ++i) {
            p.drawText(QRectF(x, y, anteile[i] * breite, zeile), Qt::AlignLeft | Qt::AlignVCenter, felder[i]);
            x += anteile[i] * breite;
        }
        p.drawLine(QPointF(mm(Rand), y + zeile), QPointF(mm(Rand) + breite, y + zeile));
    };
    p.setFont(schrift(10, true));
    reihe(oben, kopf);
    p.setFont(schrift(10));
    for (int s = 0; s < k.stufen.size(); ++s) {
        const kb::erg::StufenStand& st = k.stufen[s];
        const bool gespielt = st.runden > 0;
        reihe(oben + (s + 1) * zeile,
              {QString::number(s + 1), gespielt ? zahl(st.runden) : QStringLiteral("–"),
               gespielt ? QStringLiteral("%1 von %2").arg(st.letzte).arg(st.gezeigt) : QString(),
               gespielt ? QStringLiteral("%1 von %2").arg(st.beste).arg(st.besteVon) : QString(),
               gespielt ? st.letzteZeit.toString(QStringLiteral("dd.MM.yyyy")) : QString()});
    }
    return oben + (k.stufen.size() + 1) * zeile;
}

QString uebungsWoerter(const kb::erg::Kind& k, const QList<kb::erg::Datensatz>& saetze)
{
    QList<kb::erg::Datensatz> eigene;
    for (const qsizetype i : k.saetze)
        eigene.append(saetze[i]);
    const QList<kb::erg::Fehlwort> woerter = kb::erg::oftUebersehen(eigene);
    if (woerter.isEmpty())
        return QStringLiteral("Alle gezeigten Wörter wurden gefunden.");
    QStringList teile;
    for (const kb::erg::Fehlwort& w : woerter.mid(0, UebungsWoerter))
        teile.append(QStringLiteral("%1 (%2×)").arg(w.wort).arg(w.anzahl));
    return QStringLiteral("Wörter zum Üben (gezeigt, aber nicht gewählt): %1")
        .arg(teile.join(QStringLiteral(", ")));
}

void zeichneVerlauf(QPainter& p, const QRectF& ziel, const kb::erg::Kind& k,
                    const QList<kb::erg::Datensatz>& saetze)
{
    QGraphicsScene szene;
    QChart* chart = baueVerlauf(anzeigename(k.name), saetze, k.saetze);
    szene.addItem(chart);
    // Drawn at a small size and scaled up, so that its labels are easy to read on paper.
    const QRectF quelle(0, 0, 620, 620 * ziel.height() / ziel.width());
    chart->setGeometry(quelle);
    szene.setSceneRect(quelle);
    szene.render(&p, ziel, quelle);
}

void seite(QPainter& p, const kb::erg::Kind& k, const QList<kb::erg::Datensatz>& saetze,
           const QString& auswahl, const QString& fuss)
{
    const double breite = p.device()->width() - 2 * mm(Rand);
    double y = mm(Rand);
    y = absatz(p, y, QStringLiteral("Lernstand von %1").arg(anzeigename(k.name)), schrift(20, true), breite);
    y = absatz(p, y + mm(2),
               QStringLiteral("Kieselblick · %1 · %2")
                   .arg(auswahl, k.runden == 1 ? QStringLiteral("1 Runde")
                                               : QStringLiteral("%1 Runden").arg(zahl(k.runden))),
               schrift(10), breite);
    y = stufenTabelle(p, y + mm(6), k, breite);
    y = absatz(p, y + mm(6), QStringLiteral("Vorschlag für die nächsten Runden: Stufe %1").arg(k.vorschlag),
               schrift(12, true), breite);
    const QRectF diagramm(mm(Rand), y + mm(4), breite, mm(95));
    zeichneVerlauf(p, diagramm, k, saetze);
    y = absatz(p, diagramm.bottom() + mm(6), uebungsWoerter(k, saetze), schrift(11), breite);
    absatz(p, p.device()->height() - mm(Rand), fuss, schrift(8), breite);
}

} // namespace

bool schreibeElternabend(const QString& pfad, const QList<kb::erg::Kind>& kinder,
                         const QList<kb::erg::Datensatz>& saetze, const QString& auswahl,
                         const std::function<bool(int)>& weiter)
{
    QPdfWriter pdf(pfad);
    pdf.setResolution(Aufloesung);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(QStringLiteral("Kieselblick – Lernstand"));
    pdf.setCreator(QStringLiteral("Kieselblick – Bilder"));
    QPainter p;
    if (!p.begin(&pdf))
        return false;
    const QString heute = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    for (int i = 0; i < kinder.size(); ++i) {
        if (weiter && !weiter(i)) {
            p.end();
            QFile::remove(pfad);
            return false;
        }
        if (i > 0)
            pdf.newPage();
        seite(p, kinder[i], saetze, auswahl,
              QStringLiteral("Erstellt am %1 mit Kieselblick – Bilder · Seite %2 von %3")
                  .arg(heute)
                  .arg(i + 1)
                  .arg(kinder.size()));
    }
    return p.end() && QFileInfo(pfad).size() > 0;
}

} // namespace kbb::fenster
