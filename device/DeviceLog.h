// Diagnostics of the device link: printf-style lines on the debug log.
#pragma once

#include <QtGlobal>

void DeviceLog(const char* format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(1, 2);
