// Helpers shared by the tests of the start screen, the instruction screen and
// the difficulty menu.
#pragma once

#include "shell/modVariablen.h"
#include "shell/programmstart.h"
#include "shell/toolkit/form.h"
#include "shell/toolkit/programm.h"
#include "support/spielumgebung.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace kbtest {

// The five presentation screens the menu opens. Where the program does not have
// them yet, plain screens of the same names and captions take their place.
inline void stufenSicherstellen()
{
    kb::programmEinrichten();
    static const tk::FormLayout stufen[] = {
        {.name = "frmSchw1",
         .caption = "Schwierigkeitsstufe 1",
         .clientWidth = 3000,
         .clientHeight = 2000,
         .controls = {}},
        {.name = "frmSchw2",
         .caption = "Schwierigkeitsstufe 2",
         .clientWidth = 3000,
         .clientHeight = 2000,
         .controls = {}},
        {.name = "frmSchw3",
         .caption = "Schwierigkeitsstufe 3",
         .clientWidth = 3000,
         .clientHeight = 2000,
         .controls = {}},
        {.name = "frmSchw4",
         .caption = "Schwierigkeitsstufe 4",
         .clientWidth = 3000,
         .clientHeight = 2000,
         .controls = {}},
        {.name = "frmSchw5",
         .caption = "Schwierigkeitsstufe 5",
         .clientWidth = 3000,
         .clientHeight = 2000,
         .controls = {}},
    };
    for (const tk::FormLayout& l : stufen) {
        const QString name = QString::fromLatin1(l.name);
        if (!tk::Program::instance().isRegistered(name))
            tk::Program::instance().registerForm(name, [&l] { return std::make_unique<tk::Form>(l); });
    }
}

// Enough pictures for every level, and the display time the level-5 screen asks
// for, so that any level can open.
inline void stufenVorbereiten(Spiel& spiel)
{
    QStringList namen;
    for (int i = 1; i <= 15; ++i)
        namen.append(QStringLiteral("Bild%1.png").arg(i, 2, 10, QLatin1Char('0')));
    spiel.bilderOrdner(namen);
    spiel.services.promptAnswers.push_back(QStringLiteral("3"));
}

inline QWidget* fokus()
{
    return QApplication::focusWidget();
}

inline QLineEdit* namensfeld(const tk::Form& start)
{
    return qobject_cast<QLineEdit*>(start.textBox(QStringLiteral("txtBenutzername")).widget());
}

// Types the text key by key, umlauts and "ß" included (Qt's key codes of the
// Latin-1 letters are their upper-case code points).
inline void tippen(QWidget* ziel, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, ziel, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

// Opens the start screen, types the name into its text box as a child would and
// presses the key (Enter starts, Esc ends).
inline void nameEingeben(Spiel& spiel, const QString& name, Qt::Key taste = Qt::Key_Return)
{
    spiel.starte(QStringLiteral("frmStart"));
    tk::Form* start = spiel.aktuell();
    QVERIFY(start);
    Spiel::aktiviere(start);
    QLineEdit* feld = namensfeld(*start);
    QCOMPARE(fokus(), feld);
    tippen(feld, name);
    QCOMPARE(feld->text(), name);
    QTest::keyClick(feld, taste);
    Spiel::ruhe();
}

// Records the names of the top-level windows that are shown while it lives.
class FensterZeuge : public QObject {
public:
    FensterZeuge() { qApp->installEventFilter(this); }
    ~FensterZeuge() override { qApp->removeEventFilter(this); }
    QStringList gezeigt;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow())
            gezeigt.append(o->objectName());
        return false;
    }
};

} // namespace kbtest
