// Renders the companion's class overview to a PNG file: a results folder of a
// class of twelve children who played for five weeks on six computers, some of
// them typing their names in more than one way, at 1024 x 768 pixels.
//
//   kb_bildschirmfotos_uebersicht --bilder FOLDER [--ziel FOLDER] [--pdf FILE]
//
// With --pdf it also writes the pages for a parents' evening of that class.

#include "bilderordner/fenster/kindertabelle.h"
#include "bilderordner/fenster/klassenuebersicht.h"
#include "bildschirmfotos.h"
#include "ergebnisse/datensatz.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QRandomGenerator>
#include <QTableView>
#include <QTest>

namespace {

struct Schueler {
    QStringList schreibweisen; // as the child types its name, the first most often
    double koennen;            // the chance to find a shown word
    int stufe;                 // the level it starts on
};

const QList<Schueler>& klasse()
{
    static const QList<Schueler> k{
        {{QStringLiteral("Anna"), QStringLiteral("anna"), QStringLiteral(" ANNA")}, 0.93, 2},
        {{QStringLiteral("Ben")}, 0.70, 1},
        {{QStringLiteral("Elif")}, 0.88, 1},
        {{QStringLiteral("Emil"), QStringLiteral("emil")}, 0.55, 1},
        {{QStringLiteral("Finn")}, 0.82, 2},
        {{QStringLiteral("Hannah"), QStringLiteral("Hanna")}, 0.95, 3},
        {{QStringLiteral("Jonas")}, 0.62, 1},
        {{QStringLiteral("Lea")}, 0.90, 2},
        {{QStringLiteral("Mia"), QStringLiteral("MIA")}, 0.75, 1},
        {{QStringLiteral("Noah")}, 0.40, 2},
        {{QStringLiteral("Ömer")}, 0.85, 1},
        {{QStringLiteral("Sophie")}, 0.97, 3},
    };
    return k;
}

// One round of a child: the shown words, its picks, the count of right and wrong.
kb::erg::Datensatz runde(const Schueler& s, int stufe, const QStringList& woerter, QRandomGenerator& zufall)
{
    const int gezeigt = (stufe == 1 || stufe == 3) ? 4 : 7;
    QStringList tafel = woerter;
    std::shuffle(tafel.begin(), tafel.end(), zufall);
    tafel = tafel.mid(0, gezeigt == 4 ? 9 : 15);
    kb::erg::Datensatz d;
    d.stufe = stufe;
    d.gezeigt = tafel.mid(0, gezeigt);
    const double chance = s.koennen - 0.06 * (stufe - 1);
    for (int i = 0; i < gezeigt; ++i) {
        const bool findet = zufall.generateDouble() < chance;
        d.gewaehlt.append(findet ? d.gezeigt[i]
                                 : tafel[gezeigt + int(zufall.bounded(tafel.size() - gezeigt))]);
        findet ? ++d.richtige : ++d.falsche;
    }
    return d;
}

void schreibeKlasse(const QString& ordner, const QStringList& woerter)
{
    QRandomGenerator zufall(20261006);
    QHash<QString, QByteArray> dateien;
    const QDate beginn(2026, 10, 5);
    QList<int> stufen, gut(klasse().size()), schwach(klasse().size());
    for (const Schueler& s : klasse())
        stufen.append(s.stufe);
    for (int tag = 0; tag < 35; ++tag) {
        const QDate datum = beginn.addDays(tag);
        if (datum.dayOfWeek() > 5)
            continue;
        for (int k = 0; k < klasse().size(); ++k) {
            const Schueler& s = klasse()[k];
            if (zufall.bounded(3) == 0)
                continue;
            const QString rechner = QStringLiteral("raum3-pc%1").arg(1 + k % 6, 2, 10, QLatin1Char('0'));
            for (int r = 0; r < 2; ++r) {
                kb::erg::Datensatz d = runde(s, stufen[k], woerter, zufall);
                d.zeit = QDateTime(datum, QTime(8 + k % 4, 10 * r + k, 0));
                d.rechner = rechner;
                d.benutzer = QStringLiteral("klasse1b");
                d.name = s.schreibweisen[zufall.bounded(8) < 6 ? 0 : zufall.bounded(s.schreibweisen.size())];
                // The teacher moves a child up after two rounds without a mistake,
                // and down after two poor ones.
                gut[k] = d.falsche == 0 ? gut[k] + 1 : 0;
                schwach[k] = d.falsche > d.richtige ? schwach[k] + 1 : 0;
                if (gut[k] == 2 && stufen[k] < 5)
                    ++stufen[k], gut[k] = 0;
                if (schwach[k] == 2 && stufen[k] > 1)
                    --stufen[k], schwach[k] = 0;
                QByteArray& inhalt = dateien[kb::erg::dateiname(datum, rechner, d.benutzer)];
                if (inhalt.isEmpty())
                    inhalt = kb::erg::kopfzeile();
                inhalt += kb::erg::alsZeile(d);
            }
        }
    }
    // Elif ends the five weeks with two rounds without a mistake.
    for (int r = 0; r < 2; ++r) {
        kb::erg::Datensatz d = runde(klasse()[2], stufen[2], woerter, zufall);
        d.gewaehlt = d.gezeigt;
        d.richtige = int(d.gezeigt.size()), d.falsche = 0;
        d.zeit = QDateTime(QDate(2026, 11, 9), QTime(11, 30 + r, 0));
        d.rechner = QStringLiteral("raum3-pc03"), d.benutzer = QStringLiteral("klasse1b"),
        d.name = QStringLiteral("Elif");
        QByteArray& inhalt = dateien[kb::erg::dateiname(d.zeit.date(), d.rechner, d.benutzer)];
        inhalt += (inhalt.isEmpty() ? kb::erg::kopfzeile() : QByteArray()) + kb::erg::alsZeile(d);
    }
    for (auto it = dateien.cbegin(); it != dateien.cend(); ++it) {
        QFile f(QDir(ordner).filePath(it.key()));
        if (f.open(QIODevice::WriteOnly))
            f.write(it.value());
    }
}

QStringList woerterAus(const QString& bilder)
{
    QStringList woerter;
    for (const QString& name : QDir(bilder).entryList(QDir::Files, QDir::Name))
        woerter.append(name.chopped(4));
    return woerter;
}

} // namespace

