// Every run-time error the program can raise, each brought about the way the
// program meets it: its number, and its message in the box the child sees.
#include "support/spielumgebung.h"
#include "toolkit/numbers.h"

#include <QMessageBox>
#include <QPushButton>
#include <new>

namespace {

using Ausloeser = std::function<void(Spiel&)>;

// Level 1 loaded with nine pictures, its first draw aimed at the first file by name.
tk::Form* stufe1(Spiel& spiel)
{
    spiel.bilderOrdner(kbtest::bilddateien(9));
    tk::Form* schirm = spiel.starte(u"frmSchw1"_s);
    spiel.services.scriptedNumbers = {0.0f};
    return schirm;
}

// Runs code as a handler of the program runs it.
void alsHandler(const std::function<void()>& code)
{
    tk::Program::instance().dispatch(code);
    Spiel::ruhe();
}

QMessageBox* fehlerfenster()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w);
            box && box->objectName() == u"Laufzeitfehler" && box->isVisible())
            return box;
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(Ausloeser)

class tst_Laufzeitfehler : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(u"Kieselblick"_s); }

    // How each error comes about; the message may name a path, %1 the picture folder.
    void nummerUndText_data()
    {
        QTest::addColumn<Ausloeser>("ausloeser");
        QTest::addColumn<int>("nummer");
        QTest::addColumn<QString>("text");
        const auto zeile = [](const char* fall, int nummer, const char* text, Ausloeser a) {
            QTest::newRow(fall) << a << nummer << QString::fromUtf8(text);
        };
        zeile("Zahl zu groß", 6, "Überlauf", [](Spiel&) { alsHandler([] { tk::CInt(40000.0); }); });
        zeile("Speicher voll", 7, "Nicht genügend Speicher",
              [](Spiel&) { alsHandler([] { throw std::bad_alloc(); }); });
        // The answer board before any picture was drawn: no words to put on it.
        zeile("Tafel ohne Runde", 9, "Index außerhalb des gültigen Bereichs",
              [](Spiel& spiel) { spiel.starte(u"frmAusw1"_s); });
        zeile("Text statt Zahl", 13, "Typen unverträglich",
              [](Spiel&) { alsHandler([] { tk::CIntText(u"zehn"_s); }); });
        // The files go away between the level's listing and its first picture.
        zeile("Bild verschwunden", 53, "Datei nicht gefunden: %1/Bild01.png", [](Spiel& spiel) {
            tk::Form* schirm = stufe1(spiel);
            QDir(spiel.bilder()).removeRecursively();
            QDir().mkpath(spiel.bilder());
            Spiel::klick(schirm->find<tk::CommandButton>(u"cmdweiter"_s));
        });
        zeile("kein Bilderordner", 76, "Pfad nicht gefunden: %1",
              [](Spiel& spiel) { spiel.starte(u"frmSchw1"_s); });
        zeile("Knopf gibt es nicht", 340, "Steuerelementfeld-Element cmdeins(9) existiert nicht",
              [](Spiel& spiel) {
                  kbtest::setzeBildnamen(kbtest::bilddateien(9).replaceInStrings(u".png"_s, QString()));
                  tk::Form* tafel = spiel.starte(u"frmAusw1"_s);
                  alsHandler([tafel] { tafel->control(u"cmdeins"_s, 9); });
              });
        zeile("Listenplatz gibt es nicht", 380, "Unzulässiger Eigenschaftswert", [](Spiel& spiel) {
            tk::Form* schirm = stufe1(spiel);
            alsHandler([schirm] { schirm->find<tk::FileListBox>(u"File1"_s).setListIndex(9); });
        });
        // A screen shows another that the program does not know.
        zeile("Schirm gibt es nicht", 424, "Objekt erforderlich: frmGibtEsNicht", [](Spiel& spiel) {
            stufe1(spiel);
            alsHandler([] { tk::Program::instance().show(u"frmGibtEsNicht"_s, tk::vbModal); });
        });
        zeile("kein Bild", 481, "Ungültiges Bild: %1/Bild01.png", [](Spiel& spiel) {
            tk::Form* schirm = stufe1(spiel);
            kbtest::schreibeDatei(spiel.bilder() + u"/Bild01.png"_s, "Das ist kein Bild.\n");
            Spiel::klick(schirm->find<tk::CommandButton>(u"cmdweiter"_s));
        });
        // The real link service, on a platform that opens no link of an unknown kind.
        zeile("Link geht nicht auf", -2147467259,
              "Der Link konnte nicht geöffnet werden: kieselblick-test:nirgends", [](Spiel& spiel) {
                  alsHandler(
                      [&spiel] { spiel.services.tk::Services::openLink(u"kieselblick-test:nirgends"_s); });
              });
    }
    // The program ends with the error and with nothing else; the box as the
    // program shows it, closed with its OK button.
    void nummerUndText()
    {
        QFETCH(Ausloeser, ausloeser);
        QFETCH(int, nummer);
        QFETCH(QString, text);
        Spiel spiel;
        text = text.contains(u"%1") ? text.arg(spiel.bilder()) : text;
        ausloeser(spiel);
        const auto& fehler = spiel.services.error;
        QVERIFY(fehler && spiel.beendet() && spiel.services.exitStatus == 1);
        QCOMPARE(fehler->number(), nummer);
        QCOMPARE(fehler->message(), text);
        bool geschlossen = false;
        spiel.services.tk::Services::showError(*fehler, [&geschlossen] { geschlossen = true; });
        QMessageBox* box = fehlerfenster();
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), u"Kieselblick"_s);
        QCOMPARE(box->windowFlags(), QMessageBox().windowFlags()); // in a window, framed as every box
        QCOMPARE(box->text(), u"Laufzeitfehler '%1':\n\n%2"_s.arg(nummer).arg(text));
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->buttons().size(), 1);
        QTest::mouseClick(box->buttons().constFirst(), Qt::LeftButton);
        Spiel::ruhe();
        QVERIFY(geschlossen && !fehlerfenster());
    }
};

QTEST_MAIN(tst_Laufzeitfehler)
#include "tst_laufzeitfehler.moc"
