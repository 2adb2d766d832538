#include "bilderordner/fenster/verlaufsdiagramm.h"

#include "regeln/stufen.h"

#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

namespace kbb::fenster {

namespace {

// One colour per level, told apart also by those who do not see red and green well.
QColor stufenFarbe(int stufe)
{
    static const QColor farben[] = {QColor(0x00, 0x72, 0xb2), QColor(0xe6, 0x9f, 0x00),
                                    QColor(0x00, 0x9e, 0x73), QColor(0xcc, 0x79, 0x67),
                                    QColor(0x56, 0x3d, 0x8c)};
    return farben[(stufe - 1) % std::size(farben)];
}

QLineSeries* reihe(QChart* chart, QMap<int, QLineSeries*>& reihen, int stufe)
{
    if (QLineSeries* r = reihen.value(stufe))
        return r;
    auto* r = new QLineSeries(chart);
    r->setName(QStringLiteral("Stufe %1").arg(stufe));
    r->setColor(stufenFarbe(stufe));
    r->setPointsVisible(true);
    QPen stift(stufenFarbe(stufe), 2);
    r->setPen(stift);
    reihen.insert(stufe, r);
    return r;
}

void setzeAchsen(QChart* chart, qint64 von, qint64 bis, int hoechstens)
{
    constexpr qint64 Tag = 24 * 3600 * 1000;
    if (bis - von < Tag)
        von -= Tag / 2, bis += Tag / 2;
    auto* zeit = new QDateTimeAxis(chart);
    zeit->setFormat(bis - von > 300 * Tag ? QStringLiteral("MM.yyyy") : QStringLiteral("dd.MM."));
    zeit->setRange(QDateTime::fromMSecsSinceEpoch(von), QDateTime::fromMSecsSinceEpoch(bis));
    zeit->setTickCount(6);
    auto* richtig = new QValueAxis(chart);
    // A little room above and below, so that the points on 0 and on the top are whole.
    richtig->setRange(-0.3, hoechstens + 0.3);
    richtig->setTickType(QValueAxis::TicksDynamic);
    richtig->setTickAnchor(0);
    richtig->setTickInterval(1);
    richtig->setLabelFormat(QStringLiteral("%d"));
    richtig->setTitleText(QStringLiteral("richtige Wörter"));
    chart->addAxis(zeit, Qt::AlignBottom);
    chart->addAxis(richtig, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(zeit);
        s->attachAxis(richtig);
    }
}

} // namespace

QChart* baueVerlauf(const QString& name, const QList<kb::erg::Datensatz>& saetze,
                    const QList<qsizetype>& auswahl)
{
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("%1: richtige Wörter je Runde").arg(name));
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 4, 4, 4));
    QMap<int, QLineSeries*> reihen;
    qint64 von = std::numeric_limits<qint64>::max(), bis = std::numeric_limits<qint64>::min();
    int hoechstens = 4;
    for (const qsizetype i : auswahl) {
        const kb::erg::Datensatz& d = saetze[i];
        const qint64 t = d.zeit.toMSecsSinceEpoch();
        reihe(chart, reihen, d.stufe)->append(double(t), d.richtige);
        von = std::min(von, t), bis = std::max(bis, t);
        hoechstens = std::max({hoechstens, int(d.gezeigt.size()), d.richtige});
    }
    for (QLineSeries* r : std::as_const(reihen))
        chart->addSeries(r);
    if (!reihen.isEmpty())
        setzeAchsen(chart, von, bis, hoechstens);
    return chart;
}

Verlaufsdiagramm::Verlaufsdiagramm(QWidget* parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(180);
    leere(QString());
}

void Verlaufsdiagramm::zeige(const QString& name, const QList<kb::erg::Datensatz>& saetze,
                             const QList<qsizetype>& auswahl)
{
    QChart* alt = chart();
    setChart(baueVerlauf(name, saetze, auswahl));
    delete alt;
    setAccessibleName(chart()->title());
}

void Verlaufsdiagramm::leere(const QString& hinweis)
{
    QChart* alt = chart();
    auto* leer = new QChart;
    leer->setTitle(hinweis);
    leer->legend()->hide();
    setChart(leer);
    delete alt;
    setAccessibleName(hinweis);
}

QList<QLineSeries*> Verlaufsdiagramm::reihen() const
{
    QList<QLineSeries*> liste;
    for (QAbstractSeries* s : chart()->series())
        if (auto* r = qobject_cast<QLineSeries*>(s))
            liste.append(r);
    return liste;
}

} // namespace kbb::fenster
