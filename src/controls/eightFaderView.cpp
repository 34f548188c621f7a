#include "eightFaderView.h"

#include "SurfacePainting.h"
#include "eightFaderTouchbarItem.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

using SurfacePainting::flipped;

namespace {

const QString bypassArrow = QStringLiteral("\u2B07\uFE0E");
constexpr int buttonPointSize = 18;
constexpr int namePointSize = 12;
// Above this brightness of the highlight colour, text and symbols on it turn black.
constexpr qreal brightColour = 0.6;

bool isButtonType(const QString &type)
{
    return type == QLatin1String("2") || type == QLatin1String("3");
}

} // namespace

eightFaderView::eightFaderView(eightFaderTouchbarItem *item, QWidget *parent)
    : TouchView(parent)
    , m_touchDelegate(item)
{
    connect(item, &eightFaderTouchbarItem::displayChanged, this, &eightFaderView::scheduleRepaint);
    connect(item, &eightFaderTouchbarItem::nameChanged, this, &eightFaderView::redrawUnlessTouched);
    connect(item, &eightFaderTouchbarItem::allNamesChanged, this, [this] {
        refreshNames();
        update();
    });
    connect(item, &eightFaderTouchbarItem::bankNumberChanged, this, &eightFaderView::setBankNumber);
    connect(item, &eightFaderTouchbarItem::onColorChanged, this, &eightFaderView::setOnColor);
    item->setView(this);
}

EightFaderLayout eightFaderView::layout() const
{
    const QSizeF size = sizeInPoints();
    return EightFaderLayout(float(size.width()), float(size.height()));
}

QColor eightFaderView::slotColor(int slot)
{
    static const std::array<QColor, EightFaderLayout::slotCount> palette = {
        QColor::fromHsvF(0.966667f, 1.0f, 1.0f),   QColor::fromHsvF(0.077778f, 1.0f, 1.0f),
        QColor::fromHsvF(0.155556f, 1.0f, 1.0f),   QColor::fromHsvF(0.313889f, 1.0f, 0.79f),
        QColor::fromHsvF(0.427778f, 0.77f, 0.82f), QColor::fromHsvF(0.569444f, 0.73f, 0.96f),
        QColor::fromHsvF(0.783333f, 0.6f, 1.0f),   QColor::fromHsvF(0.897222f, 0.76f, 1.0f),
    };
    return palette.at(std::size_t(slot));
}

void eightFaderView::setOnColor(const QColor &color)
{
    if (color == m_onColor)
        return;
    m_onColor = color;
    update();
}

void eightFaderView::setBankNumber(const QString &number)
{
    m_bankNumberLabel.text = number;
    update();
}

// A redraw while a finger moves a slot would only repeat what the touch already shows.
void eightFaderView::redrawUnlessTouched()
{
    if (m_activeFaders.isEmpty())
        scheduleRepaint();
}

void eightFaderView::refreshNames()
{
    const QStringList names = m_touchDelegate->getParameterNames();
    for (int slot = 0; slot < EightFaderLayout::slotCount; ++slot) {
        m_allParameterNameLabels[slot].text = names.value(slot);
        m_allParameterNameLabels[slot].color = Qt::white;
    }
}

void eightFaderView::viewWillDraw(const EightFaderLayout &layout)
{
    if (layout.width() != m_lastWidth) {
        m_firstDraw = true;
        m_lastWidth = layout.width();
    }
    if (!m_firstDraw)
        return;
    const qreal height = layout.height();
    m_bankNumberLabel.rect = flipped(layout.bankNumberLabel(), height);
    m_bankNumberLabel.text = m_touchDelegate->getBankNumber();
    m_bypassLabel.rect = flipped(layout.bypassLabel(), height);
    m_bypassLabel.text = bypassArrow;
    for (int slot = 0; slot < EightFaderLayout::slotCount; ++slot)
        m_allParameterNameLabels[slot].rect = flipped(layout.nameLabel(slot), height);
    refreshNames();
    // Cleared first: the colour request below redraws, which must not lay out again.
    m_firstDraw = false;
    m_touchDelegate->updateTrackColor();
}

void eightFaderView::draw(QPainter &painter)
{
    const EightFaderLayout layout = this->layout();
    viewWillDraw(layout);
    painter.fillRect(QRectF(QPointF(), sizeInPoints()), Qt::black);
    const QStringList names = m_touchDelegate->getParameterNames();
    for (int slot = 0; slot < EightFaderLayout::slotCount; ++slot)
        m_allParameterNameLabels[slot].text = names.value(slot);
    // Like a graphics context's fill colour: a colour that is none leaves the last one set.
    QColor fill = SurfacePainting::darkGrey;
    drawButtons(painter, layout, fill);
    drawSlots(painter, layout, fill);
    drawLabel(painter, m_bankNumberLabel, buttonPointSize);
    drawLabel(painter, m_bypassLabel, buttonPointSize);
    for (const Label &label : m_allParameterNameLabels)
        drawLabel(painter, label, namePointSize);
}

void eightFaderView::drawButtons(QPainter &painter, const EightFaderLayout &layout, QColor &fill)
{
    const qreal height = layout.height();
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    SurfacePainting::fillButton(painter, layout.leftButton(), SurfacePainting::RoundSide::Left, height);
    for (int slot = 0; slot < EightFaderLayout::slotCount; ++slot)
        painter.fillRect(flipped(layout.slotBackground(slot), height), fill);
    const bool deviceOn = m_touchDelegate->getDeviceOnValue();
    if (deviceOn && m_touchDelegate->getColorMode() != 1 && m_onColor.isValid())
        fill = m_onColor;
    painter.setBrush(fill);
    SurfacePainting::fillButton(painter, layout.rightButton(), SurfacePainting::RoundSide::Right, height);
    const bool bright = SurfacePainting::brightness(m_onColor) > brightColour;
    const QColor line = bright && deviceOn ? Qt::black : Qt::white;
    m_bypassLabel.visible = m_touchDelegate->getBankMode() == 1;
    if (!m_bypassLabel.visible)
        SurfacePainting::drawPowerSymbol(painter, layout.powerSymbolLeft(), height, line);
}

