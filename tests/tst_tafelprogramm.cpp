// The real program on a real X server of a board's size (Xvfb): with --tafel,
// with Tafel=ja in its configuration, with both, and with neither. At a board
// the whole screen is the backdrop's calm grey but for the about screen in its
// middle, enlarged by the largest factor at which an 800 x 600 screen still
// fits; without either the about screen is a window of its own size, exactly
// as it was. The screen is read back with ImageMagick's import.
#include "regeln/ansicht.h"
#include "support/bildvergleich.h"
#include "toolkit/units.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The about screen's own size in a window, as the README shows it.
QImage fensterBild()
{
    return QImage(QStringLiteral(KB_SOURCE_DIR "/docs/screenshots/frmSplash.png"))
        .convertToFormat(QImage::Format_RGB32);
}

// The smallest rectangle of the pixels that are not `grund`.
QRect ausserhalb(const QImage& bild, QRgb grund)
{
    QRect r;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if ((bild.pixel(x, y) & 0xFFFFFF) != (grund & 0xFFFFFF))
                r |= QRect(x, y, 1, 1);
    return r;
}

// An X server of its own, on the first free display.
class XServer {
public:
    explicit XServer(QSize groesse)
    {
        server_.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s,
                                  u"%1x%2x24"_s.arg(groesse.width()).arg(groesse.height()), u"-nolisten"_s,
                                  u"tcp"_s, u"-br"_s});
        // Xvfb writes the number of the display it took, once it is ready.
        QElapsedTimer uhr;
        uhr.start();
        while (server_.waitForStarted(5000) && anzeige_.isEmpty() && uhr.elapsed() < 10000)
            if (server_.waitForReadyRead(200) && server_.canReadLine())
                anzeige_ = u":"_s + QString::fromLatin1(server_.readLine().trimmed());
    }
    ~XServer()
    {
        server_.terminate();
        server_.waitForFinished(5000);
    }
    const QString& anzeige() const { return anzeige_; }

    // What the screen shows now.
    QImage bild() const
    {
        QProcess import;
        import.start(u"import"_s, {u"-display"_s, anzeige_, u"-window"_s, u"root"_s, u"png:-"_s});
        import.waitForFinished(20000);
        return QImage::fromData(import.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
    }

private:
    QProcess server_;
    QString anzeige_;
};

} // namespace

class tst_TafelProgramm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        for (const char* werkzeug : {"Xvfb", "import"})
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(werkzeug)).isEmpty(),
                     qPrintable(
                         u"%1 is missing: tools/install-deps.sh installs it"_s.arg(QLatin1String(werkzeug))));
    }

    void tafelOderFenster_data()
    {
        QTest::addColumn<QSize>("groesse");
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<QByteArray>("konfiguration"); // empty: no configuration file
        QTest::addColumn<bool>("tafel");
        const QSize gross(1920, 1080), klein(1024, 768), breit(1280, 800);
        QTest::newRow("--tafel, 1920x1080") << gross << QStringList{u"--tafel"_s} << QByteArray() << true;
        QTest::newRow("Tafel=ja, 1024x768")
            << klein << QStringList() << QByteArray("[Anzeige]\nTafel=ja\n") << true;
        QTest::newRow("Tafel=nein and --tafel, 1280x800")
            << breit << QStringList{u"--tafel"_s} << QByteArray("[Anzeige]\nTafel=nein\n") << true;
        QTest::newRow("neither, 1920x1080") << gross << QStringList() << QByteArray() << false;
        QTest::newRow("Tafel=nein, 1024x768")
            << klein << QStringList() << QByteArray("[Anzeige]\nTafel=nein\n") << false;
    }
    void tafelOderFenster()
    {
        QFETCH(QSize, groesse);
        QFETCH(QStringList, argumente);
        QFETCH(QByteArray, konfiguration);
        QFETCH(bool, tafel);
        QTemporaryDir ordner;
        const QString datei = ordner.filePath(u"kieselblick.conf"_s);
        QFile f(datei);
        QVERIFY(konfiguration.isEmpty() || (f.open(QIODevice::WriteOnly) && f.write(konfiguration) > 0));
        f.close();
        XServer x(groesse);
        QVERIFY2(!x.anzeige().isEmpty(), "Xvfb did not start");
        QProcess spiel;
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert(u"DISPLAY"_s, x.anzeige());
        umgebung.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        umgebung.insert(u"KIESELBLICK_CONF"_s, datei);
        umgebung.remove(u"QT_SCALE_FACTOR"_s);
        spiel.setProcessEnvironment(umgebung);
        spiel.start(QStringLiteral(KB_PROGRAMM), argumente);
        QVERIFY(spiel.waitForStarted(5000));
        const QImage fenster = fensterBild();
        const QRgb grund = tafel ? tk::toQColor(kb::Tafelrand).rgb() : qRgb(0, 0, 0);
        const double faktor = tafel ? std::min(groesse.width() / 800.0, groesse.height() / 600.0) : 1.0;
        const QSize soll = (QSizeF(fenster.size()) * faktor).toSize();
        QImage bild;
        QRect schirm;
        QElapsedTimer uhr;
        uhr.start();
        while ((schirm.size() != soll || bild.pixel(0, 0) != grund) && uhr.elapsed() < 15000) {
            QTest::qWait(200);
            schirm = ausserhalb(bild = x.bild(), grund);
        }
        QTest::qWait(500); // the first frame painted whole
        schirm = ausserhalb(bild = x.bild(), grund);
        spiel.terminate();
        spiel.waitForFinished(5000);
        QCOMPARE(bild.size(), groesse);
        QCOMPARE(bild.pixel(0, 0), grund);
        QCOMPARE(bild.pixel(groesse.width() - 1, groesse.height() - 1), grund);
        QVERIFY2(std::abs(schirm.width() - soll.width()) <= 1 &&
                     std::abs(schirm.height() - soll.height()) <= 1,
                 qPrintable(u"the about screen is %1 x %2, not %3 x %4"_s.arg(schirm.width())
                                .arg(schirm.height())
                                .arg(soll.width())
                                .arg(soll.height())));
        const QPointF mitte = QRectF(schirm).center() - QPointF(groesse.width(), groesse.height()) / 2;
        QVERIFY2(std::abs(mitte.x()) <= 1 && std::abs(mitte.y()) <= 1,
                 "the about screen is not in the middle");
        // The about screen as in a window, only larger.
        const QImage gesehen =
            bild.copy(schirm).scaled(fenster.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(kbtest::groessterUnterschied(gesehen, fenster) <= (tafel ? 40 : 0));
    }
};

QTEST_MAIN(tst_TafelProgramm)
#include "tst_tafelprogramm.moc"
