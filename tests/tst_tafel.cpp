// The game at a board: every screen scaled by one factor in the middle of a
// frameless backdrop, each control where the factor puts its place in a window,
// no text wider than its control, and each screen as in a window, only larger.
// Runs at a board only (KB_TAFEL); the screens in a window come from this same
// program started once more with --fenster, in a process of its own.
#include "regeln/ansicht.h"
#include "support/bildvergleich.h"
#include "support/schirmwege.h"
#include "toolkit/backdrop.h"

#include <QBackingStore>
#include <QDataStream>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <random>

// clang-format off
#define SCHRITT(x) do { x; if (QTest::currentTestFailed()) return; } while (false)
// clang-format on

namespace {

// Counts the paints of a control.
struct Malzaehler : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// A control's name as the layout gives it: cmdeins(3).
QString ortsname(const tk::Control& c)
{
    return c.index() >= 0 ? u"%1(%2)"_s.arg(c.name()).arg(c.index()) : c.name();
}

// Every shown control of a screen with its place in the screen, and the screen
// itself as "Fenster", in pixels of the layout.
QMap<QString, QRect> orte(const tk::Form& f)
{
    QMap<QString, QRect> m{{u"Fenster"_s, QRect(QPoint(), f.window()->size())}};
    for (const auto& c : f.controls())
        if (c->widget() && c->widget()->isVisibleTo(f.window()))
            m.insert(ortsname(*c), QRect(c->widget()->mapTo(f.window(), QPoint()), c->widget()->size()));
    return m;
}

// Fifteen photos of 900 x 700 pixels, larger than the picture area, of soft
// colours with grain, the same in every process: a picture that shows whether
// it was enlarged smoothly, and which part of it the screen shows.
const QString& fotos()
{
    static QTemporaryDir ordner;
    static const bool geschrieben = [] {
        for (int n = 1; n <= 15; ++n) {
            QImage foto(900, 700, QImage::Format_RGB32);
            std::mt19937 zufall{unsigned(n)};
            for (int y = 0; y < foto.height(); ++y)
                for (int x = 0; x < foto.width(); ++x) {
                    const int korn = int(zufall() % 48);
                    foto.setPixel(
                        x, y,
                        qRgb((x / 4 + n * 40 + korn) & 0xFF, (y / 3 + korn) & 0xFF, (n * 17 + korn) & 0xFF));
                }
            foto.save(ordner.filePath(u"Foto%1.jpg"_s.arg(n, 2, 10, QLatin1Char('0'))), "JPEG", 90);
        }
        return true;
    }();
    Q_UNUSED(geschrieben);
    static const QString pfad = ordner.path();
    return pfad;
}

void fotosIn(const Spiel& spiel)
{
    QDir().mkpath(spiel.bilder());
    for (const QString& name : QDir(fotos()).entryList(QDir::Files))
        QFile::copy(fotos() + u'/' + name, spiel.bilder() + u'/' + name);
}

// The child process: each screen in a window, its picture and the places of
// its controls, into the folder `ziel`.
int fensterVorbilder(const QString& ziel)
{
    for (const QString& schirm : kbtest::alleSchirme()) {
        Spiel spiel;
        fotosIn(spiel);
        QFile datei(ziel + u'/' + schirm);
        if (!kbtest::erreiche(spiel, schirm) || !datei.open(QIODevice::WriteOnly))
            return 1;
        QDataStream aus(&datei);
        aus << spiel.aktuell()->window()->grab().toImage() << orte(*spiel.aktuell());
    }
    return 0;
}

struct Vorbild {
    QImage bild;
    QMap<QString, QRect> orte;
};

} // namespace

class tst_Tafel : public QObject {
    Q_OBJECT

    QTemporaryDir vorbilder_;
    const QSize bildschirm_ = kbtest::Anwendung::tafel();

    // The largest factor at which a screen of 800 x 600 fits the board whole.
    double faktor() const { return std::min(bildschirm_.width() / 800.0, bildschirm_.height() / 600.0); }

    Vorbild vorbild(const QString& schirm) const
    {
        Vorbild v;
        QFile datei(vorbilder_.filePath(schirm));
        QDataStream ein(&datei);
        if (datei.open(QIODevice::ReadOnly))
            ein >> v.bild >> v.orte;
        return v;
    }

