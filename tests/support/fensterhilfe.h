#pragma once

// What the tests of the companion's window share: a window open on a folder,
// folders filled with pictures, and a teacher's hands on the window: dropping
// files, typing a word, answering a question, pressing a tool button.
#include "bilderordner/fenster/bilderfenster.h"
#include "bilderordner/fenster/bildliste.h"
#include "bilderordner/fenster/wortdialog.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <memory>
#include <unistd.h>

namespace kbtest::fenster {

using kbb::fenster::Bilderfenster;
using kbb::fenster::Bildliste;

inline const QString Bilder = QStringLiteral(KB_SOURCE_DIR "/assets/bilder");
inline const QString Share = QStringLiteral(KB_SOURCE_DIR "/assets");

inline void schreibeBild(const QString& pfad, QSize groesse, QColor farbe, const char* format = nullptr)
{
    QImage bild(groesse, QImage::Format_RGB32);
    bild.fill(farbe);
    QVERIFY(bild.save(pfad, format));
}

inline void schreibeText(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}

inline QByteArray inhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The first `anzahl` default pictures: enough different words for every level.
inline void fuelle(const QString& ordner, int anzahl = 15)
{
    const QStringList namen = QDir(Bilder).entryList(QDir::Files, QDir::Name).mid(0, anzahl);
    for (const QString& n : namen)
        QVERIFY(QFile::copy(QDir(Bilder).filePath(n), QDir(ordner).filePath(n)));
}

struct Offen {
    std::unique_ptr<Bilderfenster> fenster;
    explicit Offen(const QString& ordner) : fenster(std::make_unique<Bilderfenster>(ordner, Share))
    {
        fenster->show();
    }
    Bilderfenster* operator->() const { return fenster.get(); }
};

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

inline kbb::fenster::Wortdialog* wortdialog(Bilderfenster& f)
{
    kbb::fenster::Wortdialog* d = nullptr;
    const bool offen = QTest::qWaitFor(
        [&] { return (d = f.findChild<kbb::fenster::Wortdialog*>()) && d->isVisible(); }, 5000);
    return offen ? d : nullptr;
}

inline void tippeWort(kbb::fenster::Wortdialog& d, const QString& wort)
{
    d.eingabe()->selectAll();
    QTest::keyClick(d.eingabe(), Qt::Key_Backspace);
    QTest::keyClicks(d.eingabe(), wort);
    QTest::keyClick(d.eingabe(), Qt::Key_Return);
}

inline QMessageBox* frage(Bilderfenster& f)
{
    QMessageBox* m = nullptr;
    const bool offen =
        QTest::qWaitFor([&] { return (m = f.findChild<QMessageBox*>()) && m->isVisible(); }, 20000);
    return offen ? m : nullptr;
}

inline QPushButton* knopf(QMessageBox& m, const QString& text)
{
    for (QAbstractButton* b : m.buttons())
        if (b->text() == text)
            return qobject_cast<QPushButton*>(b);
    return nullptr;
}

inline QWidget* werkzeug(Bilderfenster& f, QAction* aktion)
{
    return f.findChild<QToolBar*>()->widgetForAction(aktion);
}

// Clicks the tile, as the teacher chooses a picture.
inline void klickeKachel(Bilderfenster& f, const QString& name)
{
    const QRect r = f.liste()->visualRect(kachel(f, name));
    QTest::mouseClick(f.liste()->viewport(), Qt::LeftButton, {}, r.center());
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
inline bool waehleEintrag(QMenu& menue, const QString& text)
{
    for (QAction* a : menue.actions())
        if (a->text() == text && a->isEnabled()) {
            QTest::mouseClick(&menue, Qt::LeftButton, {}, menue.actionGeometry(a).center());
            return true;
        }
    return false;
}

// A folder even root may not change: immutable for root, without write bits for others.
inline bool schreibschuetze(const QString& ordner, bool an)
{
    if (::geteuid() == 0)
        return QProcess::execute(QStringLiteral("chattr"),
                                 {an ? QStringLiteral("+i") : QStringLiteral("-i"), ordner}) == 0;
    return QFile::setPermissions(ordner, an ? QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                            : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
}

} // namespace kbtest::fenster
