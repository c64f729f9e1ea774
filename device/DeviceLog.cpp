#include "DeviceLog.h"

#include <QDebug>
#include <QString>
#include <cstdarg>

Q_LOGGING_CATEGORY(lcDevice, "ledz.device")

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