    // Where a screen's rectangle `r` (layout pixels) lies on the board, in the
    // board's own pixels, the screen of size `schirm` standing in the middle.
    QRectF aufDerTafel(const QRect& r, QSize schirm) const
    {
        const double f = faktor();
        const QPointF mitte((bildschirm_.width() - schirm.width() * f) / 2,
                            (bildschirm_.height() - schirm.height() * f) / 2);
        return QRectF(mitte + QPointF(r.topLeft()) * f, QSizeF(r.size()) * f);
    }

    // One window covers the whole board, without a frame; it is the only one.
    void pruefeHintergrund() const
    {
        tk::Backdrop* b = tk::Backdrop::current();
        QVERIFY(b && b->isVisible() && b->isFullScreen() && (b->windowFlags() & Qt::FramelessWindowHint));
        QVERIFY2(std::abs(b->devicePixelRatio() - faktor()) < 1e-4,
                 qPrintable(QString::number(b->devicePixelRatio(), 'g', 17)));
        QVERIFY(QRectF(QPointF(b->geometry().topLeft()) * faktor(), QSizeF(b->size()) * faktor())
                    .contains(QRectF(QPointF(), bildschirm_)));
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible() || w == b, qPrintable(w->objectName()));
    }

    // The size of a screen without a frame: its outer size where the game sets
    // one, else that of its layout, which its window shows as well.
    static QSize aussen(const tk::Form& f, const Vorbild& v)
    {
        if (f.Width() > 0 && f.Height() > 0)
            return QSize(tk::twipsToPixels(f.Width()), tk::twipsToPixels(f.Height()));
        return v.orte.value(u"Fenster"_s).size();
    }

    // The screen on the board at its outer size in the middle, and every control
    // where the factor takes its place in a window, within a pixel; the same
    // controls shown. (A window's frame takes a little of the outer size; the
    // board has none.)
    void pruefeOrte(const tk::Form& f, const Vorbild& v) const
    {
        QWidget* b = tk::Backdrop::current();
        QCOMPARE(f.window()->parentWidget(), b);
        QMap<QString, QRect> hier = orte(f), dort = v.orte;
        QCOMPARE(hier.keys(), dort.keys());
        dort[u"Fenster"_s] = QRect(QPoint(), aussen(f, v));
        const QPointF ecke = QPointF(f.window()->mapTo(b, QPoint())) * faktor();
        for (auto it = hier.cbegin(); it != hier.cend(); ++it) {
            const QRectF ist(ecke + QPointF(it->topLeft()) * faktor(), QSizeF(it->size()) * faktor());
            const QRectF soll = aufDerTafel(dort.value(it.key()), aussen(f, v));
            QVERIFY2(std::abs(ist.left() - soll.left()) <= 1 && std::abs(ist.top() - soll.top()) <= 1 &&
                         std::abs(ist.right() - soll.right()) <= 1 &&
                         std::abs(ist.bottom() - soll.bottom()) <= 1,
                     qPrintable(it.key() + u": "_s + QDebug::toString(ist) + u" statt "_s +
                                QDebug::toString(soll)));
        }
    }

    // No caption wider than its control, as the board draws it at the scaled
    // size: a label's lines from where each starts, a button's caption within
    // the button's face; each inside its control, within a pixel of the
    // board. Where a glyph already reaches past its control in the window, by a
    // pixel at most (the "t" of "1 falsche Antwort" overhangs its fitted label
    // so), the board may reach past by that much, scaled, and no further.
    void pruefeTexte(const tk::Form& f) const
    {
        const double k = faktor();
        for (const auto& c : f.controls()) {
            const tk::Control& ctl =
                c->kind() == tk::Kind::Link ? static_cast<tk::LinkControl&>(*c).innerControl() : *c;
            QWidget* w = ctl.widget();
            if (!w || !w->isVisibleTo(f.window()))
                continue;
            QList<std::pair<QString, double>> zeilen; // text and where its baseline starts
            double breite = w->width();
            if (ctl.kind() == tk::Kind::Label) {
                for (const tk::Label::TextLine& z : static_cast<const tk::Label&>(ctl).lines())
                    zeilen.append({z.text, z.baseline.x()});
            } else if (auto* knopf = qobject_cast<QPushButton*>(w); knopf && !knopf->text().isEmpty()) {
                QStyleOptionButton option;
                option.initFrom(knopf);
                const QRect gesicht =
                    knopf->style()->subElementRect(QStyle::SE_PushButtonContents, &option, knopf);
                const QString text = QString(knopf->text()).remove(u'&');
                zeilen.append(
                    {text, gesicht.left() +
                               (gesicht.width() - QFontMetricsF(w->font()).horizontalAdvance(text)) / 2});
                breite = gesicht.right() + 1;
            }
            for (const auto& [text, links] : zeilen) {
                const auto [von, bis] = kbtest::tinte(w->font(), text, links, k);
                const auto [fensterVon, fensterBis] = kbtest::tinte(w->font(), text, links, 1.0);
                const double rechts = std::clamp(fensterBis, breite, breite + 1) * k,
                             links0 = std::clamp(fensterVon, -1.0, 0.0) * k;
                QVERIFY2(bis - von <= rechts - links0 + 1 && von >= links0 - 1 && bis <= rechts + 1,
                         qPrintable(u"%1: „%2“ inks %3 to %4 of %5"_s.arg(ortsname(ctl), text)
                                        .arg(von)
                                        .arg(bis)
                                        .arg(breite * k)));
            }
        }
    }

    // The board's picture, brought back to the window's size, is the window's
    // picture; around the screen lies the backdrop's calm grey.
    void pruefeBild(const tk::Form& f, const Vorbild& v) const
    {
        QVERIFY(!v.bild.isNull());
        const QImage tafel = tk::Backdrop::current()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect schirm = aufDerTafel(QRect(QPoint(), v.bild.size()), aussen(f, v)).toRect();
        const QImage verkleinert =
            tafel.copy(schirm).scaled(v.bild.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const int unterschied =
            kbtest::groessterUnterschied(verkleinert, v.bild.convertToFormat(QImage::Format_RGB32));
        QVERIFY2(unterschied <= 40, qPrintable(u"%1: %2"_s.arg(f.name()).arg(unterschied)));
        const QRect ganz = aufDerTafel(QRect(QPoint(), aussen(f, v)), aussen(f, v)).toRect();
        for (const QPoint p : {QPoint(0, 0), QPoint(bildschirm_.width() - 1, bildschirm_.height() - 1)})
            if (!ganz.adjusted(-2, -2, 2, 2).contains(p))
                QCOMPARE(tafel.pixelColor(p), tk::toQColor(kb::Tafelrand));
    }

    // The drawings stored with the program are drawn on the board from their
    // versions of twice the pixels: the board's pixels lie nearer to that
    // version brought to the board's size than to the plain one brought there.
    void pruefeZeichnungen(const tk::Form& f) const
    {
        const struct {
            const char *steuer, *datei;
        } zeichnungen[] = {{"imgLeinwand", ":/leinwand"}, {"LinkTavo1", ":/tavo-logo"}};
        const QImage schirm = f.window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (const auto& z : zeichnungen) {
            if (!f.hasControl(QString::fromLatin1(z.steuer)))
                continue;
            const tk::Control& c = f.control(QString::fromLatin1(z.steuer));
            const QWidget* w =
                c.kind() == tk::Kind::Link ? static_cast<const tk::LinkControl&>(c).inner() : c.widget();
            const QRect ort(w->mapTo(f.window(), QPoint()) * faktor(), w->size() * faktor());
            const QImage hier = schirm.copy(ort);
            const auto wie = [&](const char* endung) {
                QImage bild(ort.size(), QImage::Format_RGB32), zeichnung(QLatin1String(z.datei) + endung);
                zeichnung.setDevicePixelRatio(1);
                bild.fill(w->parentWidget()->palette().color(QPalette::Window));
                QPainter(&bild).drawImage(
                    0, 0, zeichnung.scaled(ort.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
                return kbtest::abstand(hier, bild);
            };
            const double doppelt = wie("@2x.png"), einfach = wie(".png");
            QVERIFY2(doppelt < einfach,
                     qPrintable(u"%1: %2 against %3"_s.arg(c.name()).arg(doppelt).arg(einfach)));
        }
    }

    // A child's picture on the board is scaled smoothly from its own pixels, not
    // enlarged by repeating them.
    void pruefeKinderbild(const tk::Form& f) const
    {
        if (!f.hasControl(u"imgBild"_s) || f.find<tk::Image>(u"imgBild"_s).picture().isNull())
            return;
        const QWidget* bild = f.control(u"imgBild"_s).widget();
        const QRect sichtbar = QRect(bild->mapTo(f.window(), QPoint()), bild->size()) & f.window()->rect();
        const QRect geraet(sichtbar.topLeft() * faktor(), sichtbar.size() * faktor());
        const QImage tafel = f.window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const double anteil = kbtest::wiederholteZeilen(tafel.copy(geraet.adjusted(2, 2, -2, -2)));
        QVERIFY2(anteil < 0.1, qPrintable(u"%1 of the rows repeat the row above"_s.arg(anteil)));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QProcess kind;
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        umgebung.remove(u"KB_TAFEL"_s);
        kind.setProcessEnvironment(umgebung);
        kind.start(QCoreApplication::applicationFilePath(), {u"--fenster"_s, vorbilder_.path()});
        QVERIFY(kind.waitForFinished(120000));
        QVERIFY2(kind.exitStatus() == QProcess::NormalExit && kind.exitCode() == 0,
                 kind.readAllStandardError().constData());
    }

    // A photo at a board is painted while it is decoded: once the picture control
    // has taken it, the board already shows it, pixel for pixel as the control
    // shows it, and nothing is left for the event loop to paint. A damaged photo
    // is decoded anew the usual way and painted once more.
    void fotoWaehrendDesDekodierens_data()
    {
        QTest::addColumn<QString>("datei");
        QTest::newRow("Foto") << u"Foto07.jpg"_s;
        QTest::newRow("abgeschnitten") << u"Halb.jpg"_s;
    }
    void fotoWaehrendDesDekodierens()
    {
        QFETCH(QString, datei);
        Spiel spiel;
        fotosIn(spiel);
        QFile foto(fotos() + u"/Foto08.jpg"_s);
        QVERIFY(foto.open(QIODevice::ReadOnly));
        QFile halb(spiel.bilder() + u"/Halb.jpg"_s);
        QVERIFY(halb.open(QIODevice::WriteOnly) && halb.write(foto.read(foto.size() / 2)) > 0);
        halb.close();
        QVERIFY(kbtest::erreiche(spiel, u"frmSchw1"_s));
        tk::Image& bild = spiel.aktuell()->find<tk::Image>(u"imgBild"_s);
        QWidget* w = bild.widget();
        QCoreApplication::processEvents();
        Malzaehler gemalt;
        w->installEventFilter(&gemalt);
        bild.setPicture(tk::Picture::load(spiel.bilder() + u'/' + datei));
        const int waehrenddessen = gemalt.paints;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QCOMPARE(waehrenddessen, 1);
        QCOMPARE(gemalt.paints, datei == u"Foto07.jpg"_s ? 1 : 2);
        QImage gezeigt = qobject_cast<QLabel*>(w)->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint ort = w->mapTo(w->window(), QPoint()) * w->devicePixelRatio();
        // The offscreen platform paints into an image of the board's pixels.
        const auto* tafel = dynamic_cast<const QImage*>(w->window()->backingStore()->paintDevice());
        // A strip down the left of the photo, beside the button that covers its right.
        const QRect streifen(
            ort, QSize(gezeigt.width() / 2, std::min(gezeigt.height(), bildschirm_.height() - ort.y())));
        QVERIFY(tafel && tafel->rect().contains(streifen));
        QImage dort = tafel->copy(streifen).convertToFormat(QImage::Format_RGB32);
        dort.setDevicePixelRatio(1);
        gezeigt.setDevicePixelRatio(1);
        QCOMPARE(dort, gezeigt.copy(QRect(QPoint(), streifen.size())));
    }

    void jederSchirm_data()
    {
        QTest::addColumn<QString>("schirm");
        for (const QString& schirm : kbtest::alleSchirme())
            QTest::newRow(qPrintable(schirm)) << schirm;
    }
    void jederSchirm()
    {
        QFETCH(QString, schirm);
        const Vorbild v = vorbild(schirm);
        Spiel spiel;
        fotosIn(spiel);
        QVERIFY(kbtest::erreiche(spiel, schirm));
        SCHRITT(pruefeHintergrund());
        SCHRITT(pruefeOrte(*spiel.aktuell(), v));
        SCHRITT(pruefeTexte(*spiel.aktuell()));
        SCHRITT(pruefeBild(*spiel.aktuell(), v));
        SCHRITT(pruefeKinderbild(*spiel.aktuell()));
        SCHRITT(pruefeZeichnungen(*spiel.aktuell()));
    }
};

int main(int argc, char* argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--fenster") == 0) {
        QApplication app(argc, argv);
        return fensterVorbilder(QString::fromLocal8Bit(argv[2]));
    }
    if (!kbtest::Anwendung::tafel().isValid())
        qFatal("tst_tafel runs at a board only: KB_TAFEL=1920x1080");
    kbtest::Anwendung anwendung(argc, argv);
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
    tst_Tafel test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_tafel.moc"
