// The start screen, the instruction document and the difficulty menu; and a
// screen's window going away by anything but its own buttons.
#include "support/spielumgebung.h"

#include <QPointer>
#include <QProcess>
#include <QTextBlock>
#include <QTextDocument>
#include <QWindow>
#include <xcb/xcb.h>

namespace {

// Records the names of the windows shown while it lives.
struct FensterZeuge : QObject {
    QStringList gezeigt;
    FensterZeuge() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && kbtest::istFenster(o))
            gezeigt << o->objectName();
        return false;
    }
};

xcb_atom_t atom(xcb_connection_t* x, const char* name)
{
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return a;
}

// The shown top-level window of the process, as a window manager finds it: by
// the process id that Qt puts on its windows.
xcb_window_t fensterVon(xcb_connection_t* x, qint64 prozess)
{
    const xcb_window_t wurzel = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const xcb_atom_t pid = atom(x, "_NET_WM_PID");
    xcb_query_tree_reply_t* baum = xcb_query_tree_reply(x, xcb_query_tree(x, wurzel), nullptr);
    xcb_window_t gefunden = XCB_WINDOW_NONE;
    for (int i = 0; baum && i < xcb_query_tree_children_length(baum); ++i) {
        const xcb_window_t w = xcb_query_tree_children(baum)[i];
        auto* a = xcb_get_window_attributes_reply(x, xcb_get_window_attributes(x, w), nullptr);
        auto* p = xcb_get_property_reply(x, xcb_get_property(x, 0, w, pid, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        if (a && a->map_state == XCB_MAP_STATE_VIEWABLE && p && xcb_get_property_value_length(p) == 4 &&
            *static_cast<quint32*>(xcb_get_property_value(p)) == quint32(prozess))
            gefunden = w;
        free(a), free(p);
    }
    free(baum);
    return gefunden;
}

// Closes the window as a window manager's close box does: it asks the program.
void bitteSchliessen(xcb_connection_t* x, xcb_window_t w)
{
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = w;
    e.type = atom(x, "WM_PROTOCOLS");
    e.data.data32[0] = atom(x, "WM_DELETE_WINDOW");
    e.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(x, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&e));
}

} // namespace

