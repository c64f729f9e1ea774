// The processor's own view of the wire: short and batch frames, their 8-bit
// additive checksums and the scan of a received datagram. Written apart from
// the PC's frame code on purpose.
#pragma once

#include <QByteArray>
#include <QList>
#include <array>
#include <cstdint>

namespace sim {

constexpr int kShortLen = 39;
constexpr int kPayloadLen = 32;
constexpr int kBatchLen = 1359;
constexpr int kBatchArea = 14;
constexpr int kBatchMaxFrames = 34;
constexpr uint16_t kAck = 0x0400;
constexpr uint16_t kBatch = 0x0402;

// 32 payload bytes; a byte nobody writes stays 0x55.
class Bytes32 {
public:
    Bytes32() { b.fill(0x55); }
    explicit Bytes32(const uint8_t* src);
    void put8(int n, qint64 v) { b[size_t(n)] = uint8_t(v); }
    void put16(int n, qint64 v);
    void put32(int n, qint64 v);
    int u8(int n) const { return b[size_t(n)]; }
    int u16(int n) const { return b[size_t(n)] | (b[size_t(n) + 1] << 8); }
    qint64 u32(int n) const;
    const uint8_t* data() const { return b.data(); }

private:
    std::array<uint8_t, kPayloadLen> b;
};

// One short frame's content: code and payload.
struct Msg {
    uint16_t code = 0;
    Bytes32 p;
};

uint8_t Sum8(const char* data, int len);

// A complete 39-byte short frame; corrupt adds one to the checksum byte.
QByteArray BuildShort(const Msg& m, bool corrupt = false);
// A complete 1359-byte batch frame carrying up to 34 short frames.
QByteArray BuildBatch(const QList<QByteArray>& shorts, bool corrupt = false);

// What a scan of one datagram found, in datagram order.
struct Found {
    bool batch = false;
    bool ok = false;   // checksum matched
    QByteArray frame;  // the whole frame (39 or 1359 bytes)
    uint16_t code = 0;
    uint8_t checksum = 0;  // the frame's last byte
    Msg msg() const
    {
        return Msg{code, Bytes32(reinterpret_cast<const uint8_t*>(frame.constData()) + 6)};
    }
};

// Finds every short and batch frame in data; bytes that start no frame are
// skipped one at a time, a frame cut off by the end stops the scan.
QList<Found> ScanDatagram(const QByteArray& data);

// The short frames carried by a verified batch frame (each one checked by
// the same rules as a datagram of its own).
QList<Found> BatchContents(const QByteArray& batch);

}  // namespace sim
