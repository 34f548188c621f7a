#include "ViewTestSupport.h"

#include "controls/controlStripView.h"
#include "controls/eightFaderView.h"

#include <QDir>

using namespace ViewTestSupport;

namespace {

// The strip draws points at twice their size, as on a screen of ordinary density.
constexpr qreal scale = 2;
constexpr int width = 1085;
constexpr int height = 30;

// With STRIPDECK_SCREENSHOT_DIR set, the scenes are kept there as PNG files for the docs.
void keep(const QImage &image, const QString &name)
{
    const QString dir = qEnvironmentVariable("STRIPDECK_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        ASSERT_TRUE(image.save(QDir(dir).filePath(name)));
    }
}

QRectF scaled(const QRectF &upwards)
{
    const QRectF rect = SurfacePainting::flipped(upwards, height);
    return QRectF(rect.topLeft() * scale, rect.size() * scale);
}

template <typename View> void place(View &view)
{
    view.setPointScale(scale);
    view.resize(int(width * scale), int(height * scale));
    view.show();
}

// A synth's first bank as a host shows it, touched at the points the layout gives.
TEST(SurfaceViewScreenshotTest, Bank)
{
    SurfaceRig rig;
    eightFaderView view(&rig.m_bank);
    place(view);
    const char *names[] = {"Cutoff", "Resonance", "Env Amount", "Drive", "Attack", "Release", "Mono", "Hold"};
    const int values[] = {9000, 4200, 12000, 2500, 600, 7000, 16383, 0};
    rig.surface(sysex(4, QByteArray::fromHex("1a6a7f")));
    rig.surface(controlChange(11, 127));
    rig.surface(controlChange(31, 3));
    rig.surface(controlChange(26, 2));
    rig.surface(controlChange(27, 3));
    for (int slot = 0; slot < 8; ++slot) {
        rig.surface(sysex(10, char(slot) + SurfaceEncoder::packText(names[slot])));
        rig.surface(pitchBend(9 + slot, values[slot]));
    }
    const QImage image = rendered(view);
    keep(image, QStringLiteral("control-surface-bank.png"));
    const EightFaderLayout layout = view.layout();
    EXPECT_TRUE(near(colourAt(image, scaled(layout.marker(0, values[0] / 16383.0f))),
                     QColor::fromRgbF(26 / 127.0f, 106 / 127.0f, 1.0f)))
        << "drawn in points";

    ViewTouches touches(view);
    touches.tap(scale * (layout.slotLeft(7) + 5));
    EXPECT_EQ(rig.sentToSurface().last(), pitchBendHex(16, 0)) << "touches are read in points";
}

TEST(SurfaceViewScreenshotTest, Strip)
{
    SurfaceRig rig;
    controlStripView view(&rig.m_strip);
    place(view);
    rig.surface(sysex(1, QByteArray::fromHex("7f4a10")));
    rig.surface(controlChange(3, 1));
    rig.surface(sysex(3, SurfaceEncoder::packText("Wavetable Synth")));
    rig.surface(sysex(4, QByteArray::fromHex("1a6a7f")));
    rig.surface(sysex(0, SurfaceEncoder::packText("Lead Vox")));
    rig.surface(sysex(2, char(0) + SurfaceEncoder::packText("Reverb")));
    rig.surface(sysex(2, char(1) + SurfaceEncoder::packText("Delay")));
    rig.surface(controlChange(1, 127));
    const int values[] = {11500, 8192, 6000, 3000, 0, 14000};
    for (int fader = 0; fader < 6; ++fader)
        rig.surface(pitchBend(1 + fader, values[fader]));
    keep(rendered(view), QStringLiteral("control-surface-strip.png"));
    const ControlStripLayout layout = view.layout();

    ViewTouches touches(view);
    touches.tap(scale * (layout.ends()[7] + 20));
    EXPECT_EQ(rig.sentToSurface().last(), controlHex(2, 127)) << "touches are read in points";
}

} // namespace
