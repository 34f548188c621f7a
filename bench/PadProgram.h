#pragma once

// The program of the touch latency benchmarks: launched on a given MIDI backend, with one
// momentary control-change pad (controller 20, channel 1) on the user touch bar, shown on the
// offscreen platform and touched as a touchscreen would touch it.
#include "app/AppDelegate.h"
#include "app/StatusItemHost.h"
#include "midi/Client.h"
#include "model/ControlCatalog.h"
#include "model/ControlMaps.h"
#include "model/UserDefaults.h"
#include "platform/touchbar/HeadlessTouchBarHost.h"
#include "platform/touchbar/TouchBar.h"
#include "platform/touchbar/TouchBarItem.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTouchEvent>

class PadProgram {
public:
    ~PadProgram()
    {
        pad.reset();
        app.reset();
        midi::Client::installBackend(nullptr);
    }

    bool launch(std::unique_ptr<midi::Backend> backend)
    {
        if (!backend)
            return false;
        midi::Client::installBackend(std::move(backend));
        app = std::make_unique<AppDelegate>(defaults, statusItem, host);
        app->applicationDidFinishLaunching();
        app->presentation().setUserTouchbarNumber(0);
        const QVariantMap record{{QStringLiteral("kind"), QStringLiteral("ctrl")},
                                 {QStringLiteral("value"), 20},
                                 {QStringLiteral("channel"), 1},
                                 {QStringLiteral("type"), QStringLiteral("momentary")}};
        if (!ControlMaps(defaults).writeRecord(0, {}, QStringLiteral("pad1"), record))
            return false;
        pad = app->makeItemForIdentifier(*app->templates().userTouchBar(0),
                                         ControlCatalog::identifier(QStringLiteral("pad1")));
        if (!pad || !pad->view())
            return false;
        pad->view()->resize(72, 30);
        pad->view()->show();
        m_screen = QTest::createTouchDevice();
        return QTest::qWaitForWindowExposed(pad->view());
    }

    // A finger lands on the pad, or lifts, in turn: 127, then 0. Straight to the widget through
    // the application, as Qt hands a touchscreen's event on; QTest's touch sequences sleep a
    // millisecond per event to space their time stamps.
    void touch()
    {
        QWidget *view = pad->view();
        const QPointF at(36, 15);
        const QEventPoint point(0, m_down ? QEventPoint::State::Released : QEventPoint::State::Pressed, at,
                                view->mapToGlobal(at));
        QTouchEvent event(m_down ? QEvent::TouchEnd : QEvent::TouchBegin, m_screen, Qt::NoModifier, {point});
        QApplication::sendEvent(view, &event);
        m_down = !m_down;
    }

    std::shared_ptr<TouchBarItem> pad;

private:
    class NoStatusItem : public StatusItemHost {
    public:
        void setMenu(Menu *) override {}
        void setVisible(bool) override {}
    };

    QTemporaryDir dir;
    UserDefaults defaults{dir.filePath(QStringLiteral("prefs.plist"))};
    NoStatusItem statusItem;
    HeadlessTouchBarHost host;
    std::unique_ptr<AppDelegate> app;
    QPointingDevice *m_screen = nullptr;
    bool m_down = false;
};
