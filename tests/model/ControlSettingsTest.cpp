#include "model/ControlSettings.h"
#include "model/ColorArchive.h"
#include "model/ControlMaps.h"
#include "model/UserDefaults.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Kind = ControlSettings::Kind;
using Family = ControlSettings::Family;

TEST(ControlSettings, KindsAreExactAndCaseSensitive)
{
    const std::pair<const char *, Kind> cases[] = {
        {"ctrl", Kind::Ctrl}, {"note", Kind::Note},     {"prgch", Kind::Prgch}, {"pbend", Kind::Pbend},
        {"MMC", Kind::MMC},   {"ctrl14", Kind::Ctrl14}, {"nrpn", Kind::Nrpn},   {"osc", Kind::Osc},
        {"mmc", Kind::Ctrl},  {"Note", Kind::Ctrl},     {"", Kind::Ctrl},       {"note ", Kind::Ctrl},
    };
    for (const auto &[text, kind] : cases) {
        EXPECT_EQ(ControlSettings::kindFromString(QString::fromLatin1(text)), kind) << text;
        if (kind != Kind::Ctrl || qstrcmp(text, "ctrl") == 0) {
            EXPECT_EQ(ControlSettings::kindString(kind), QString::fromLatin1(text));
        }
    }
}

TEST(ControlSettings, ScaleToDefaultsByKind)
{
    const std::pair<const char *, double> cases[] = {
        {"pbend", 16383}, {"ctrl14", 16383}, {"nrpn", 16383}, {"MMC", 127},
        {"osc", 1.0},     {"note", 127},     {"other", 127},  {"", 127},
    };
    for (const auto &[kind, scaleTo] : cases)
        EXPECT_EQ(ControlSettings({{QStringLiteral("kind"), QString::fromLatin1(kind)}}).scaleTo(), scaleTo)
            << kind;
    EXPECT_EQ(
        ControlSettings({{QStringLiteral("kind"), QStringLiteral("osc")}, {QStringLiteral("scaleTo"), 0.25}})
            .scaleTo(),
        0.25);
}

TEST(ControlSettings, BehavioursPerFamilyAndProgramChangeAlwaysPushes)
{
    const struct {
        Family family;
        const char *type, *kind;
        int behaviour;
    } cases[] = {
        {Family::Fader, "pan", "ctrl", 1},         {Family::Fader, "pitchbend", "ctrl", 2},
        {Family::Fader, "toggle", "ctrl", 0},      {Family::Fader, "", "", 0},
        {Family::Pad, "momentary", "ctrl", 0},     {Family::Pad, "push", "ctrl", 2},
        {Family::Pad, "volume", "ctrl", 1},        {Family::Pad, "", "", 1},
        {Family::Piano, "noglissando", "ctrl", 1}, {Family::Piano, "pitchbend", "ctrl", 2},
        {Family::Piano, "pan", "ctrl", 0},         {Family::Transport, "", "", 1},
        {Family::Pad, "toggle", "prgch", 2},       {Family::Transport, "toggle", "prgch", 1}, // only pads
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.kind);
        QVariantMap record{{QStringLiteral("kind"), QString::fromLatin1(c.kind)}};
        if (*c.type)
            record.insert(QStringLiteral("type"), QString::fromLatin1(c.type));
        EXPECT_EQ(ControlSettings(record).behaviour(c.family), c.behaviour);
    }
}

TEST(ControlMaps, TopLevelAndGroupRecordsOfOneNameAreIndependent)
{
    QTemporaryDir dir;
    UserDefaults store(dir.filePath(QStringLiteral("p.plist")));
    ControlMaps maps(store);
    const QString group = QStringLiteral("4slider-group1"), slider = QStringLiteral("slider1");
    ASSERT_TRUE(maps.writeRecord(2, {}, slider, {{QStringLiteral("channel"), 5}}));
    ASSERT_TRUE(maps.writeRecord(2, group, slider, {{QStringLiteral("channel"), 9}}));
    EXPECT_EQ(maps.record(2, {}, slider).channel(), 5);
    EXPECT_EQ(maps.record(2, group, slider).channel(), 9);
    EXPECT_EQ(maps.record(3, {}, slider).channel(), 0) << "another bar has its own map";
    EXPECT_EQ(ControlMaps::storeKey(-1), QStringLiteral("ControllerConfig: default"));
    EXPECT_EQ(ControlMaps::storeKey(8),
              QStringLiteral("ControllerConfig: xq·korvane·stripdeck·customization-8·id"));

    store.setObject(
        QVariantMap{{group, QVariantMap{{QStringLiteral("label"), QStringLiteral("Strings")},
                                        {QStringLiteral("color"), ColorArchive::archive(Qt::red)}}}},
        ControlMaps::storeKey(2));
    EXPECT_EQ(maps.groupLabel(2, group), QStringLiteral("Strings"));
    EXPECT_EQ(maps.groupColor(2, group), QColor(Qt::red));
}

TEST(ColorArchive, RoundTripsAndRejectsWhatIsNoColour)
{
    const QColor colour = QColor::fromRgbF(0.25f, 0.5f, 0.75f, 1.0f);
    const QByteArray archived = ColorArchive::archive(colour);
    const QByteArray one = QByteArray::fromHex("3ff0000000000000"); // big-endian doubles
    EXPECT_EQ(ColorArchive::archive(Qt::red), one + QByteArray(16, '\0') + one);
    EXPECT_EQ(ColorArchive::unarchive(archived), colour);
    EXPECT_FALSE(ColorArchive::unarchive(archived.left(31)));
    EXPECT_FALSE(ColorArchive::unarchive(QStringLiteral("red")));
    QByteArray notANumber = archived;
    notANumber.replace(0, 8, QByteArray::fromHex("7ff8000000000000"));
    EXPECT_FALSE(ColorArchive::unarchive(notANumber));
    EXPECT_FALSE(ControlSettings({{QStringLiteral("color"), QByteArray(32, '\xff')}}).color());
}

} // namespace
