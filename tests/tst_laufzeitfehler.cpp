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
tk::Form& stufe1(Spiel& spiel)
{
    spiel.bilderOrdner(kbtest::bilddateien(9));
    tk::Form* schirm = spiel.starte(u"frmSchw1"_s);
    if (!schirm)
        throw std::logic_error("level 1 did not load");
    spiel.services.scriptedNumbers = {0.0f};
    return *schirm;
}

void ersterKlick(tk::Form& schirm)
{
    Spiel::klick(schirm.find<tk::CommandButton>(u"cmdweiter"_s));
}

// Runs code as a handler of the program runs it.
void alsHandler(const std::function<void()>& code)
{
    tk::Program::instance().dispatch(code);
    Spiel::ruhe();
}

// How each error comes about; the rows of the table name them.
const QHash<QString, Ausloeser>& ausloeser()
{
    static const QHash<QString, Ausloeser> tabelle{
        {u"Zahl zu groß"_s, [](Spiel&) { alsHandler([] { tk::CInt(40000.0); }); }},
        {u"Speicher voll"_s, [](Spiel&) { alsHandler([] { throw std::bad_alloc(); }); }},
        // The answer board before any picture was drawn: no words to put on it.
        {u"Tafel ohne Runde"_s, [](Spiel& spiel) { spiel.starte(u"frmAusw1"_s); }},
        {u"Text statt Zahl"_s, [](Spiel&) { alsHandler([] { tk::CIntText(u"zehn"_s); }); }},
        // The files go away between the level's listing and its first picture.
        {u"Bild verschwunden"_s,
         [](Spiel& spiel) {
             tk::Form& schirm = stufe1(spiel);
             QDir(spiel.bilder()).removeRecursively();
             QDir().mkpath(spiel.bilder());
             ersterKlick(schirm);
         }},
        {u"kein Bilderordner"_s, [](Spiel& spiel) { spiel.starte(u"frmSchw1"_s); }},
        {u"Knopf gibt es nicht"_s,
         [](Spiel& spiel) {
             kbtest::setzeBildnamen(kbtest::bilddateien(9).replaceInStrings(u".png"_s, QString()));
             tk::Form* tafel = spiel.starte(u"frmAusw1"_s);
             alsHandler([tafel] { tafel->control(u"cmdeins"_s, 9); });
         }},
        {u"Listenplatz gibt es nicht"_s,
         [](Spiel& spiel) {
             tk::Form& schirm = stufe1(spiel);
             alsHandler([&schirm] { schirm.find<tk::FileListBox>(u"File1"_s).setListIndex(9); });
         }},
        // A screen shows another that the program does not know.
        {u"Schirm gibt es nicht"_s,
         [](Spiel& spiel) {
             stufe1(spiel);
             alsHandler([] { tk::Program::instance().show(u"frmGibtEsNicht"_s, tk::vbModal); });
         }},
        {u"kein Bild"_s,
         [](Spiel& spiel) {
             tk::Form& schirm = stufe1(spiel);
             kbtest::schreibeDatei(spiel.bilder() + u"/Bild01.png"_s, "Das ist kein Bild.\n");
             ersterKlick(schirm);
         }},
        // The real link service, on a platform that opens no link of an unknown kind.
        {u"Link geht nicht auf"_s,
         [](Spiel& spiel) {
             alsHandler([&spiel] { spiel.services.tk::Services::openLink(u"kieselblick-test:nirgends"_s); });
         }},
    };
    return tabelle;
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

class tst_Laufzeitfehler : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(u"Kieselblick"_s); }

    // The message may name a path; %1 stands for the picture folder.
    void nummerUndText_data()
    {
        QTest::addColumn<int>("nummer");
        QTest::addColumn<QString>("text");
        QTest::newRow("Zahl zu groß") << 6 << u"Überlauf"_s;
        QTest::newRow("Speicher voll") << 7 << u"Nicht genügend Speicher"_s;
        QTest::newRow("Tafel ohne Runde") << 9 << u"Index außerhalb des gültigen Bereichs"_s;
        QTest::newRow("Text statt Zahl") << 13 << u"Typen unverträglich"_s;
        QTest::newRow("Bild verschwunden") << 53 << u"Datei nicht gefunden: %1/Bild01.png"_s;
        QTest::newRow("kein Bilderordner") << 76 << u"Pfad nicht gefunden: %1"_s;
        QTest::newRow("Knopf gibt es nicht")
            << 340 << u"Steuerelementfeld-Element cmdeins(9) existiert nicht"_s;
        QTest::newRow("Listenplatz gibt es nicht") << 380 << u"Unzulässiger Eigenschaftswert"_s;
        QTest::newRow("Schirm gibt es nicht") << 424 << u"Objekt erforderlich: frmGibtEsNicht"_s;
        QTest::newRow("kein Bild") << 481 << u"Ungültiges Bild: %1/Bild01.png"_s;
        QTest::newRow("Link geht nicht auf")
            << -2147467259 << u"Der Link konnte nicht geöffnet werden: kieselblick-test:nirgends"_s;
    }
    void nummerUndText()
    {
        QFETCH(int, nummer);
        QFETCH(QString, text);
        Spiel spiel;
        if (text.contains(u"%1"))
            text = text.arg(spiel.bilder());
        const QString fall = QString::fromUtf8(QTest::currentDataTag());
        QVERIFY2(ausloeser().contains(fall), qPrintable(fall));
        ausloeser().value(fall)(spiel);

        // The program ends with the error, and with nothing else.
        const auto& fehler = spiel.services.error;
        QVERIFY(fehler);
        QVERIFY(spiel.beendet() && spiel.services.exitStatus == 1);
        QCOMPARE(fehler->number(), nummer);
        QCOMPARE(fehler->message(), text);

        // The box as the program shows it, closed with its OK button.
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
