#include "bilderordner/fenster/kindansicht.h"

#include "bilderordner/fenster/lesepool.h"
#include "regeln/ansicht.h"
#include "regeln/bildflaeche.h"
#include "toolkit/picture.h"
#include "toolkit/runtimeerror.h"
#include "toolkit/units.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace kbb::fenster {

namespace {

constexpr double Massstab = 0.5;

// Loads the picture exactly as the presentation screen does and keeps the part
// a child can see.
Bildteil ladeTeil(const QString& pfad)
{
    try {
        const tk::Picture bild = tk::Picture::load(pfad);
        const QImage teil = bild.decodeImage(QRect(QPoint(0, 0), kb::bildflaeche().sichtbar));
        const QSize halb = (QSizeF(teil.size()) * Massstab).toSize().expandedTo(QSize(1, 1));
        return {pfad, teil.scaled(halb, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), bild.size()};
    } catch (const tk::RuntimeError&) {
        return {pfad, {}, {}};
    }
}

QString hinweisText(QSize ganz)
{
    if (ganz.isEmpty())
        return QStringLiteral(
            "Dieses Bild kann das Spiel nicht laden. Wird es gezogen, endet das Spiel mit einem Fehler.");
    if (kb::bildflaeche().zeigtGanz(ganz))
        return QStringLiteral("Das Kind sieht das ganze Bild (%1 × %2 Pixel).")
            .arg(ganz.width())
            .arg(ganz.height());
    const QSize s = kb::bildflaeche().sichtbar;
    return QStringLiteral("Das Kind sieht nur den Teil oben links: höchstens %1 × %2 von %3 × %4 Pixeln.")
        .arg(s.width())
        .arg(s.height())
        .arg(ganz.width())
        .arg(ganz.height());
}

} // namespace

Bildschirm::Bildschirm(QWidget* parent) : QWidget(parent)
{
    setFixedSize(sizeHint());
}

QSize Bildschirm::sizeHint() const
{
    return (QSizeF(kb::bildflaeche().schirm) * Massstab).toSize();
}

void Bildschirm::setzeStufe(const kb::Stufe& stufe)
{
    stufe_ = &stufe;
    update();
}

void Bildschirm::setzeBild(const QImage& teil)
{
    teil_ = teil;
    update();
}

void Bildschirm::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.scale(Massstab, Massstab);
    p.fillRect(QRect(QPoint(0, 0), kb::bildflaeche().schirm), tk::toQColor(stufe_->hintergrund));
    p.save();
    p.scale(1 / Massstab, 1 / Massstab);
    p.drawImage(QPointF(kb::bildflaeche().ecke) * Massstab, teil_);
    p.restore();
    if (stufe_->zeigtKnopf()) {
        QStyleOptionButton o;
        o.initFrom(this);
        o.rect = kb::weiterknopf(*stufe_);
        o.text = QString::fromUtf8(kb::WeiterknopfText);
        o.palette.setColor(QPalette::Button, tk::toQColor(tk::SysButtonFace));
        p.setFont(tk::toQFont(kb::KnopfSchrift));
        style()->drawControl(QStyle::CE_PushButton, &o, &p, this);
    }
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(QPoint(0, 0), kb::bildflaeche().schirm).adjusted(0, 0, -1, -1));
}

Kindansicht::Kindansicht(QWidget* parent)
    : QWidget(parent), stufe_(new QComboBox(this)), schirm_(new Bildschirm(this)), hinweis_(new QLabel(this)),
      wortKnopf_(new QPushButton(this)), saetze_(new QLabel(this))
{
    auto* titel = new QLabel(QStringLiteral("<b>Wie das Kind es sieht</b>"), this);
    for (const kb::Stufe& s : kb::stufen())
        stufe_->addItem(QStringLiteral("Stufe %1").arg(s.nummer));
    stufe_->setAccessibleName(QStringLiteral("Stufe der Vorschau"));
    connect(stufe_, &QComboBox::currentIndexChanged, this,
            [this](int i) { schirm_->setzeStufe(kb::stufen()[std::size_t(i)]); });
    hinweis_->setObjectName(QStringLiteral("hinweis"));
    hinweis_->setWordWrap(true);
    saetze_->setWordWrap(true);
    saetze_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The answer board's word button at its own size, in its own font, on the
    // board's background.
    auto* tafel = new QWidget(this);
    tafel->setAutoFillBackground(true);
    tk::setColour(tafel, QPalette::Window, kb::Hellblau);
    tafel->setFixedHeight(kb::wortknopf().height() + 24);
    wortKnopf_->setParent(tafel);
    wortKnopf_->setFont(tk::toQFont(kb::KnopfSchrift));
    wortKnopf_->setFixedSize(kb::wortknopf());
    wortKnopf_->move(12, 12);
    wortKnopf_->setFocusPolicy(Qt::NoFocus);

    auto* spalte = new QVBoxLayout(this);
    spalte->addWidget(titel);
    spalte->addWidget(stufe_);
    spalte->addWidget(schirm_);
    spalte->addWidget(hinweis_);
    spalte->addWidget(new QLabel(QStringLiteral("So steht das Wort in der Auswahlbox:"), this));
    spalte->addWidget(tafel);
    spalte->addWidget(saetze_);
    spalte->addStretch();
    connect(&laden_, &QFutureWatcher<Bildteil>::finished, this, &Kindansicht::angekommen);
    zeige({}, {}, {});
}

void Kindansicht::zeige(const QString& pfad, const QString& wort, const QStringList& saetze)
{
    pfad_ = pfad;
    // The board writes the word as the button's caption, as the game does.
    wortKnopf_->setText(wort);
    wortKnopf_->setVisible(!wort.isEmpty());
    saetze_->setText(saetze.join(QStringLiteral("\n\n")));
    schirm_->setzeBild({});
    hinweis_->setText(pfad.isEmpty() ? QStringLiteral("Ein Bild anklicken, um es hier zu sehen.")
                                     : QStringLiteral("Das Bild wird geladen …"));
    if (!pfad.isEmpty())
        laden_.setFuture(QtConcurrent::run(&lesepool(), ladeTeil, pfad));
}

void Kindansicht::angekommen()
{
    const Bildteil t = laden_.result();
    if (t.pfad != pfad_)
        return;
    schirm_->setzeBild(t.teil);
    hinweis_->setText(hinweisText(t.ganz));
    Q_EMIT bildGeladen();
}

} // namespace kbb::fenster
