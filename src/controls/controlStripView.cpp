#include "controlStripView.h"

#include "SurfacePainting.h"
#include "controlStripTouchbarItem.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

using SurfacePainting::flipped;

namespace {

constexpr int buttonPointSize = 18;
constexpr int namePointSize = 12;
// Above this brightness of a colour, text and symbols on it turn black.
constexpr qreal brightColour = 0.6;
constexpr int litSolo = 65;
constexpr int unmutedBelow = 64;
constexpr int firstSend = 3;
constexpr int sideFaders = ControlStripLayout::device - 1;
// Sends without a function are drawn sunk into the background: a dimmer track, a grey marker.
const QColor unusableTrack = QColor::fromRgbF(0.1f, 0.1f, 0.1f);
const QColor unusableMarker = QColor::fromRgbF(0.3f, 0.3f, 0.3f);

bool isSend(int segment)
{
    return segment >= firstSend && segment < firstSend + controlStripTouchbarItem::sendCount;
}

} // namespace

controlStripView::controlStripView(controlStripTouchbarItem *item, QWidget *parent)
    : TouchView(parent)
    , m_touchDelegate(item)
    , m_allParameterNames{QStringLiteral("S"),
                          QStringLiteral("Volume"),
                          QStringLiteral("Pan"),
                          QStringLiteral("Send 1"),
                          QStringLiteral("Send 2"),
                          QStringLiteral("Send 3"),
                          QStringLiteral("Send 4"),
                          controlStripTouchbarItem::noDeviceName(),
                          QString()}
{
    connect(item, &controlStripTouchbarItem::displayChanged, this, &controlStripView::scheduleRepaint);
    connect(item, &controlStripTouchbarItem::nameChanged, this, [this] {
        // The names are taken even during a touch so none is lost; only the redraw waits.
        takeFaderNames();
        if (m_activeFaders.isEmpty())
            scheduleRepaint();
    });
    connect(item, &controlStripTouchbarItem::allNamesChanged, this, [this] {
        refreshNames();
        update();
    });
    connect(item, &controlStripTouchbarItem::onColorChanged, this, &controlStripView::setOnColor);
    connect(item, &controlStripTouchbarItem::layoutChanged, this, [this] { update(); });
    item->setView(this);
}

ControlStripLayout controlStripView::layout() const
{
    const QSizeF size = sizeInPoints();
    return ControlStripLayout(float(size.width()), float(size.height()));
}

void controlStripView::setOnColor(const QColor &color)
{
    if (color == m_onColor)
        return;
    m_onColor = color;
    update();
}

void controlStripView::takeFaderNames()
{
    m_allParameterNames[ControlStripLayout::volume] = m_touchDelegate->getChannelName();
    m_allParameterNames[ControlStripLayout::volume + 1] = m_touchDelegate->getPanName();
    for (int send = 0; send < controlStripTouchbarItem::sendCount; ++send)
        m_allParameterNames[firstSend + send] = m_touchDelegate->getNameForSend(send);
}

void controlStripView::refreshNames()
{
    takeFaderNames();
    m_allParameterNames[ControlStripLayout::device] = m_touchDelegate->getDeviceName();
    for (int segment = 0; segment < ControlStripLayout::segmentCount; ++segment) {
        m_allParameterNameLabels[segment].text = m_allParameterNames[segment];
        m_allParameterNameLabels[segment].color = Qt::white;
    }
}

void controlStripView::viewWillDraw(const ControlStripLayout &layout)
{
    if (layout.width() != m_lastWidth) {
        m_firstDraw = true;
        m_lastWidth = layout.width();
    }
    if (!m_firstDraw)
        return;
    for (int segment = 0; segment < ControlStripLayout::segmentCount; ++segment)
        m_allParameterNameLabels[segment].rect = flipped(layout.label(segment), layout.height());
    refreshNames();
    // Cleared first: the colour requests below redraw, which must not lay out again.
    m_firstDraw = false;
    m_touchDelegate->updateTrackColor();
    m_touchDelegate->updateDeviceColor();
}

