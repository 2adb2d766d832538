// Renders the picture-folder companion's window to PNG files: a copy of the
// default pictures with a few files a teacher might have dropped in beside them
// (a text file, a camera photo, a name with ".jpeg", a tiny picture, a word twice
// in different case), the window's main view and its child's view of the photo.
//
//   kb_bildschirmfotos_bilder --bilder FOLDER [--ziel FOLDER]

#include "bilderordner/fenster/bilderfenster.h"
#include "bilderordner/fenster/bildliste.h"
#include "bilderordner/fenster/kindansicht.h"
#include "bilderordner/fenster/vorschaubilder.h"
#include "bildschirmfotos.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QDir>
#include <QListView>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

// A photo-like picture of the given size: a sky, a meadow and a sun.
void schreibeFoto(const QString& pfad, QSize groesse)
{
    QImage bild(groesse, QImage::Format_RGB32);
    QPainter p(&bild);
    QLinearGradient himmel(0, 0, 0, groesse.height());
    himmel.setColorAt(0, QColor(0x6a, 0xa8, 0xe8));
    himmel.setColorAt(0.6, QColor(0xd8, 0xec, 0xfa));
    himmel.setColorAt(0.61, QColor(0x5c, 0xa0, 0x3c));
    himmel.setColorAt(1, QColor(0x2e, 0x6a, 0x1e));
    p.fillRect(bild.rect(), himmel);
    p.setBrush(QColor(0xff, 0xd2, 0x3c));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(groesse.width() * 3 / 4, groesse.height() / 4), groesse.height() / 8,
                  groesse.height() / 8);
    p.end();
    bild.save(pfad, "JPEG", 88);
}

void richteOrdnerEin(const QString& quelle, const QString& ordner)
{
    const QDir q(quelle);
    for (const QString& name : q.entryList(QDir::Files))
        QFile::copy(q.filePath(name), QDir(ordner).filePath(name));
    QFile text(QDir(ordner).filePath(QStringLiteral("Notizen.txt")));
    text.open(QIODevice::WriteOnly);
    text.write("Bilder für Montag mitbringen\n");
    text.close();
    schreibeFoto(QDir(ordner).filePath(QStringLiteral("Wiese.jpg")), QSize(2400, 1800));
    QFile::copy(q.filePath(QStringLiteral("Katze.png")), QDir(ordner).filePath(QStringLiteral("Kater.jpeg")));
    QImage klein(40, 30, QImage::Format_RGB32);
    klein.fill(QColor(0xc0, 0x40, 0x40));
    klein.save(QDir(ordner).filePath(QStringLiteral("Punkt.png")));
    QFile::copy(q.filePath(QStringLiteral("Maus.png")), QDir(ordner).filePath(QStringLiteral("maus.gif")));
}

} // namespace

int main(int argc, char* argv[])
{
    kbwerkzeug::offscreenWennNichtGewaehlt();
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption(
        {QStringLiteral("bilder"), QStringLiteral("The default pictures."), QStringLiteral("folder")});
    parser.addOption(
        {QStringLiteral("share"), QStringLiteral("Folder with the picture sets."), QStringLiteral("folder")});
    parser.addOption(kbwerkzeug::zielOption(QStringLiteral("Folder for the PNG files.")));
    parser.addHelpOption();
    parser.process(app);

    const QString wurzel = QDir::tempPath() + QStringLiteral("/kieselblick-beispiel");
    const QString ordner = kbwerkzeug::beispielordner(wurzel, QStringLiteral("bilder"));
    if (ordner.isEmpty())
        return 1;
    richteOrdnerEin(parser.value(QStringLiteral("bilder")), ordner);
    const QDir ziel = kbwerkzeug::zielOrdner(parser);

    kbb::fenster::Bilderfenster fenster(ordner, parser.value(QStringLiteral("share")));
    // The size of a school laptop's whole screen: the window must fit it.
    fenster.resize(1024, 768);
    fenster.show();
    if (!QTest::qWaitFor([&] { return fenster.berichtDa() && fenster.vorschaubilder()->fertig(); }, 60000)) {
        qCritical("the folder was not judged in time");
        return 1;
    }
    QSignalSpy geladen(fenster.kindansicht(), &kbb::fenster::Kindansicht::bildGeladen);
    bool gut = true;
    // The main view with the file that stops the game chosen, then the photo.
    const std::pair<const char*, const char*> aufnahmen[] = {
        {"Notizen.txt", "kieselblick-bilder.png"}, {"Wiese.jpg", "kieselblick-bilder-vorschau.png"}};
    for (const auto& [datei, bild] : aufnahmen) {
        const QModelIndex i = fenster.modell()->index(fenster.modell()->zeile(QString::fromUtf8(datei)));
        fenster.liste()->setCurrentIndex(i);
        fenster.liste()->scrollTo(i);
        if (!geladen.wait(10000))
            qCritical("the preview of %s did not load", datei);
        QTest::qWait(50);
        gut = kbwerkzeug::speichere(fenster, ziel, QString::fromUtf8(bild)) && gut;
    }
    // The help the teacher gets with F1.
    fenster.hilfeAktion()->trigger();
    if (auto* hilfe = fenster.findChild<QDialog*>(QStringLiteral("hilfe"))) {
        QTest::qWait(50);
        gut = kbwerkzeug::speichere(*hilfe, ziel, QStringLiteral("kieselblick-bilder-hilfe.png")) && gut;
    } else {
        qCritical("the help did not open");
        gut = false;
    }
    QDir(wurzel).removeRecursively();
    return gut ? 0 : 1;
}
