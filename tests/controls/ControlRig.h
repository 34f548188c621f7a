#pragma once

#include "app/AppDelegate.h"
#include "app/StatusItemHost.h"
#include "controls/midiSlider.h"
#include "controls/padButton.h"
#include "midi/Client.h"
#include "midi/MidiEndpoints.h"
#include "model/ControlCatalog.h"
#include "model/ControlMaps.h"
#include "model/UserDefaults.h"
#include "platform/loopback/LoopbackBackend.h"
#include "platform/touchbar/HeadlessTouchBarHost.h"
#include "platform/touchbar/TouchBar.h"
#include "platform/touchbar/TouchBarItem.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

class NoStatusItem : public StatusItemHost {
public:
    void setMenu(Menu *) override {}
    void setVisible(bool) override {}
};

// The launched program on the loopback MIDI system with its real item factory: controls are
// made from records stored for touch bar 0 and touched with the mouse.
class ControlRig : public ::testing::Test {
protected:
    QTemporaryDir dir;
    LoopbackBackend *loopback = nullptr;
    std::unique_ptr<UserDefaults> defaults;
    NoStatusItem statusItem;
    HeadlessTouchBarHost host;
    std::unique_ptr<AppDelegate> app;
    std::vector<std::shared_ptr<TouchBarItem>> items;
    QList<std::pair<QString, QVariantList>> oscSent;

    void SetUp() override
    {
        auto backend = std::make_unique<LoopbackBackend>();
        loopback = backend.get();
        midi::Client::installBackend(std::move(backend));
        defaults = std::make_unique<UserDefaults>(dir.filePath(QStringLiteral("prefs.plist")));
        app = std::make_unique<AppDelegate>(*defaults, statusItem, host);
        app->applicationDidFinishLaunching();
        app->presentation().setUserTouchbarNumber(0);
        app->controls().actions().setOscSender([this](const QString &address, const QVariantList &values) {
            oscSent.append({address, values});
        });
        loopback->clearSent();
    }

    void TearDown() override
    {
        items.clear();
        app.reset();
        midi::Client::installBackend(nullptr);
    }

    void store(const QString &control, const QVariantMap &record, const QString &group = {}, int touchBar = 0)
    {
        ASSERT_TRUE(ControlMaps(*defaults).writeRecord(touchBar, group, control, record));
    }

    TouchBarItem *make(const QString &controlName) { return makeIdentified(ControlCatalog::identifier(controlName)); }

    TouchBarItem *makeIdentified(const QString &identifier)
    {
        auto item = app->makeItemForIdentifier(*app->templates().userTouchBar(0), identifier);
        if (!item)
            return nullptr;
        items.push_back(item);
        if (QWidget *view = item->view()) {
            view->resize(200, 30);
            view->show();
        }
        return item.get();
    }

    padButton *pad(const QString &controlName)
    {
        TouchBarItem *item = make(controlName);
        return item ? qobject_cast<padButton *>(item->view()) : nullptr;
    }

    midiSlider *fader(const QString &controlName) { return dynamic_cast<midiSlider *>(make(controlName)); }

    // Everything sent to the user output since the last call, as hex strings.
    QStringList userBytes()
    {
        QStringList result;
        for (const auto &sent : loopback->sent()) {
            if (sent.target == midi::MidiEndpoints::userName())
                result.append(QString::fromLatin1(sent.bytes.toHex(' ')));
        }
        loopback->clearSent();
        return result;
    }
    // Everything sent to the surface output since the last call, as hex strings.
    QStringList surfaceBytes()
    {
        QStringList result;
        for (const auto &sent : loopback->sent()) {
            if (sent.target == midi::MidiEndpoints::surfaceName())
                result.append(QString::fromLatin1(sent.bytes.toHex(' ')));
        }
        loopback->clearSent();
        return result;
    }
    bool inject(const char *hex)
    {
        return loopback->inject(midi::MidiEndpoints::userName(), QByteArray::fromHex(hex));
    }

    static void press(QWidget *view, QPoint at = {})
    {
        QTest::mousePress(view, Qt::LeftButton, {}, at.isNull() ? view->rect().center() : at);
    }
    static void release(QWidget *view, QPoint at = {})
    {
        QTest::mouseRelease(view, Qt::LeftButton, {}, at.isNull() ? view->rect().center() : at);
    }
    static void tap(QWidget *view, QPoint at = {})
    {
        press(view, at);
        release(view, at);
    }
};

inline QVariantMap record(const char *kind, int value, int channel, double from, double to,
                          const char *type = "momentary", const char *oscAddress = nullptr)
{
    QVariantMap result{{"kind", kind},      {"value", value}, {"channel", channel},
                       {"scaleFrom", from}, {"scaleTo", to},  {"type", type}};
    if (oscAddress)
        result.insert("oscAddress", oscAddress);
    return result;
}
