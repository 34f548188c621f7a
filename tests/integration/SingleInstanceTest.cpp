#include "RunningProgram.h"

#include <gtest/gtest.h>

namespace {

int portsOf(const QString &client)
{
    return int(runCommand({"jack_lsp"}).split(QLatin1Char('\n')).filter(client).size());
}

// A user starts Stripdeck while it runs: the running copy shows its strip, the new start ends
// without a second set of ports. After a crash, the lock and socket it left behind do not stand
// in the way of the next start, which --show makes show its strip at once.
TEST(SingleInstance, SecondStartShowsTheRunningStripAndACrashedCopyDoesNotBlockTheNext)
{
    const QString missing = RunningProgram::missingServices();
    if (!missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    RunningProgram program;
    QString error;
    ASSERT_TRUE(program.start(&error)) << error.toStdString();
    ASSERT_EQ(portsOf("Stripdeck Surface"), 2);

    QByteArray output;
    EXPECT_EQ(program.startAgain({}, &output), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("running already")) << output.toStdString();
    EXPECT_TRUE(program.waitForStrip()) << "the running copy did not show its strip";
    EXPECT_EQ(portsOf("Stripdeck Surface"), 2);
    EXPECT_EQ(portsOf("Stripdeck User"), 2);

    program.crash();
    ASSERT_TRUE(poll([] { return portsOf("Stripdeck") == 0; }, 10000));
    ASSERT_TRUE(program.start(&error, {"--show"})) << "after a crash: " << error.toStdString();
    EXPECT_TRUE(program.waitForStrip()) << "--show did not show the strip";
    EXPECT_TRUE(program.stop(&error)) << error.toStdString();
}

} // namespace