int main(int argc, char* argv[])
{
    kbwerkzeug::offscreenWennNichtGewaehlt();
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("bilder"), QStringLiteral("The default pictures, for their words."),
                      QStringLiteral("folder")});
    parser.addOption(kbwerkzeug::zielOption(QStringLiteral("Folder for the PNG file.")));
    parser.addOption({QStringLiteral("pdf"), QStringLiteral("Also write the parents' evening PDF."),
                      QStringLiteral("file")});
    parser.addHelpOption();
    parser.process(app);

    const QString wurzel = QDir::tempPath() + QStringLiteral("/kieselblick-klasse");
    const QString ordner = kbwerkzeug::beispielordner(wurzel, QStringLiteral("ergebnisse"));
    if (ordner.isEmpty())
        return 1;
    const QStringList woerter = woerterAus(parser.value(QStringLiteral("bilder")));
    if (woerter.size() < 15) {
        qCritical("too few pictures in %s", qPrintable(parser.value(QStringLiteral("bilder"))));
        return 1;
    }
    schreibeKlasse(ordner, woerter);

    kbb::fenster::Klassenuebersicht fenster(ordner, 0, true);
    fenster.resize(1024, 768);
    fenster.show();
    if (!QTest::qWaitFor([&] { return fenster.geladen(); }, 30000)) {
        qCritical("the results were not read in time");
        return 1;
    }
    const int anna = fenster.modell()->zeile(QStringLiteral("anna"));
    fenster.tabelle()->selectRow(std::max(anna, 0));
    QTest::qWait(100);
    bool gut = kbwerkzeug::speichere(fenster, kbwerkzeug::zielOrdner(parser),
                                     QStringLiteral("klassenuebersicht.png"));
    if (parser.isSet(QStringLiteral("pdf")) && !fenster.speicherePdf(parser.value(QStringLiteral("pdf")))) {
        qCritical("cannot write %s", qPrintable(parser.value(QStringLiteral("pdf"))));
        gut = false;
    }
    QDir(wurzel).removeRecursively();
    return gut ? 0 : 1;
}
