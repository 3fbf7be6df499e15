#include "windows/qt/link_label.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionFocusRect>

namespace quarrow {

namespace {

class LinkAccessible final : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkLabel* link)
        : QAccessibleWidget(link, QAccessible::Link)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return Link()->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = true;
        return s;
    }

    QStringList actionNames() const override { return QStringList {pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& name) override
    {
        if (name != pressAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        // After the reply: a failed open shows a modal message box, and the
        // screen reader's call must not wait for the player to close it.
        QPointer<LinkLabel> link = Link();
        QMetaObject::invokeMethod(link, [link] {
            if (link)
                link->Press();
        }, Qt::QueuedConnection);
    }

private:
    LinkLabel* Link() const { return static_cast<LinkLabel*>(widget()); }
};

QAccessibleInterface* LinkFactory(const QString& className, QObject* object)
{
    auto* link = qobject_cast<LinkLabel*>(object);
    if (!link || className != QLatin1String(LinkLabel::staticMetaObject.className()))
        return nullptr;
    return new LinkAccessible(link);
}

} // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent)
    : QLabel(parent)
{
    // Before the text is set: setting it raises an accessibility event, and
    // the interface made for that one is kept for the label's life.
    static const bool installed = [] {
        QAccessible::installFactory(LinkFactory);
        return true;
    }();
    (void)installed;
    setText(text);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleDescription(QStringLiteral("Web link: Enter opens it in the browser"));
}

void LinkLabel::Press()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!isVisible() || !isEnabled() || (modal && modal != window()))
        return;
    emit activated();
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    const bool plain = !(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier));
    if (plain && (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        Press();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Around the words only, drawn as every other control of the style shows
    // its focus.
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(backgroundRole());
    const QRect words = fontMetrics().boundingRect(contentsRect(), static_cast<int>(alignment()), text());
    option.rect = words.adjusted(-2, -1, 2, 1).intersected(rect());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

} // namespace quarrow
