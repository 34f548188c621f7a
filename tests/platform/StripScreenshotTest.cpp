#include "PlaceholderItemFactory.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

namespace {

bool haveDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") && !qEnvironmentVariableIsEmpty("STRIPDECK_TEST_SERVICES");
}

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(20000);
    return process.readAllStandardOutput();
}

int number(const QString &text, const QString &label)
{
    const auto match = QRegularExpression(label + QStringLiteral(":\\s*(-?\\d+)")).match(text);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

class StripScreenshotTest : public ::testing::Test {
protected:
    QProcess fixture;
    QString windowId;

    void SetUp() override
    {
        if (!haveDisplay())
            GTEST_SKIP() << "needs the X server of scripts/with-test-services";
    }
    void TearDown() override
    {
        fixture.terminate();
        fixture.waitForFinished(5000);
    }

    // Starts the fixture and returns what it printed up to "ready".
    QString present(const QStringList &identifiers)
    {
        // This test runs offscreen itself; the fixture must reach the X server.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        fixture.setProcessEnvironment(environment);
        fixture.start(QStringLiteral(STRIP_FIXTURE), identifiers);
        QString printed;
        while (!printed.contains(QLatin1String("ready")) && fixture.waitForReadyRead(20000))
            printed += QString::fromUtf8(fixture.readAllStandardOutput());
        windowId = QRegularExpression(QStringLiteral("window (\\d+)")).match(printed).captured(1);
        return printed;
    }
};

QString id(const char *name)
{
    return QStringLiteral("xq.korvane.stripdeck.") + QString::fromLatin1(name);
}

TEST_F(StripScreenshotTest, StripIsDockedScaledAndDrawsEachItemInItsFrame)
{
    const QString printed = present({id("slider1"), id("unknown-item"), id("slider2"), id("4slider-group1"),
                                     id("8pad-group1"), id("transport-group")});
    ASSERT_FALSE(windowId.isEmpty()) << printed.toStdString();
    QTest::qWait(300);

    // Xvfb's screen is 1920 x 1080: a scale of 1.5, so 1085 x 30 points are 1628 x 45 pixels.
    const QString info =
        QString::fromUtf8(run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), windowId}));
    EXPECT_TRUE(info.contains(QLatin1String("IsViewable"))) << info.toStdString();
    EXPECT_EQ(number(info, QStringLiteral("Width")), 1628);
    EXPECT_EQ(number(info, QStringLiteral("Height")), 45);
    EXPECT_EQ(number(info, QStringLiteral("Absolute upper-left X")), (1920 - 1628) / 2);
    EXPECT_EQ(number(info, QStringLiteral("Absolute upper-left Y")), 1080 - 45);
    const QString props = QString::fromUtf8(
        run(QStringLiteral("xprop"),
            {QStringLiteral("-id"), windowId, QStringLiteral("WM_CLASS"), QStringLiteral("WM_NAME")}));
    EXPECT_TRUE(props.contains(QLatin1String("\"stripdeck\""))) << props.toStdString();
    EXPECT_TRUE(props.contains(QLatin1String("\"Stripdeck Touch Bar\""))) << props.toStdString();

    const QImage screen =
        QImage::fromData(run(QStringLiteral("import"),
                             {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")}),
                         "PNG");
    ASSERT_FALSE(screen.isNull()) << "imagemagick's import could not grab the screen";

    // The unknown item leaves no gap; the sliders share what the three buttons leave.
    struct Expected {
        qreal x, width;
    };
    const Expected frames[] = {{0, 418.5}, {426.5, 418.5}, {853, 72}, {933, 72}, {1013, 72}};
    const QPoint origin(146, 1035);
    auto pixel = [&](qreal xPoints, qreal yPoints) {
        return screen.pixelColor(origin + QPointF(xPoints * 1.5, yPoints * 1.5).toPoint()).name();
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const QString colour = PlaceholderItemFactory::colourFor(i).name();
        const Expected &f = frames[i];
        EXPECT_EQ(pixel(f.x + f.width / 2, 15), colour) << "middle";
        EXPECT_EQ(pixel(f.x + 1, 1), colour) << "top left corner";
        EXPECT_EQ(pixel(f.x + f.width - 1, 29), colour) << "bottom right corner";
        if (i < 4) {
            EXPECT_EQ(pixel(f.x + f.width + 4, 15), QStringLiteral("#000000")) << "gap after the item";
        }
    }
}

} // namespace
