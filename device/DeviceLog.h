// Diagnostics of the device link: printf-style lines on the debug log, in the
// logging category "ledz.device", off by default and turned on with
// QT_LOGGING_RULES="ledz.device.debug=true". A line is formatted only when that
// category logs debug messages, so a muted log costs one flag test per line,
// and the arguments are not even evaluated.
#pragma once

#include <QLoggingCategory>
#include <QtGlobal>

Q_DECLARE_LOGGING_CATEGORY(lcDevice)

void DeviceLogWrite(const char* format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(1, 2);

#define DeviceLog(...)                       \
    do {                                     \
        if (lcDevice().isDebugEnabled())     \
            DeviceLogWrite(__VA_ARGS__);     \
    } while (0)
