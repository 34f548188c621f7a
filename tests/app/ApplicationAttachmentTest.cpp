#include "app/ApplicationAttachment.h"
#include "AttachFixture.h"
#include "app/ApplicationChooser.h"

#include <QLabel>
#include <QListWidget>

namespace {

using ApplicationAttachmentTest = AttachFixture;
const QString alpha = QString::fromLatin1(DesktopEntries::alpha);
const QString beta = QString::fromLatin1(DesktopEntries::beta);
const QString gamma = QString::fromLatin1(DesktopEntries::gamma);

TEST_F(ApplicationAttachmentTest, AtLaunchTheLastRecordOfTheApplicationInFrontIsApplied)
{
    storeApps({record(alpha, false, 3), record(beta, false, 2), record(alpha, true, 0)});
    fake.frontmost = alpha;
    launch(&fake);
    EXPECT_EQ(presented(), stripGroup()) << "the last of Alpha's two records wins";

    fake.activate(gamma);
    EXPECT_FALSE(presentation().touchbarShown()) << "back to the initial state: hidden, mode off";
    EXPECT_FALSE(presentation().controlSurfadeMode());
}

TEST_F(ApplicationAttachmentTest, OthersBadRecordsAndTheProgramItselfLeaveTheTouchBarAsItWas)
{
    storeApps({record(QString(), false, 4),
               QVariantMap{{"bundleID", alpha}, {"controlSurfaceMode", false}, {"userTouchbarNumber", 42}},
               QVariantList{1, 2}});
    launch(&fake);
    app.presentation().setUserTouchbarNumber(6);
    app.toggleTouchbar();
    const auto unchanged = [&] { return presentation().touchbarShown() && presented() == userBar(6); };
    fake.activate(gamma);
    EXPECT_TRUE(unchanged()) << "an application without a record";
    EXPECT_EQ(app.frontmostAppIdentifier(), gamma);
    app.checkFrontmostApplication(QString());
    EXPECT_TRUE(unchanged()) << "records without an identifier never match";
    fake.activate(alpha);
    EXPECT_TRUE(unchanged()) << "a record number naming no touch bar";
    EXPECT_EQ(presentation().userTouchbarNumber(), 6);
    app.customizeControls();
    fake.activate(ApplicationAttachment::ownIdentifier);
    EXPECT_TRUE(unchanged()) << "the program itself, its control settings open";
    EXPECT_FALSE(app.presentation().lastState().lastRegistered);
}

TEST_F(ApplicationAttachmentTest, WindowRowsEditAndAddRecords)
{
    storeApps({record(alpha, false, 3), record(QStringLiteral("org.example.Gone"), true, 0)});
    fake.frontmost = beta;
    launch(&fake);
    appAttachViewController *window = openAttachWindow();
    ASSERT_EQ(window->rows().size(), 2);
    const appAttachCellView *missing = window->rows().at(1);
    EXPECT_EQ(missing->textField()->text(), QStringLiteral("not found!"));
    missing->userModeButton()->setCurrentIndex(0);
    EXPECT_FALSE(AttachmentRecord::fromVariant(storedApps().at(1)).controlSurfaceMode)
        << "a missing application's record stays usable";

    ASSERT_TRUE(window->addButton()->isEnabled());
    window->addButton()->click();
    EXPECT_EQ(AttachmentRecord::fromVariant(storedApps().value(2)).bundleID, beta);
    EXPECT_FALSE(window->addButton()->isEnabled()) << "Beta is attached now";
}

TEST_F(ApplicationAttachmentTest, ControlsWithAStaleTagChangeNothing)
{
    storeApps({record(alpha, false, 3)});
    launch(&fake);
    appAttachViewController *window = openAttachWindow();
    QObject stale;
    stale.setProperty(appAttachCellView::tagProperty, 5);
    QObject untagged;
    for (QObject *sender : {&stale, &untagged, static_cast<QObject *>(nullptr)}) {
        window->removeApp(sender);
        window->changeMode(sender);
        window->changeTouchbarNr(sender);
    }
    EXPECT_EQ(storedApps(), QVariantList({record(alpha, false, 3)}));
}

TEST_F(ApplicationAttachmentTest, ChoosingAnAppListsInstalledApplicationsAndBringsTheWindowBack)
{
    launch(&fake);
    appAttachViewController *window = openAttachWindow();

    window->chooseButton()->click();
    EXPECT_FALSE(window->isVisible()) << "the window steps aside for the chooser";
    ApplicationChooser *chooser = window->chooser();
    ASSERT_NE(chooser, nullptr);
    ASSERT_EQ(chooser->list()->count(), 2);
    chooser->list()->setCurrentRow(1);
    chooser->accept();
    EXPECT_EQ(storedApps(), QVariantList({record(beta, false, 0)}));
}

} // namespace
