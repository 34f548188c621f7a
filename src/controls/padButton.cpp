#include "padButton.h"

#include "titleColorCell.h"
#include "valignTextCell.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace {
const QColor offBezel(0x3a, 0x3a, 0x3c);
constexpr qreal titleInset = 5.0;
} // namespace

padButton::padButton(QWidget *parent)
    : TouchView(parent)
{
}

void padButton::setTitle(const QString &title)
{
    m_title = title;
    update();
}

void padButton::setIcon(ControlIcons::Icon icon)
{
    m_icon = icon;
    update();
}

void padButton::setState(bool on)
{
    m_state = on;
    update();
}

void padButton::setBezelColor(const QColor &color)
{
    m_bezelColor = color;
    update();
}

void padButton::setIgnoreState(bool ignore)
{
    m_ignoreState = ignore;
    update();
}

void padButton::setTitleCell(TitleCell cell)
{
    m_titleCell = cell;
    update();
}

QColor padButton::titleColor() const
{
    if (m_titleCell != TitleCell::TitleColor)
        return Qt::white;
    return titleColorCell::getTextColorForBackColor(m_bezelColor, m_ignoreState || m_state);
}

QRectF padButton::titleRect() const
{
    const QRectF bounds(QPointF(0, 0), sizeInPoints());
    const qreal height = QFontMetricsF(font()).height();
    const QRectF title(titleInset, (bounds.height() - height) / 2, bounds.width() - 2 * titleInset, height);
    return m_titleCell == TitleCell::VAlignText ? valignTextCell::titleRectForBounds(title, bounds) : title;
}

void padButton::setMidiValue(const QVariant &value)
{
    setState(value.toInt() >= 1);
}

QSize padButton::sizeHint() const
{
    return QSize(72, 30);
}

void padButton::sendAction()
{
    if (m_action)
        m_action(*this);
}

void padButton::touchesBegan(const TouchList &touches)
{
    if (m_touchIdentity)
        return;
    const auto touch = std::find_if(touches.begin(), touches.end(), [](const Touch &t) { return t.direct; });
    if (touch == touches.end())
        return;
    m_touchIdentity = touch->identity;
    if (m_actsAtPress)
        sendAction();
    m_highlighted = true;
    update();
}

void padButton::touchesEnded(const TouchList &touches)
{
    release(touches, true);
}

void padButton::touchesCancelled(const TouchList &touches)
{
    release(touches, false);
}

void padButton::release(const TouchList &touches, bool ended)
{
    const bool ours = std::any_of(touches.begin(), touches.end(),
                                  [this](const Touch &t) { return m_touchIdentity == t.identity; });
    if (!ours)
        return;
    m_touchIdentity.reset();
    // The receiver reads a highlighted button as a release, wherever the finger went.
    m_highlighted = true;
    if (ended && m_buttonType == ButtonType::PushOnPushOff)
        m_state = !m_state;
    if (ended || m_actsAtPress)
        sendAction();
    m_highlighted = false;
    update();
}

void padButton::draw(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(QPointF(0, 0), sizeInPoints()).adjusted(1, 1, -1, -1);
    QColor bezel = (m_ignoreState || m_state) ? m_bezelColor : offBezel;
    if (m_highlighted)
        bezel = bezel.lighter(130);
    painter.setPen(Qt::NoPen);
    painter.setBrush(bezel);
    painter.drawRoundedRect(bounds, 6, 6);

    if (m_icon) {
        ControlIcons::draw(painter, *m_icon, bounds, titleColor());
        return;
    }
    painter.setPen(titleColor());
    const QRectF title = titleRect();
    painter.drawText(title, Qt::AlignCenter,
                     painter.fontMetrics().elidedText(m_title, Qt::ElideRight, int(title.width())));
}
