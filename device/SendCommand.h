// The two entry points through which pages send to devices: one command item
// at a time, or whole tables of the record packed into batch frames.
#pragma once

#include "CommandEncoder.h"
#include "MData.h"

#include <QString>
#include <cstdint>

// data: a pointer into the selected record or a small buffer (see
// CommandEncoder.h for what each type reads); addr: the address bytes of the
// type, may be null where unused; ip: the target, a null text meaning the
// selected device.
void SendCommand(const void* data, int type, const uint8_t* addr, const QString& ip);

// Types 40 to 43 with a whole record; any other type sends nothing.
void SendBatchCommand(const MData* data, int type, const QString& ip);
