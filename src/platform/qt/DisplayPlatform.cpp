#include "DisplayPlatform.h"

#include <QByteArray>
#include <QtGlobal>

void DisplayPlatform::preferX11()
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
}