float controlStripView::shownValue(int fader) const
{
    if (const auto touched = m_activeFaders.touchedValue(fader))
        return *touched;
    return m_touchDelegate->getValueForFader(fader);
}

void controlStripView::draw(QPainter &painter)
{
    const ControlStripLayout layout = this->layout();
    viewWillDraw(layout);
    painter.fillRect(QRectF(QPointF(), sizeInPoints()), Qt::black);
    for (int segment = ControlStripLayout::volume; segment <= sideFaders; ++segment)
        m_allParameterNameLabels[segment].text = m_allParameterNames[segment];
    const bool bright = SurfacePainting::brightness(m_onColor) > brightColour;
    m_allParameterNameLabels[ControlStripLayout::solo].color = Qt::white;
    m_allParameterNameLabels[ControlStripLayout::volume].color = bright ? Qt::black : Qt::white;
    drawButtons(painter, layout);
    drawFaders(painter, layout);
    for (int segment = 0; segment < ControlStripLayout::segmentCount; ++segment)
        drawLabel(painter, segment);
}

// A highlight that is none leaves the grey: buttons and markers are never drawn invisible.
void controlStripView::drawButtons(QPainter &painter, const ControlStripLayout &layout)
{
    const qreal height = layout.height();
    const bool bright = SurfacePainting::brightness(m_onColor) > brightColour;
    painter.setPen(Qt::NoPen);
    const bool soloLit = m_touchDelegate->getSoloButtonValue() >= litSolo && m_onColor.isValid();
    if (soloLit && bright)
        m_allParameterNameLabels[ControlStripLayout::solo].color = Qt::black;
    painter.setBrush(soloLit ? m_onColor : SurfacePainting::darkGrey);
    SurfacePainting::fillButton(painter, layout.soloButton(), SurfacePainting::RoundSide::Left, height);

    Label &device = m_allParameterNameLabels[ControlStripLayout::device];
    device.color = Qt::white;
    const QColor deviceColor = m_touchDelegate->getDeviceColor();
    if (deviceColor.isValid() && SurfacePainting::brightness(deviceColor) > brightColour)
        device.color = Qt::black;
    painter.fillRect(flipped(layout.deviceButton(), height),
                     deviceColor.isValid() ? deviceColor : SurfacePainting::darkGrey);

    const bool unmuted = m_touchDelegate->getMuteButtonValue() < unmutedBelow;
    const QColor line = unmuted && bright ? Qt::black : Qt::white;
    painter.setBrush(unmuted && m_onColor.isValid() ? m_onColor : SurfacePainting::darkGrey);
    SurfacePainting::fillButton(painter, layout.muteButton(), SurfacePainting::RoundSide::Right, height);
    SurfacePainting::drawPowerSymbol(painter, layout.powerSymbolLeft(), height, line);
}

void controlStripView::drawFaders(QPainter &painter, const ControlStripLayout &layout)
{
    const qreal height = layout.height();
    const QColor fill = SurfacePainting::darkGrey;
    const QColor highlight = m_onColor.isValid() ? m_onColor : fill;
    const bool sendsUsable = m_touchDelegate->sendsEnabled();
    const auto usable = [sendsUsable](int fader) { return sendsUsable || !isSend(fader + 1); };
    painter.fillRect(flipped(layout.volumeBackground(), height), fill);
    painter.fillRect(flipped(layout.volumeBand(), height), highlight);
    for (int fader = 1; fader < controlStripTouchbarItem::faderCount; ++fader)
        painter.fillRect(flipped(layout.faderBackground(fader), height), usable(fader) ? fill : unusableTrack);
    for (int fader = 0; fader < controlStripTouchbarItem::faderCount; ++fader)
        painter.fillRect(flipped(layout.marker(fader, shownValue(fader)), height),
                         usable(fader) ? highlight : unusableMarker);
}

