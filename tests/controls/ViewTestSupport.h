#pragma once

#include "../midi/SurfaceRig.h"
#include "SurfaceEncoder.h"
#include "controls/SurfacePainting.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// Pixel reading for views drawn at one device pixel per point.
namespace ViewTestSupport {

inline QImage rendered(QWidget &view)
{
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QColor colourAt(const QImage &image, const QRectF &rect)
{
    return image.pixelColor(rect.center().toPoint());
}

// Colours within a few steps of each other: antialiasing and rounding move a channel or two.
inline bool near(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) <= 3 && std::abs(a.green() - b.green()) <= 3 &&
           std::abs(a.blue() - b.blue()) <= 3;
}

// Pixels of a rectangle that are not the background colour: text drawn there.
inline int inkIn(const QImage &image, const QRectF &rect, const QColor &background)
{
    int count = 0;
    const QRect pixels = rect.toAlignedRect().intersected(image.rect());
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - background.red()) + std::abs(pixel.green() - background.green()) +
                         std::abs(pixel.blue() - background.blue()) >
                     60;
        }
    }
    return count;
}

inline QByteArray sysex(int command, const QByteArray &arguments)
{
    return QByteArray::fromHex("f07d00") + char(command) + arguments + char(0xF7);
}

inline QByteArray controlChange(int controller, int value)
{
    return QByteArray::fromHex("b0") + char(controller) + char(value);
}

// Pitch bend of a 0 … 16383 value on channel 1 … 16, as the host sends it: LSB first.
inline QByteArray pitchBend(int channel, int value)
{
    return QByteArray(1, char(0xE0 + channel - 1)) + char(value & 0x7F) + char(value >> 7);
}

inline QString pitchBendHex(int channel, int value)
{
    return QString::fromLatin1(pitchBend(channel, value).toHex());
}

inline QString controlHex(int controller, int value)
{
    return QString::fromLatin1(controlChange(controller, value).toHex());
}

// Drives a view as a person does: the mouse is one finger, a touchscreen gives several.
class ViewTouches {
public:
    explicit ViewTouches(QWidget &view)
        : m_view(view)
        , m_screen(QTest::createTouchDevice())
    {
    }

    void press(qreal x) { mouse(QEvent::MouseButtonPress, x, Qt::LeftButton, Qt::LeftButton); }
    void move(qreal x) { mouse(QEvent::MouseMove, x, Qt::NoButton, Qt::LeftButton); }
    void release(qreal x) { mouse(QEvent::MouseButtonRelease, x, Qt::LeftButton, Qt::NoButton); }
    void tap(qreal x)
    {
        press(x);
        release(x);
    }

    // Touchscreen fingers, each known by its id while it is down.
    QTest::QTouchEventWidgetSequence fingers() { return QTest::touchEvent(&m_view, m_screen); }
    QPoint at(qreal x) const { return QPointF(x, m_view.height() / 2.0).toPoint(); }

    // The system takes the touches away (a gesture or a window change): no release follows.
    // Qt names no points in a cancel; it ends every touch of the screen on the view.
    void cancel()
    {
        QTouchEvent event(QEvent::TouchCancel, m_screen);
        QApplication::sendEvent(&m_view, &event);
    }

private:
    void mouse(QEvent::Type type, qreal x, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        const QPointF position(x, m_view.height() / 2.0);
        QMouseEvent event(type, position, m_view.mapToGlobal(position), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&m_view, &event);
    }

    QWidget &m_view;
    QPointingDevice *m_screen;
};

// A bank or strip view on the rig's model, 30 points high, touched with the mouse or fingers.
template <typename View, auto model> class SurfaceViewTest : public ::testing::Test {
protected:
    static constexpr int height = 30;

    void showAt(int width)
    {
        m_view = std::make_unique<View>(&(m_rig.*model));
        m_view->resize(width, height);
        m_view->show();
        m_touches = std::make_unique<ViewTouches>(*m_view);
        render();
    }
    // Lays the view out and draws it as the screen would.
    QImage render() { return rendered(*m_view); }
    QStringList takeSent()
    {
        const QStringList sent = m_rig.sentToSurface();
        m_rig.m_backend->clearSent();
        return sent;
    }
    static QRectF flipped(const QRectF &upwards) { return SurfacePainting::flipped(upwards, height); }

    SurfaceRig m_rig;
    std::unique_ptr<View> m_view;
    std::unique_ptr<ViewTouches> m_touches;
};

} // namespace ViewTestSupport
