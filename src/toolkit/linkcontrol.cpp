// The link control: a box of its own background colour holding one inner label or
// picture. Only a click that starts and ends on the inner control follows the link;
// the box swallows every other click, so nothing behind it sees one.
#include "toolkit/linkcontrol.h"

#include "toolkit/controls.h"
#include "toolkit/focusmark.h"
#include "toolkit/form.h"
#include "toolkit/picture.h"
#include "toolkit/services.h"
#include "toolkit/units.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QUrl>

namespace tk {

namespace {

// Our own pointing hand, 32 x 32 pixels, pointing with its finger tip at (12, 1).
// On a screen of twice the pixel density the same drawing at 64 x 64 keeps it
// sharp and as large as elsewhere; the system takes the hot spot in its pixels.
QCursor makeHandCursor()
{
    if (qGuiApp->devicePixelRatio() > 1.0) {
        const QPixmap twice = storedPixmap(QStringLiteral(":/hand@2x.png"));
        if (!twice.isNull())
            return QCursor(twice, 24, 2);
    }
    return QCursor(storedPixmap(QStringLiteral(":/hand.png")), 12, 1);
}

// Made once: the about screen alone has four link controls, and each cursor
// made from a picture costs a decode and a conversion.
const QCursor& handCursor()
{
    static const QCursor hand = makeHandCursor();
    return hand;
}

class LinkBox : public QWidget {
public:
    LinkBox(LinkControl* owner, QWidget* parent) : QWidget(parent), owner_(owner) {}
    LinkControl* owner() const { return owner_; }
    // The control is going away while the window lingers until the event loop deletes it.
    void release() { owner_ = nullptr; }

    void follow()
    {
        if (LinkControl* link = owner_)
            link->form().dispatch([link] { link->followLink(); });
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        pressedOnInner_ = event->button() == Qt::LeftButton && onInner(event->position());
        event->accept();
    }

    // A double click follows the link once, on the first release.
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        pressedOnInner_ = false;
        event->accept();
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        event->accept();
        const bool click = pressedOnInner_ && event->button() == Qt::LeftButton && onInner(event->position());
        pressedOnInner_ = false;
        if (click)
            follow();
    }

    void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }

private:
    bool onInner(const QPointF& at) const
    {
        const QWidget* inner = owner_ ? owner_->inner() : nullptr;
        const QPoint p = at.toPoint();
        return inner && inner->isVisible() && inner->geometry().contains(p) && rect().contains(p);
    }

    LinkControl* owner_;
    bool pressedOnInner_ = false;
};

// Screen readers see a link named by its text, described by its tool tip, that
// can be pressed.
class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkBox* box) : QAccessibleWidget(box, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        const LinkControl* link = box()->owner();
        if (link && t == QAccessible::Name)
            return link->text();
        if (link && t == QAccessible::Description)
            return link->innerControl().ToolTipText();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            box()->follow();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    LinkBox* box() const { return static_cast<LinkBox*>(widget()); }
};

QAccessibleInterface* linkAccessible(const QString&, QObject* object)
{
    if (auto* box = dynamic_cast<LinkBox*>(object))
        return new LinkAccessible(box);
    return nullptr;
}

std::unique_ptr<Control> makeInner(Form& form, const LinkType& t, QWidget* box)
{
    ControlDef d;
    d.kind = t.face == LinkFace::Image ? Kind::Image : Kind::Label;
    d.name = t.innerName;
    d.width = t.innerWidth;
    d.height = t.innerHeight;
    d.caption = t.caption;
    d.font = t.font;
    d.transparent = t.transparent;
    d.tabIndex = 0;
    d.toolTip = t.toolTip;
    d.picture = t.picture;
    if (d.kind == Kind::Image)
        return std::make_unique<Image>(form, d, box);
    return std::make_unique<Label>(form, d, box);
}

} // namespace

LinkControl::LinkControl(Form& form, const ControlDef& def, QWidget* parent) : ControlOf(form, def)
{
    static const bool accessible = (QAccessible::installFactory(linkAccessible), true);
    Q_UNUSED(accessible);
    const LinkType type = def.link ? *def.link : LinkType{};
    typeName_ = QString::fromUtf8(type.name);
    target_ = QString::fromUtf8(type.target);
    if (width_ <= 0 && height_ <= 0) {
        width_ = type.width;
        height_ = type.height;
    }
    auto* box = new LinkBox(this, parent);
    box->setFocusPolicy(Qt::StrongFocus);
    box->setAutoFillBackground(true);
    setColour(box, QPalette::Window, type.backColor == NoColor ? SysButtonFace : type.backColor);
    inner_ = makeInner(form, type, box);
    new FocusOverlay(box);
    (type.pointer == LinkPointer::OnWhole ? box : inner_->widget())->setCursor(handCursor());
    attach(box, def);
}

LinkControl::~LinkControl()
{
    if (auto* box = dynamic_cast<LinkBox*>(widget_.data()))
        box->release();
}

QWidget* LinkControl::inner() const
{
    return inner_ ? inner_->widget() : nullptr;
}

QString LinkControl::text() const
{
    if (inner_->kind() == Kind::Label)
        return static_cast<const Label&>(*inner_).Caption();
    return inner_->ToolTipText();
}

void LinkControl::followLink()
{
    services().openLink(desktopTarget(target_));
}

QString LinkControl::desktopTarget(const QString& target)
{
    // Web addresses are stored as host names alone; the desktop needs a scheme.
    if (QUrl(target).scheme().isEmpty())
        return QStringLiteral("https://") + target;
    return target;
}

} // namespace tk
