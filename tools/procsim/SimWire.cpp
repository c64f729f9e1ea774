#include "SimWire.h"

#include <cstring>

namespace sim {

namespace {
const uint8_t kShortSync[2] = {0xED, 0xCB};
const uint8_t kBatchSync[8] = {0xD1, 0xE2, 0xF3, 0x04, 0x15, 0x26, 0x37, 0x48};

bool StartsWith(const QByteArray& data, int pos, const uint8_t* sync, int n)
{
    if (data.size() - pos < n)
        return false;
    return std::memcmp(data.constData() + pos, sync, size_t(n)) == 0;
}
}  // namespace

Bytes32::Bytes32(const uint8_t* src)
{
    std::memcpy(b.data(), src, kPayloadLen);
}

void Bytes32::put16(int n, qint64 v)
{
    put8(n, v);
    put8(n + 1, v >> 8);
}

void Bytes32::put32(int n, qint64 v)
{
    put16(n, v);
    put16(n + 2, v >> 16);
}

qint64 Bytes32::u32(int n) const
{
    return qint64(u16(n)) | (qint64(u16(n + 2)) << 16);
}

uint8_t Sum8(const char* data, int len)
{
    uint8_t s = 0;
    for (int i = 0; i < len; ++i)
        s = uint8_t(s + uint8_t(data[i]));
    return s;
}

QByteArray BuildShort(const Msg& m, bool corrupt)
{
    QByteArray f(kShortLen, '\0');
    f[0] = char(0xED);
    f[1] = char(0xCB);
    f[2] = char(0x28);
    f[3] = char(0x38);
    f[4] = char(m.code & 0xFF);
    f[5] = char(m.code >> 8);
    std::memcpy(f.data() + 6, m.p.data(), kPayloadLen);
    f[38] = char(Sum8(f.constData(), 38) + (corrupt ? 1 : 0));
    return f;
}

QByteArray BuildBatch(const QList<QByteArray>& shorts, bool corrupt)
{
    QByteArray f(kBatchLen, char(0x55));
    std::memcpy(f.data(), kBatchSync, 8);
    f[8] = char(kBatch & 0xFF);
    f[9] = char(kBatch >> 8);
    const int n = qMin(shorts.size(), kBatchMaxFrames);
    f[10] = char(n);
    for (int i = 0; i < n; ++i)
        std::memcpy(f.data() + kBatchArea + i * kShortLen, shorts[i].constData(), kShortLen);
    f[kBatchLen - 1] = char(Sum8(f.constData(), kBatchLen - 1) + (corrupt ? 1 : 0));
    return f;
}

QList<Found> ScanDatagram(const QByteArray& data)
{
    QList<Found> out;
    int pos = 0;
    while (pos < data.size()) {
        int len = 0;
        bool batch = false;
        if (StartsWith(data, pos, kShortSync, 2)) {
            len = kShortLen;
        } else if (StartsWith(data, pos, kBatchSync, 8)) {
            len = kBatchLen;
            batch = true;
        } else {
            ++pos;
            continue;
        }
        if (data.size() - pos < len)
            break;
        Found f;
        f.batch = batch;
        f.frame = data.mid(pos, len);
        f.checksum = uint8_t(f.frame[len - 1]);
        f.ok = Sum8(f.frame.constData(), len - 1) == f.checksum;
        const int codeAt = batch ? 8 : 4;
        f.code = uint16_t(uint8_t(f.frame[codeAt]) | (uint8_t(f.frame[codeAt + 1]) << 8));
        out.append(f);
        pos += len;
    }
    return out;
}

QList<Found> BatchContents(const QByteArray& batch)
{
    if (batch.size() != kBatchLen)
        return {};
    const int count = qMin(int(uint8_t(batch[10])), kBatchMaxFrames);
    QList<Found> out;
    for (const Found& f : ScanDatagram(batch.mid(kBatchArea, count * kShortLen)))
        if (!f.batch)
            out.append(f);
    return out;
}

}  // namespace sim