// The device name may take a second line; every other label is one line cut with an ellipsis.
void controlStripView::drawLabel(QPainter &painter, int segment) const
{
    const Label &label = m_allParameterNameLabels[segment];
    const bool button = segment == ControlStripLayout::solo || segment == ControlStripLayout::mute;
    QFont labelFont = font();
    labelFont.setPixelSize(button ? buttonPointSize : namePointSize);
    painter.setFont(labelFont);
    painter.setPen(label.color);
    painter.save();
    painter.setClipRect(label.rect);
    if (segment == ControlStripLayout::device) {
        painter.drawText(label.rect, Qt::AlignCenter | Qt::TextWordWrap,
                         SurfacePainting::printable(label.text));
    } else {
        const QString text = QFontMetricsF(labelFont).elidedText(SurfacePainting::printable(label.text),
                                                                 Qt::ElideRight, label.rect.width());
        painter.drawText(label.rect, Qt::AlignCenter | Qt::TextSingleLine, text);
    }
    painter.restore();
}

void controlStripView::touchesBegan(const TouchList &touches)
{
    const auto touch =
        std::find_if(touches.cbegin(), touches.cend(), [](const Touch &t) { return t.direct; });
    if (touch == touches.cend())
        return;
    const ControlStripLayout layout = this->layout();
    const int segment = layout.segmentAt(float(touch->location.x()));
    switch (segment) {
    case ControlStripLayout::solo:
        m_touchDelegate->sendSoloButton();
        return;
    case ControlStripLayout::mute:
        m_touchDelegate->sendMuteButton();
        return;
    case ControlStripLayout::device:
        if (m_allParameterNames[ControlStripLayout::device] != controlStripTouchbarItem::noDeviceName())
            m_touchDelegate->openDevice();
        return;
    default:
        if (!isSend(segment) || m_touchDelegate->sendsEnabled())
            beginFader(*touch, segment, layout);
    }
}

void controlStripView::beginFader(const Touch &touch, int segment, const ControlStripLayout &layout)
{
    if (m_activeFaders.forTouch(touch.identity))
        return;
    Fader fader;
    fader.faderNr = segment - 1;
    fader.trackingTouchIdentity = touch.identity;
    fader.touchOrig = float(touch.location.x());
    fader.startValue = fader.lastValue = m_touchDelegate->getValueForFader(fader.faderNr);
    fader.left = layout.segmentLeft(segment);
    fader.width = layout.segmentWidth(segment);
    m_activeFaders.add(fader);
    update();
    m_touchDelegate->sendValue(fader.startValue, fader.faderNr);
    m_touchDelegate->sendTouch(1, fader.faderNr);
}

void controlStripView::touchesMoved(const TouchList &touches)
{
    const ControlStripLayout layout = this->layout();
    for (const Touch &touch : touches) {
        Fader *fader = touch.direct ? m_activeFaders.forTouch(touch.identity) : nullptr;
        if (!fader)
            continue;
        const double travel = double(float(touch.location.x()) - fader->touchOrig);
        const float value = float(
            std::clamp(double(fader->startValue) + travel * layout.sensitivity(fader->faderNr), 0.0, 1.0));
        if (value != fader->lastValue) {
            fader->lastValue = value;
            m_touchDelegate->sendValue(value, fader->faderNr);
        }
        const qreal height = layout.height();
        const QRectF points = flipped(QRectF(fader->left, 0, fader->width, height / 2), height);
        update(QRectF(points.topLeft() * pointScale(), points.size() * pointScale()).toAlignedRect());
    }
}

void controlStripView::touchesEnded(const TouchList &touches)
{
    finishTouches(touches, false);
}

// A cancelled touch never tells the host it was released.
void controlStripView::touchesCancelled(const TouchList &touches)
{
    finishTouches(touches, true);
}

void controlStripView::finishTouches(const TouchList &touches, bool cancelled)
{
    for (const Touch &touch : touches) {
        const auto ended = touch.direct ? m_activeFaders.take(touch.identity) : std::nullopt;
        if (!ended)
            continue;
        if (!cancelled)
            m_touchDelegate->sendTouch(0, ended->faderNr);
        update();
    }
}
