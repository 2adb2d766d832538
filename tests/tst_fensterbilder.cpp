// Without --tafel and without Tafel=ja the game looks exactly as before: every
// screen that the screenshot tool renders from the real program in windows is,
// pixel for pixel, its picture in docs/screenshots, the one the README shows.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_Fensterbilder : public QObject {
    Q_OBJECT

    QTemporaryDir ziel_;
    const QDir bilder_{QStringLiteral(KB_SOURCE_DIR "/docs/screenshots")};

private Q_SLOTS:
    void initTestCase()
    {
        QProcess werkzeug;
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        umgebung.remove(u"QT_SCALE_FACTOR"_s);
        werkzeug.setProcessEnvironment(umgebung);
        werkzeug.start(QStringLiteral(KB_FOTOWERKZEUG),
                       {u"--ordner"_s, QStringLiteral(KB_SOURCE_DIR "/assets"), u"--ziel"_s, ziel_.path()});
        QVERIFY(werkzeug.waitForFinished(120000));
        QVERIFY2(werkzeug.exitStatus() == QProcess::NormalExit && werkzeug.exitCode() == 0,
                 werkzeug.readAllStandardError().constData());
    }

    void wieBisher_data()
    {
        QTest::addColumn<QString>("datei");
        const QStringList dateien = bilder_.entryList({u"frm*.png"_s}, QDir::Files, QDir::Name);
        QCOMPARE(dateien.size(), 13);
        for (const QString& datei : dateien)
            QTest::newRow(qPrintable(datei)) << datei;
    }
    void wieBisher()
    {
        QFETCH(QString, datei);
        const QImage vorher = QImage(bilder_.filePath(datei)).convertToFormat(QImage::Format_RGB32);
        const QImage jetzt = QImage(QDir(ziel_.path()).filePath(datei)).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!vorher.isNull() && !jetzt.isNull());
        QCOMPARE(jetzt.size(), vorher.size());
        int anders = 0;
        for (int y = 0; y < jetzt.height(); ++y)
            for (int x = 0; x < jetzt.width(); ++x)
                anders += jetzt.pixel(x, y) != vorher.pixel(x, y);
        QCOMPARE(anders, 0);
    }
};

QTEST_MAIN(tst_Fensterbilder)
#include "tst_fensterbilder.moc"