void eightFaderView::drawSlots(QPainter &painter, const EightFaderLayout &layout, QColor &fill)
{
    const qreal height = layout.height();
    const QStringList types = m_touchDelegate->getParameterTypes();
    const bool palette = m_touchDelegate->getColorMode() == 2;
    const bool bright = SurfacePainting::brightness(m_onColor) > brightColour;
    for (int slot = 0; slot < EightFaderLayout::slotCount; ++slot) {
        Label &label = m_allParameterNameLabels[slot];
        const QString type = types.value(slot);
        label.visible = type == QLatin1String("1") || isButtonType(type);
        if (!label.visible)
            continue;
        const QColor colour = palette ? slotColor(slot) : m_onColor;
        float value = m_touchDelegate->getValueForFader(slot);
        if (!isButtonType(type)) {
            if (const auto touched = m_activeFaders.touchedValue(slot))
                value = *touched;
            if (colour.isValid())
                fill = colour;
            painter.fillRect(flipped(layout.marker(slot, value), height), fill);
            continue;
        }
        const bool lit = int(value) == 1;
        if (lit) {
            if (colour.isValid())
                fill = colour;
            painter.fillRect(flipped(layout.slotBackground(slot), height), fill);
        }
        label.color = lit && bright ? Qt::black : Qt::white;
    }
}

void eightFaderView::drawLabel(QPainter &painter, const Label &label, int pointSize) const
{
    if (!label.visible)
        return;
    QFont labelFont = font();
    labelFont.setPixelSize(pointSize);
    painter.setFont(labelFont);
    painter.setPen(label.color);
    const QString text = QFontMetricsF(labelFont).elidedText(SurfacePainting::printable(label.text),
                                                             Qt::ElideRight, label.rect.width());
    painter.drawText(label.rect, Qt::AlignCenter | Qt::TextSingleLine, text);
}

void eightFaderView::touchesBegan(const TouchList &touches)
{
    const auto touch =
        std::find_if(touches.cbegin(), touches.cend(), [](const Touch &t) { return t.direct; });
    if (touch == touches.cend())
        return;
    const EightFaderLayout layout = this->layout();
    const float x = float(touch->location.x());
    const int zone = layout.zoneAt(x);
    if (zone == EightFaderLayout::previousBank) {
        m_touchDelegate->sendButtonPrev();
        return;
    }
    if (zone == EightFaderLayout::nextBank) {
        m_touchDelegate->sendButtonNext();
        return;
    }
    if (m_activeFaders.forTouch(touch->identity))
        return;
    const QString type = m_touchDelegate->getParameterTypes().value(zone);
    Fader fader;
    fader.faderNr = zone;
    fader.button = isButtonType(type);
    fader.momentary = type == QLatin1String("3");
    fader.trackingTouchIdentity = touch->identity;
    fader.touchOrig = x;
    fader.startValue = fader.lastValue = m_touchDelegate->getValueForFader(zone);
    fader.left = layout.slotLeft(zone);
    fader.width = layout.slotWidth();
    m_activeFaders.add(fader);
    update();
    if (!fader.button) {
        m_touchDelegate->sendValue(fader.startValue, zone, false);
        m_touchDelegate->sendTouch(1, zone);
        return;
    }
    m_touchDelegate->sendValue(fader.startValue == 0.0f ? 1.0f : 0.0f, zone,
                               m_touchDelegate->getButtonMode() == 1);
}

void eightFaderView::touchesMoved(const TouchList &touches)
{
    for (const Touch &touch : touches) {
        Fader *fader = touch.direct ? m_activeFaders.forTouch(touch.identity) : nullptr;
        if (!fader || fader->button)
            continue;
        const double travel = double(float(touch.location.x()) - fader->touchOrig);
        const float value =
            float(std::clamp(double(fader->startValue) + travel / EightFaderLayout::dragRange, 0.0, 1.0));
        if (value != fader->lastValue) {
            fader->lastValue = value;
            m_touchDelegate->sendValue(value, fader->faderNr, false);
        }
        redrawSlotBottom(*fader);
    }
}

void eightFaderView::redrawSlotBottom(const Fader &fader)
{
    const qreal height = sizeInPoints().height();
    const QRectF points = flipped(QRectF(fader.left, 0, fader.width, height / 2), height);
    update(QRectF(points.topLeft() * pointScale(), points.size() * pointScale()).toAlignedRect());
}

void eightFaderView::touchesEnded(const TouchList &touches)
{
    finishTouches(touches, false);
}

// A cancelled touch never tells the host it was released: the host keeps the last value.
void eightFaderView::touchesCancelled(const TouchList &touches)
{
    finishTouches(touches, true);
}

void eightFaderView::finishTouches(const TouchList &touches, bool cancelled)
{
    for (const Touch &touch : touches) {
        const auto ended = touch.direct ? m_activeFaders.take(touch.identity) : std::nullopt;
        if (!ended)
            continue;
        if (ended->momentary)
            m_touchDelegate->setValue(0.0f, ended->faderNr);
        if (!ended->button && !cancelled)
            m_touchDelegate->sendTouch(0, ended->faderNr);
        update();
    }
}
