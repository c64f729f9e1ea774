#include "SendCommand.h"

#include "BatchEncoder.h"
#include "DeviceLog.h"
#include "MiddleHandler.h"

static QString TargetOrSelected(const QString& ip)
{
    return ip.isNull() ? MiddleHandler::GetInstance()->GetCurrentIp() : ip;
}

void SendCommand(const void* data, int type, const uint8_t* addr, const QString& ip)
{
    MiddleHandler* handler = MiddleHandler::GetInstance();
    const QString target = TargetOrSelected(ip);
    DeviceLog("Send CommandType:%d IPAddr:%s", type, qPrintable(target));

    const EncodedCommand command = EncodeCommand(data, type, addr, CurrentCommandContext(type));
    switch (command.route) {
    case CommandRoute::Queue:
        handler->EnqueueShortFrame(command.code, command.payload.data(), target, Frame::kHeaderA,
                                   Frame::kHeaderB);
        break;
    case CommandRoute::Broadcast:
        handler->SendBroadcastCommand(command.code, command.payload.data(), QString());
        break;
    case CommandRoute::Usb:
        handler->SendUsbFrame(command.code, command.payload.data(), Frame::kPayloadSize);
        break;
    case CommandRoute::None:
        break;
    }
}

void SendBatchCommand(const MData* data, int type, const QString& ip)
{
    if (!data)
        return;
    const std::vector<BatchArea> batches = EncodeBatch(*data, type);
    if (batches.empty())
        return;
    MiddleHandler* handler = MiddleHandler::GetInstance();
    const QString target = TargetOrSelected(ip);
    for (const BatchArea& b : batches)
        handler->EnqueueLongFrame(Frame::kBatchCode, b.area.data(), b.count, target);
}
