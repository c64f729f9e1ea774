#include "DeviceLog.h"

#include <QDebug>
#include <QString>
#include <cstdarg>

// Off unless asked for (QT_LOGGING_RULES="ledz.device.debug=true"): a line per
// frame would cost the link far more than the frame itself.
Q_LOGGING_CATEGORY(lcDevice, "ledz.device", QtInfoMsg)

void DeviceLogWrite(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    QString line = QString::vasprintf(format, args);
    va_end(args);
    // Several formats end in a newline of their own; the debug stream adds one.
    while (line.endsWith(QLatin1Char('\n')))
        line.chop(1);
    qCDebug(lcDevice).noquote() << line;
}