class tst_Shell : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void onlyTheChosenScreenOpens_data()
    {
        QTest::addColumn<QString>("schirm");
        QTest::addColumn<QString>("eingabe"); // keys, or a button clicked
        QTest::addColumn<QString>("weiter");  // empty: the end, and no other screen shown
        QTest::newRow("Esc") << u"frmStart"_s << u"Esc"_s << QString();
        QTest::newRow("Ende") << u"frmStart"_s << u"cmdBeenden"_s << QString();
        QTest::newRow("Alt+S") << u"frmStart"_s << u"Alt+S"_s << u"frmSpiel"_s;
        QTest::newRow("Start") << u"frmStart"_s << u"cmdStart"_s << u"frmSpiel"_s;
        const char* knoepfe[] = {"cmdschweins", "cmdschwzwei", "cmdschwdrei", "cmdschwvier", "cmdschwfünf"};
        for (int i = 0; i < 5; ++i)
            QTest::newRow(knoepfe[i])
                << u"frmSchwierigkeit"_s << QString::fromUtf8(knoepfe[i]) << u"frmSchw%1"_s.arg(i + 1);
        for (const char* taste : {"Return", "Enter", "Space"})
            QTest::newRow(taste) << u"frmSchwierigkeit"_s << QString::fromLatin1(taste) << u"frmSchw1"_s;
    }
    // The typed name is kept only when the game goes on; the menu changes no state.
    void onlyTheChosenScreenOpens()
    {
        QFETCH(QString, schirm);
        QFETCH(QString, eingabe);
        QFETCH(QString, weiter);
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(15));
        spiel.services.promptAnswers = {u"3"_s};
        Spiel::aktiviere(spiel.starte(schirm));
        if (schirm == u"frmStart"_s)
            Spiel::tippen(QApplication::focusWidget(), u"Ben"_s);
        else
            kb::modVariablen::Benutzername = u"Ben"_s;
        kb::modVariablen::Richtige = 3;
        FensterZeuge zeuge;
        eingabe.startsWith(u"cmd"_s) ? Spiel::klick(spiel.aktuell()->find<tk::CommandButton>(eingabe))
                                     : Spiel::tasten(eingabe);
        QTRY_COMPARE(spiel.aktuellerName(), weiter);
        QCOMPARE(zeuge.gezeigt, weiter.isEmpty() ? QStringList() : QStringList{weiter});
        QCOMPARE(kb::modVariablen::Benutzername, weiter.isEmpty() ? QString() : u"Ben"_s);
        QCOMPARE(spiel.beendet(), weiter.isEmpty());
        QVERIFY(weiter.isEmpty() || kb::modVariablen::Richtige == 3);
    }

    // The twelve paragraphs, each on one line, all within the box.
    void instructionDocument()
    {
        Spiel spiel;
        auto* box = qobject_cast<QLabel*>(spiel.starte(u"frmSpiel"_s)->control(u"OLE1"_s).widget());
        QTextDocument doc;
        doc.setDefaultFont(box->font());
        doc.setHtml(box->text());
        doc.setTextWidth(box->width());
        QVERIFY(doc.size().height() <= box->height());
        QCOMPARE(doc.blockCount(), 12);
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            QCOMPARE(b.layout()->lineCount(), 1);
        QCOMPARE(doc.firstBlock().text(), u"Bei diesem Spiel musst du dir Bilder merken. "_s);
    }

    void fensterGehtVerloren_data()
    {
        QTest::addColumn<QString>("schirm");
        QTest::addColumn<QString>("weg");
        for (const char* schirm : {"frmSplash", "frmStart", "frmSchw3"})
            for (const char* weg : {"Schließfeld", "deleteLater", "delete"})
                QTest::addRow("%s, %s", schirm, weg) << QString::fromLatin1(schirm) << QString::fromUtf8(weg);
    }
    // However a screen's window goes, by its close box or deleted by anything else,
    // the screen is unloaded and the program ends as by the close box.
    void fensterGehtVerloren()
    {
        QFETCH(QString, schirm);
        QFETCH(QString, weg);
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(15));
        QPointer<QWidget> fenster = spiel.starte(schirm)->window();
        // In a window the screen's window is the top-level one; at a board it is a
        // part of the backdrop, whose close box the desktop offers.
        if (weg == u"Schließfeld")
            fenster->window()->windowHandle()->close();
        else if (weg == u"deleteLater")
            fenster->deleteLater();
        else
            delete fenster.data();
        Spiel::ruhe();
        QVERIFY(spiel.beendet());
        QCOMPARE(spiel.services.exitStatus, 0);
        QCOMPARE(tk::Program::instance().loadedCount(), 0);
        QVERIFY(fenster.isNull() || !fenster->isVisible());
    }

    void fensterVomFenstersystemZerstoert_data()
    {
        QTest::addColumn<bool>("zerstoert"); // else closed by the close box's request
        QTest::newRow("zerstört") << true;
        QTest::newRow("Schließfeld") << false;
    }
    // The real program on a virtual screen of its own: its window is destroyed by
    // another program, as a desktop's "force close" does, or closed through the
    // window manager's request. Either way the program ends with status 0.
    void fensterVomFenstersystemZerstoert()
    {
        QFETCH(bool, zerstoert);
        QProcess xvfb;
        xvfb.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s,
                               u"-nolisten"_s, u"tcp"_s});
        QVERIFY2(xvfb.waitForStarted(), "Xvfb fehlt: tools/install-deps.sh installiert das Paket xvfb.");
        const auto aus = qScopeGuard([&xvfb] { xvfb.kill(), xvfb.waitForFinished(); });
        QVERIFY(xvfb.waitForReadyRead(20000));
        const QByteArray anzeige = ':' + xvfb.readLine().trimmed();
        QProcess spiel;
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        umgebung.insert(u"DISPLAY"_s, QString::fromLatin1(anzeige));
        // Under the sanitizers the exit status is what counts here; leaks are checked in-process.
        umgebung.insert(u"ASAN_OPTIONS"_s, umgebung.value(u"ASAN_OPTIONS"_s) + u":detect_leaks=0"_s);
        spiel.setProcessEnvironment(umgebung);
        spiel.start(QStringLiteral(KB_PROGRAMM), {});
        QVERIFY(spiel.waitForStarted());
        const auto weg = qScopeGuard([&spiel] { spiel.kill(), spiel.waitForFinished(); });
        xcb_connection_t* x = xcb_connect(anzeige.constData(), nullptr);
        const auto trennen = qScopeGuard([x] { xcb_disconnect(x); });
        QVERIFY(!xcb_connection_has_error(x));
        xcb_window_t fenster = XCB_WINDOW_NONE;
        QTRY_VERIFY_WITH_TIMEOUT((fenster = fensterVon(x, spiel.processId())) != XCB_WINDOW_NONE, 20000);
        if (zerstoert)
            xcb_destroy_window(x, fenster);
        else
            bitteSchliessen(x, fenster);
        xcb_flush(x);
        QVERIFY2(spiel.waitForFinished(10000), "Das Spiel läuft ohne Fenster weiter.");
        QCOMPARE(spiel.exitStatus(), QProcess::NormalExit);
        QCOMPARE(spiel.exitCode(), 0);
    }
};

KB_TEST_MAIN(tst_Shell)
#include "tst_shell.moc"
