#include "ControlCatalog.h"

namespace {

const QString prefix = QStringLiteral("xq.korvane.stripdeck.");

QStringList numbered(const QString &stem, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(stem.arg(i));
    return names;
}

QStringList identifiers(const QStringList &names)
{
    QStringList result;
    for (const QString &name : names)
        result.append(name.startsWith(QLatin1String("NS")) ? name : ControlCatalog::identifier(name));
    return result;
}

const QStringList transportNames{QStringLiteral("previous"), QStringLiteral("fb"),   QStringLiteral("play"),
                                 QStringLiteral("pause"),    QStringLiteral("stop"), QStringLiteral("record"),
                                 QStringLiteral("ff"),       QStringLiteral("next")};

} // namespace

QString ControlCatalog::identifier(const QString &controlName)
{
    return prefix + controlName;
}

QString ControlCatalog::controlName(const QString &identifier)
{
    return identifier.section(QLatin1Char('.'), -1);
}

QString ControlCatalog::storeKey(const QString &identifier)
{
    QString key = identifier;
    return key.replace(QLatin1Char('.'), QChar(0x00B7));
}

QString ControlCatalog::customizationIdentifier(int userTouchBar)
{
    if (userTouchBar < 1)
        return QStringLiteral("xq.korvane.stripdeck.customization.id");
    return QStringLiteral("xq.korvane.stripdeck.customization-%1.id").arg(userTouchBar);
}

QString ControlCatalog::controlMapKey(int userTouchBar)
{
    return QStringLiteral("ControllerConfig: ") + storeKey(customizationIdentifier(userTouchBar));
}

QString ControlCatalog::customizationKey(int userTouchBar)
{
    return customizationKey(customizationIdentifier(userTouchBar));
}

QString ControlCatalog::customizationKey(const QString &customizationIdentifier)
{
    return QStringLiteral("NSTouchBarConfig: ") + storeKey(customizationIdentifier);
}

QString ControlCatalog::defaultControlMapKey()
{
    return QStringLiteral("ControllerConfig: default");
}

QStringList ControlCatalog::userTouchBarDefaultItems(int userTouchBar)
{
    if (userTouchBar % 2 == 1)
        return identifiers(numbered(QStringLiteral("slider%1"), 4));
    return identifiers({QStringLiteral("slider1"), QStringLiteral("slider2"),
                        QStringLiteral("4slider-group1"), QStringLiteral("8pad-group1"),
                        QStringLiteral("transport-group")});
}

QStringList ControlCatalog::allowedItems()
{
    QStringList names = numbered(QStringLiteral("slider%1"), 4);
    names << numbered(QStringLiteral("pad%1"), 10) << numbered(QStringLiteral("4slider-group%1"), 4)
          << numbered(QStringLiteral("2slider-group%1"), 10) << numbered(QStringLiteral("8pad-group%1"), 4)
          << numbered(QStringLiteral("3slider1button-group%1"), 4)
          << QStringList{QStringLiteral("transport-group"),
                         QStringLiteral("play"),
                         QStringLiteral("pause"),
                         QStringLiteral("stop"),
                         QStringLiteral("record"),
                         QStringLiteral("esc"),
                         QStringLiteral("piano")};
    return identifiers(names);
}

QStringList ControlCatalog::fourSliderItems()
{
    return identifiers(QStringList{QStringLiteral("close")} + numbered(QStringLiteral("popup.slider%1"), 4));
}

QStringList ControlCatalog::twoSliderItems()
{
    return identifiers({QStringLiteral("close"), QStringLiteral("slider1"), QStringLiteral("slider2")});
}

QStringList ControlCatalog::threeSlider1ButtonItems()
{
    return identifiers({QStringLiteral("close"), QStringLiteral("slider1"), QStringLiteral("slider2"),
                        QStringLiteral("slider3"), QStringLiteral("pad1")});
}

QStringList ControlCatalog::eightPadGroupItems()
{
    QStringList names{flexibleSpaceIdentifier(), QStringLiteral("close")};
    names << numbered(QStringLiteral("pad%1"), 10) << flexibleSpaceIdentifier();
    return identifiers(names);
}

QStringList ControlCatalog::transportGroupItems()
{
    return identifiers(QStringList{flexibleSpaceIdentifier(), QStringLiteral("close")} + transportNames +
                       QStringList{flexibleSpaceIdentifier()});
}

QStringList ControlCatalog::topLevelControlNames()
{
    QStringList names = numbered(QStringLiteral("slider%1"), 4);
    names << numbered(QStringLiteral("pad%1"), 10) << transportNames << QStringLiteral("piano");
    return names;
}

QStringList ControlCatalog::groupNames()
{
    return numbered(QStringLiteral("4slider-group%1"), 4) + numbered(QStringLiteral("2slider-group%1"), 10) +
           numbered(QStringLiteral("3slider1button-group%1"), 4) +
           numbered(QStringLiteral("8pad-group%1"), 4) + QStringList{QStringLiteral("transport-group")};
}

QStringList ControlCatalog::groupMemberNames(const QString &groupName)
{
    if (groupName.startsWith(QLatin1String("4slider-group")))
        return numbered(QStringLiteral("slider%1"), 4);
    if (groupName.startsWith(QLatin1String("2slider-group")))
        return numbered(QStringLiteral("slider%1"), 2);
    if (groupName.startsWith(QLatin1String("3slider1button-group")))
        return numbered(QStringLiteral("slider%1"), 3) << QStringLiteral("pad1");
    if (groupName.startsWith(QLatin1String("8pad-group")))
        return numbered(QStringLiteral("pad%1"), 10);
    if (groupName == QLatin1String("transport-group"))
        return transportNames;
    return {};
}

// The platform's own identifier for a flexible space; it carries no record.
QString ControlCatalog::flexibleSpaceIdentifier()
{
    return QStringLiteral("NSTouchBarItemIdentifierFlexibleSpace");
}

QString ControlCatalog::eightFaderViewIdentifier()
{
    return QStringLiteral("xc.korvane.stripdeck.8fader-view");
}

QString ControlCatalog::controlStripViewIdentifier()
{
    return QStringLiteral("xc.korvane.stripdeck.controlstrip-view");
}
