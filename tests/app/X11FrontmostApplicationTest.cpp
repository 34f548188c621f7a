#include "platform/x11/X11FrontmostApplication.h"
#include "AttachFixture.h"
#include "TestFiles.h"
#include "app/ApplicationAttachment.h"
#include "model/UserDefaults.h"

#include <QCoreApplication>
#include <QLabel>
#include <QSignalSpy>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

const QString alpha = QString::fromLatin1(DesktopEntries::alpha);
const QString beta = QString::fromLatin1(DesktopEntries::beta);
const QString gamma = QString::fromLatin1(DesktopEntries::gamma);

// Does what a window manager does for the program: keeps client windows and announces the
// active one on the root window.
class WindowManager {
public:
    WindowManager()
        : m_c(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_c))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        m_activeWindow = atom("_NET_ACTIVE_WINDOW");
        m_pid = atom("_NET_WM_PID");
    }
    ~WindowManager()
    {
        if (!xcb_connection_has_error(m_c))
            activate(XCB_WINDOW_NONE);
        xcb_disconnect(m_c);
    }
    bool connected() const { return !xcb_connection_has_error(m_c); }

    // A client window with WM_CLASS "instance\0class\0" and, when given, a _NET_WM_PID.
    xcb_window_t window(const QByteArray &instance, const QByteArray &className, quint32 pid = 0)
    {
        const xcb_window_t id = xcb_generate_id(m_c);
        xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, id, m_root, 0, 0, 50, 50, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        const QByteArray wmClass = instance + '\0' + className + '\0';
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                            quint32(wmClass.size()), wmClass.constData());
        if (pid)
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, id, m_pid, XCB_ATOM_CARDINAL, 32, 1, &pid);
        xcb_flush(m_c);
        return id;
    }
    void activate(xcb_window_t window)
    {
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_root, m_activeWindow, XCB_ATOM_WINDOW, 32, 1,
                            &window);
        xcb_flush(m_c);
    }

private:
    xcb_atom_t atom(const char *name)
    {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, quint16(std::strlen(name)), name), nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    xcb_connection_t *m_c;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    xcb_atom_t m_activeWindow = XCB_ATOM_NONE;
    xcb_atom_t m_pid = XCB_ATOM_NONE;
};

// The program with the real source on the X server; the test is its window manager.
class X11AttachTest : public AttachFixture {
protected:
    std::unique_ptr<WindowManager> wm;
    std::unique_ptr<X11FrontmostApplication> source;
    xcb_window_t alphaWindow = 0, betaWindow = 0, gammaWindow = 0, ownWindow = 0;

    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_SKIP() << "no X display; run under scripts/with-test-services";
        wm = std::make_unique<WindowManager>();
        ASSERT_TRUE(wm->connected());
        alphaWindow = wm->window("alpha", "AlphaWin");
        betaWindow = wm->window("beta", "Beta");
        gammaWindow = wm->window("gamma", "Gamma");
        ownWindow = wm->window("stripdeck", "stripdeck", quint32(QCoreApplication::applicationPid()));
        wm->activate(gammaWindow);
    }

    void launchWithX11()
    {
        source = std::make_unique<X11FrontmostApplication>(app.applications());
        ASSERT_TRUE(source->isAvailable()) << source->unavailableReason().toStdString();
        launch(source.get());
    }

    // Makes the window active and waits until the program has seen its application come forward.
    void bringToFront(xcb_window_t window, const QString &expected)
    {
        QSignalSpy activated(source.get(), &FrontmostApplicationSource::didActivateApplication);
        wm->activate(window);
        ASSERT_TRUE(activated.wait(5000)) << "no activation of " << expected.toStdString();
        ASSERT_EQ(activated.takeFirst().value(0).toString(), expected);
    }
};

TEST_F(X11AttachTest, AttachedApplicationsBringTheirTouchBarsAndTheOthersTheOneFromBefore)
{
    storeApps({record(alpha, false, 3), record(beta, true, 0)});
    launchWithX11();
    EXPECT_EQ(app.frontmostAppIdentifier(), gamma) << "not installed: its window class";
    ASSERT_FALSE(presentation().touchbarShown());

    bringToFront(alphaWindow, alpha); // found by StartupWMClass
    EXPECT_EQ(presentation().userTouchbarNumber(), 2) << "record number 3 is user touch bar 3";
    EXPECT_EQ(presented(), userBar(2));

    bringToFront(betaWindow, beta);
    EXPECT_TRUE(presentation().controlSurfadeMode());
    EXPECT_EQ(presented(), stripGroup());

    bringToFront(gammaWindow, gamma);
    EXPECT_FALSE(presentation().touchbarShown()) << "the state before Alpha: hidden";
    EXPECT_FALSE(presentation().controlSurfadeMode());
}

TEST_F(X11AttachTest, NumberZeroKeepsTheCurrentUserTouchBar)
{
    storeApps({record(alpha, false, 0)});
    launchWithX11();
    app.presentation().setUserTouchbarNumber(4);
    app.toggleTouchbar();
    ASSERT_EQ(presented(), userBar(4));

    bringToFront(alphaWindow, alpha);
    EXPECT_EQ(presentation().userTouchbarNumber(), 4);
    EXPECT_EQ(presented(), userBar(4));
    bringToFront(gammaWindow, gamma);
    EXPECT_EQ(presented(), userBar(4));
}

TEST_F(X11AttachTest, TheProgramItselfNeverBecomesTheFrontmostApplication)
{
    storeApps({record(alpha, false, 3)});
    launchWithX11();
    bringToFront(alphaWindow, alpha);
    ASSERT_TRUE(presentation().touchbarShown());

    bringToFront(ownWindow, ApplicationAttachment::ownIdentifier);
    EXPECT_EQ(app.frontmostAppIdentifier(), alpha);
    EXPECT_FALSE(presentation().touchbarShown()) << "the program in front restores the state from before";
}

TEST_F(X11AttachTest, RemovingTheFirstOfThreeRowsRenumbersTheOthers)
{
    storeApps({record(alpha, false, 3), record(beta, false, 2), record(gamma, false, 1)});
    launchWithX11();
    appAttachViewController *window = openAttachWindow();
    ASSERT_EQ(window->rows().size(), 3);

    window->rows().at(0)->removeButton()->click();
    ASSERT_EQ(window->rows().size(), 2);
    window->rows().at(0)->userModeButton()->setCurrentIndex(1);
    window->rows().at(1)->numberButton()->setCurrentIndex(7);

    // Read back from the file by an independent reader.
    EXPECT_EQ(
        runPython(QStringLiteral("import plistlib,sys\n"
                                 "for r in plistlib.load(open(sys.argv[1],'rb'))['Apps']:\n"
                                 "  print(r['bundleID'], r['controlSurfaceMode'], r['userTouchbarNumber'])"),
                  {defaults.filePath()}),
        QByteArray("beta True 2\nGamma False 7"));
}

TEST(X11FrontmostApplication, WithoutADisplayItIsUnavailableAndSaysWhy)
{
    ApplicationCatalog applications;
    X11FrontmostApplication unreachable(applications, "127.0.0.1:4711");
    EXPECT_FALSE(unreachable.isAvailable());
    EXPECT_TRUE(unreachable.unavailableReason().startsWith(QStringLiteral("xcb_connect: ")))
        << unreachable.unavailableReason().toStdString();
}

} // namespace
