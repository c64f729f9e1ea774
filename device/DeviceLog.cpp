#include "DeviceLog.h"

#include <QDebug>
#include <QString>
#include <cstdarg>

void DeviceLog(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    QString line = QString::vasprintf(format, args);
    va_end(args);
    // Several formats end in a newline of their own; the debug stream adds one.
    while (line.endsWith(QLatin1Char('\n')))
        line.chop(1);
    qDebug().noquote() << line;
}
