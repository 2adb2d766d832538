// What children type: any name, shown on the instruction and result screens;
// and any display time, of which only 1 to 15 (after rounding) is ever taken.
#include "shell/modVariablen.h"
#include "support/spielumgebung.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLocale>
#include <QTest>
#include <cmath>

using namespace Qt::StringLiterals;
using kbtest::Spiel;

namespace {

void zeigt(Spiel& spiel, const char* schirm, const QString& name)
{
    QCOMPARE(spiel.aktuellerName(), QString::fromLatin1(schirm));
    QCOMPARE(spiel.aktuell()->label(u"lblName"_s).Caption(), name + u'!');
    QVERIFY(!spiel.aktuell()->window()->grab().isNull());
}

void klick(Spiel& spiel, const char* knopf, int index = -1)
{
    Spiel::klick(spiel.aktuell()->button(QString::fromUtf8(knopf), index));
}

// The display times a child might type, with the whole number each one means
// in German; 0 where it means none.
QList<std::pair<QString, int>> anzeigezeiten()
{
    QList<std::pair<QString, int>> liste{
        {u"1e1"_s, 10},  {u"0x5"_s, 0},     {u"１"_s, 0},        {u"٣"_s, 0},          {u" 15 "_s, 15},
        {u"15,0"_s, 15}, {u"14,5"_s, 14},   {u"15,5"_s, 0},      {u"1.000"_s, 0},      {u"+3"_s, 3},
        {u"−3"_s, 0},    {u"NaN"_s, 0},     {u"inf"_s, 0},       {u""_s, 0},           {u"\t7"_s, 7},
        {u"7\n"_s, 7},   {u"0"_s, 0},       {u"-0"_s, 0},        {u"16"_s, 0},         {u"32"_s, 0},
        {u"33"_s, 0},    {u"32768"_s, 0},   {u"-32769"_s, 0},    {u"1e308"_s, 0},      {u"1e999"_s, 0},
        {u"0,5"_s, 0},   {u"1,5"_s, 2},     {u"2,5"_s, 2},       {u"1,5e1"_s, 15},     {u"zehn"_s, 0},
        {u"3 Sek"_s, 0}, {u"&H5"_s, 0},     {u"1 5"_s, 0},       {u"1.5"_s, 0},        {u"½"_s, 0},
        {u"²"_s, 0},     {u"\u00A07"_s, 7}, {u"14,9999"_s, 15},  {u"15,4999"_s, 15},   {u"-"_s, 0},
        {u","_s, 0},     {u"五"_s, 0},      {u"0,0000001"_s, 0}, {u"15,5000001"_s, 0}, {u"999999999999"_s, 0},
    };
    // Every whole number from -40 to 40, plain, padded, with fractions and junk.
    const char* const gut[] = {"%1", " %1 ", "\t%1\n", "%1,0", "%1e0"};
    const std::pair<const char*, double> brueche[] = {{",49", 0.49}, {",5", 0.5}, {",51", 0.51}};
    const char* const schlecht[] = {"%1x", "x%1", "%1 1", "%1€", "%1%", "(%1)"};
    const auto erwartet = [](double wert) {
        const double r = std::nearbyint(wert); // half to even
        return r >= 1 && r <= 15 ? int(r) : 0;
    };
    for (int n = -40; n <= 40; ++n) {
        for (const char* m : gut)
            liste.append({QString::fromUtf8(m).arg(n), erwartet(n)});
        for (const auto& [text, bruch] : brueche)
            liste.append(
                {QString::number(n) + QString::fromUtf8(text), erwartet(n + std::copysign(bruch, n))});
        for (const char* m : schlecht)
            liste.append({QString::fromUtf8(m).arg(n), 0});
    }
    return liste;
}

} // namespace

class tst_Eingaben : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void namen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("einfuegen"); // pasted with Ctrl+V instead of typed key by key
        QTest::newRow("leer") << QString() << false;
        QTest::newRow("Leerzeichen") << u"  Anna  Lena  "_s << false;
        QTest::newRow("Umlaute") << u"Jürgen Öztürk-Weiß"_s << false;
        QTest::newRow("rechts nach links") << u"שלום עליכם مرحبا"_s << false;
        QTest::newRow("gemischt") << u"Anna שלום 12 محمد!"_s << false;
        QTest::newRow("Emoji") << u"Mia 👧🏽🐟 e\u0301"_s << true;
        QTest::newRow("255") << QString(255, u'm') << false;
        QTest::newRow("10000") << u"Anna Jürgen שלום 🐟 "_s.repeated(500) << true;
    }
    void namen()
    {
        QFETCH(QString, name);
        QFETCH(bool, einfuegen);
        Spiel spiel;
        spiel.standardBilder();
        spiel.starte(u"frmStart"_s);
        Spiel::aktiviere(spiel.aktuell());
        QWidget* feld = QApplication::focusWidget();
        QCOMPARE(feld, spiel.aktuell()->textBox(u"txtBenutzername"_s).widget());
        if (einfuegen) {
            QApplication::clipboard()->setText(name);
            Spiel::tasten(u"Ctrl+V"_s);
        } else {
            Spiel::tippen(feld, name);
        }
        Spiel::tasten(u"Return"_s);
        QCOMPARE(modVariablen::Benutzername.size(), name.size());
        QCOMPARE(modVariablen::Benutzername, name);
        zeigt(spiel, "frmSpiel", name);

        klick(spiel, "cmdweiter");
        klick(spiel, "cmdschweins");
        for (int i = 0; i < 5; ++i)
            klick(spiel, "cmdweiter");
        for (int i = 0; i < 4; ++i)
            klick(spiel, "cmdeins", i);
        zeigt(spiel, "frmAuswert1", name);
    }

    // Each entry goes to the prompt of level 5; a refused one brings the prompt
    // back, where 3 is typed.
    void anzeigezeit()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto liste = anzeigezeiten();
        QVERIFY(liste.size() >= 1000);
        Spiel spiel;
        spiel.standardBilder();
        QStringList falsch;
        for (const auto& [eingabe, sekunden] : liste) {
            tk::Program::instance().reset();
            spiel.services.promptTexts.clear();
            spiel.services.promptAnswers = {eingabe, u"3"_s};
            spiel.starte(u"frmSchw5"_s);
            tk::Form* f = spiel.aktuell();
            QVERIFY(f && f->window()->isVisible());
            const int fragen = int(spiel.services.promptTexts.size());
            const int intervall = f->timer(u"Timer1"_s).Interval();
            if (fragen != (sekunden ? 1 : 2) || intervall != (sekunden ? sekunden : 3) * 1000)
                falsch.append(u"„%1“: %2 ms nach %3 Fragen"_s.arg(eingabe).arg(intervall).arg(fragen));
        }
        QVERIFY2(falsch.isEmpty(), qPrintable(falsch.join(u'\n')));
    }
};

QTEST_MAIN(tst_Eingaben)
#include "tst_eingaben.moc"
