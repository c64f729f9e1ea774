// libFuzzer target: the datagram receive path, MiddleHandler::ParseNetData
// and the dispatch behind it, fed what a device could send.
//
// Input: one control byte, then the datagram.
//   bit 0     set: the checksum of every short and batch frame the scanner
//             will find is made right first, so that the bytes reach the
//             decoders rather than stopping at the checksum test;
//   bits 1-2  the sender: 0 and 1 the selected device, 2 another device of
//             the list (its record is decoded, no refresh is emitted), 3 an
//             address of no listed device.
// Every input starts from the same state: two devices in the list, the first
// selected, fresh records, a read-back request waiting for its
// acknowledgement. No socket is ever opened, so whatever the dispatch sends
// (a follow-up search, a set-IP request) goes nowhere; the sender thread is
// stopped.
#include "Frames.h"
#include "MData.h"
#include "MiddleHandler.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

const QString kPc = QStringLiteral("192.168.1.10");
const QString kSelected = QStringLiteral("192.168.1.20");
const QString kOther = QStringLiteral("192.168.1.21");
const QString kUnknown = QStringLiteral("192.168.1.30");

// Mirrors the scanner of ParseNetData: where it would check a checksum, the
// right one is written, inside batch frames first.
void RepairChecksums(uint8_t* d, int n)
{
    int p = 0;
    while (p < n) {
        const int left = n - p;
        if (left >= 2 && d[p] == Frame::kShortSync0 && d[p + 1] == Frame::kShortSync1) {
            if (left < Frame::kShortSize)
                return;
            MakeChecksum(d + p, Frame::kShortSize);
            p += Frame::kShortSize;
        } else if (left >= int(Frame::kLongSync.size()) &&
                   std::equal(Frame::kLongSync.begin(), Frame::kLongSync.end(), d + p)) {
            if (left < Frame::kLongSize)
                return;
            const int carried = std::min(d[p + 10] * Frame::kShortSize, Frame::kLongAreaSize);
            RepairChecksums(d + p + Frame::kLongAreaOffset, carried);
            MakeChecksum(d + p, Frame::kLongSize);
            p += Frame::kLongSize;
        } else {
            ++p;
        }
    }
}

void DropMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    // The link's log lines are formatted (their formatting is under test too)
    // but not printed; anything worse than a debug line is shown.
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

MiddleHandler* Handler()
{
    static MiddleHandler* h = [] {
        MiddleHandler* m = MiddleHandler::GetInstance();
        m->StopSendThread();
        return m;
    }();
    return h;
}

void ResetState(MiddleHandler* h)
{
    h->ResetForTest();
    InitFallbackRecord(h->FallbackRecord());
    MachineRecord a;
    a.ip = kSelected;
    a.mac = {0x02, 0x00, 0x00, 0x00, 0x00, 0x20};
    MachineRecord b;
    b.ip = kOther;
    b.mac = {0x02, 0x00, 0x00, 0x00, 0x00, 0x21};
    h->Devices().UpdateMachineRecord(a, kPc);
    h->Devices().UpdateMachineRecord(b, kPc);
    h->SelectMachine(kSelected);
    h->EnqueueShortFrame(0x0600, nullptr, kSelected, Frame::kHeaderA, Frame::kHeaderB);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    qInstallMessageHandler(DropMessages);
    Handler();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t control = data[0];
    // A copy of exactly the datagram's size: a read past its end is caught.
    std::vector<uint8_t> datagram(data + 1, data + size);
    if (control & 1)
        RepairChecksums(datagram.data(), int(datagram.size()));
    const QString* sender = &kSelected;
    switch ((control >> 1) & 3) {
    case 2: sender = &kOther; break;
    case 3: sender = &kUnknown; break;
    default: break;
    }
    MiddleHandler* h = Handler();
    ResetState(h);
    h->ParseNetData(datagram.data(), int(datagram.size()), *sender);
    return 0;
}
