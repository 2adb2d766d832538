#pragma once

// What the tests of the companion's window share: a window open on a folder of
// pictures, and a teacher's hands on it: dropping files, typing a word,
// answering a question, pressing a key or a tool button, choosing from a menu.
#include "bilderordner/fenster/bilderfenster.h"
#include "bilderordner/fenster/bildliste.h"
#include "bilderordner/fenster/wortdialog.h"
#include "support/testbilder.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <memory>

namespace kbtest::fenster {

using kbb::fenster::Bilderfenster;
using kbb::fenster::Bildliste;
using kbb::fenster::Wortdialog;
using namespace Qt::StringLiterals;

inline const QString Bilder = QStringLiteral(KB_SOURCE_DIR "/assets/bilder");

inline void schreibeBild(const QString& pfad, QSize groesse, QColor farbe, const char* format = nullptr)
{
    QImage bild(groesse, QImage::Format_RGB32);
    bild.fill(farbe);
    QVERIFY(bild.save(pfad, format));
}

inline QByteArray inhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The first `anzahl` default pictures: enough different words for every level.
inline void fuelle(const QString& ordner, int anzahl = 15)
{
    for (const QString& n : QDir(Bilder).entryList(QDir::Files, QDir::Name).mid(0, anzahl))
        QVERIFY(QFile::copy(QDir(Bilder).filePath(n), QDir(ordner).filePath(n)));
}

inline bool wartePruefung(Bilderfenster& f)
{
    return QTest::qWaitFor([&] { return f.berichtDa(); }, 20000);
}

inline QModelIndex kachel(Bilderfenster& f, const QString& name)
{
    return f.modell()->index(f.modell()->zeile(name));
}

// Drags files from a file manager onto the window and lets go.
inline bool lasseFallen(Bilderfenster& f, const QStringList& dateien)
{
    QMimeData daten;
    QList<QUrl> urls;
    for (const QString& d : dateien)
        urls.append(QUrl::fromLocalFile(d));
    daten.setUrls(urls);
    const QPoint mitte = f.rect().center();
    QDragEnterEvent hinein(mitte, Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&f, &hinein);
    if (!hinein.isAccepted())
        return false;
    QDropEvent fallen(QPointF(mitte), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&f, &fallen);
    return fallen.isAccepted();
}

// The visible child of that type the window opened, once it shows.
template <typename T> T* offen(QWidget& f, int ms = 20000)
{
    T* d = nullptr;
    return QTest::qWaitFor([&] { return (d = f.findChild<T*>()) && d->isVisible(); }, ms) ? d : nullptr;
}

inline void tippeWort(Wortdialog& d, const QString& wort)
{
    d.eingabe()->selectAll();
    QTest::keyClick(d.eingabe(), Qt::Key_Backspace);
    QTest::keyClicks(d.eingabe(), wort);
    QTest::keyClick(d.eingabe(), Qt::Key_Return);
}

inline QPushButton* knopf(QMessageBox& m, const QString& text)
{
    for (QAbstractButton* b : m.buttons())
        if (b->text() == text)
            return qobject_cast<QPushButton*>(b);
    return nullptr;
}

// Answers the question the window asks now with the button of that text.
inline bool antworte(QWidget& f, const QString& text)
{
    QMessageBox* m = offen<QMessageBox>(f);
    QPushButton* b = m ? knopf(*m, text) : nullptr;
    if (b)
        QTest::mouseClick(b, Qt::LeftButton);
    return b;
}

inline QWidget* werkzeug(QWidget& f, QAction* aktion)
{
    return f.findChild<QToolBar*>()->widgetForAction(aktion);
}

// A key pressed while the list of tiles has the focus.
inline void drueckeTaste(Bilderfenster& f, int taste, Qt::KeyboardModifiers mit = {})
{
    QApplication::setActiveWindow(&f);
    f.liste()->setFocus();
    QTest::keyClick(f.liste(), Qt::Key(taste), mit);
}

// The right mouse button on a tile: the context menu that opens.
inline QMenu* kontextmenue(Bilderfenster& f, const QString& name)
{
    const QPoint p = f.liste()->visualRect(kachel(f, name)).center();
    QContextMenuEvent e(QContextMenuEvent::Mouse, p, f.liste()->viewport()->mapToGlobal(p));
    QCoreApplication::sendEvent(f.liste()->viewport(), &e);
    for (QMenu* m : f.findChildren<QMenu*>())
        if (m->isVisible())
            return m;
    return nullptr;
}

// Clicks the entry of an open menu that has this text.
inline bool waehleEintrag(QMenu* menue, const QString& text)
{
    for (QAction* a : menue ? menue->actions() : QList<QAction*>())
        if (a->text() == text && a->isEnabled()) {
            QTest::mouseClick(menue, Qt::LeftButton, {}, menue->actionGeometry(a).center());
            return true;
        }
    return false;
}

// A picture folder, the companion's window on it, and a folder to add from.
struct Ablage {
    QTemporaryDir tmp, quelle;
    std::unique_ptr<Bilderfenster> f;
    std::unique_ptr<QSignalSpy> fertig; // the jobs the window finished

    // Opens the window on the folder with the first `anzahl` default pictures,
    // with `pruefen` once its report is there.
    bool oeffne(int anzahl = 15, bool pruefen = true)
    {
        fuelle(tmp.path(), anzahl);
        f = std::make_unique<Bilderfenster>(tmp.path(), QStringLiteral(KB_SOURCE_DIR "/assets"));
        f->show();
        fertig = std::make_unique<QSignalSpy>(f.get(), &Bilderfenster::arbeitFertig);
        return !pruefen || wartePruefung(*f);
    }
    Bilderfenster* operator->() const { return f.get(); }
    QString ordner() const { return tmp.path(); }
    QString pfad(const QString& name) const { return tmp.filePath(name); }
    bool fertigNach(int jobs)
    {
        return QTest::qWaitFor([&] { return fertig->count() >= jobs; }, 20000);
    }
    // Drops a new grey picture of that file name onto the window: the word dialog.
    Wortdialog* bringe(const QString& name)
    {
        schreibeBild(quelle.filePath(name), QSize(200, 150), Qt::gray);
        return lasseFallen(*f, {quelle.filePath(name)}) ? offen<Wortdialog>(*f, 5000) : nullptr;
    }
    // Chooses a tile with a click and acts on it: a key, a double click, or an
    // entry of its context menu.
    bool handle(const QString& name, const QString& weg)
    {
        const QPoint p = f->liste()->visualRect(kachel(*f, name)).center();
        QTest::mouseClick(f->liste()->viewport(), Qt::LeftButton, {}, p);
        if (weg == u"Entf" || weg == u"F2")
            drueckeTaste(*f, weg == u"F2" ? Qt::Key_F2 : Qt::Key_Delete);
        else if (weg == u"Doppelklick")
            QTest::mouseDClick(f->liste()->viewport(), Qt::LeftButton, {}, p);
        else
            return waehleEintrag(kontextmenue(*f, name), weg);
        return true;
    }
};

} // namespace kbtest::fenster
