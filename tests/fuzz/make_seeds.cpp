// Writes the seed corpus of fuzz_netdata: what the simulated processor sends
// to the PC, as datagrams. Each file starts with the fuzz target's control
// byte (0x01: checksums repaired, data from the selected device), then one
// datagram: every reply of a whole-configuration read-back alone, the same
// read-back packed into batch frames, status, acknowledgement, discovery and
// set-IP answers, and a few datagrams holding several frames or junk.
//
//   fuzz_seeds OUTDIR STATE.json...
#include "SimReplies.h"
#include "SimState.h"
#include "SimWire.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSet>
#include <cstdio>

namespace {

constexpr char kControl = 0x01;
constexpr quint32 kDeviceIp = 0xC0A80114;  // 192.168.1.20
constexpr quint32 kBoardIp = 0xC0A80128;   // 192.168.1.40
const uint8_t kMac[6] = {0x02, 0x00, 0x00, 0x00, 0x00, 0x20};

class Writer {
public:
    explicit Writer(const QString& dir) : dir_(dir) {}
    bool add(const QByteArray& datagram)
    {
        const QByteArray input = QByteArray(1, kControl) + datagram;
        const QByteArray hash = QCryptographicHash::hash(input, QCryptographicHash::Sha1).toHex();
        if (seen_.contains(hash))
            return true;
        seen_.insert(hash);
        QFile f(dir_.filePath(QString::fromLatin1(hash)));
        return f.open(QIODevice::WriteOnly) && f.write(input) == input.size();
    }
    int count() const { return seen_.size(); }

private:
    QDir dir_;
    QSet<QByteArray> seen_;
};

bool LoadState(const QString& path, sim::State* out)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll());
    if (!doc.isObject())
        return false;
    *out = sim::StateFromJson(doc.object());
    sim::Normalise(*out);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: fuzz_seeds OUTDIR STATE.json...\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (out.exists() && !out.removeRecursively()) {
        std::fprintf(stderr, "fuzz_seeds: cannot empty %s\n", argv[1]);
        return 1;
    }
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "fuzz_seeds: cannot create %s\n", argv[1]);
        return 1;
    }
    Writer w(out.path());
    bool ok = true;
    for (int i = 2; i < argc; ++i) {
        sim::State s;
        if (!LoadState(QString::fromLocal8Bit(argv[i]), &s)) {
            std::fprintf(stderr, "fuzz_seeds: cannot read state %s\n", argv[i]);
            return 1;
        }
        QList<QByteArray> shorts;
        for (const sim::Msg& m : sim::ReadBack(s)) {
            shorts.append(sim::BuildShort(m));
            ok = ok && w.add(shorts.last());
        }
        for (int at = 0; at < shorts.size(); at += sim::kBatchMaxFrames)
            ok = ok && w.add(sim::BuildBatch(shorts.mid(at, sim::kBatchMaxFrames)));
        ok = ok && w.add(sim::BuildShort(sim::reply::Status(s)));
        // Several frames in one datagram, junk in front of a frame, a frame
        // cut short, a frame with a wrong checksum.
        ok = ok && w.add(shorts.mid(0, 3).join());
        ok = ok && w.add(QByteArray::fromHex("00ed11") + shorts.value(1));
        ok = ok && w.add(shorts.value(2).left(sim::kShortLen - 5));
        ok = ok && w.add(sim::BuildShort(sim::reply::AllCfg(s), true));
    }
    for (const sim::Msg& m :
         {sim::reply::Discovery(0x8080, kMac, kDeviceIp, kBoardIp),
          sim::reply::Discovery(0x8081, kMac, kDeviceIp + 1, 0xFFFFFFFF),
          sim::reply::Discovery(0x8100, kMac, kDeviceIp, kBoardIp), sim::reply::TakeStatus(1),
          sim::reply::TestPattern(0, 0, 50, 0), sim::reply::VideoFormat(2), sim::reply::End()})
        ok = ok && w.add(sim::BuildShort(m));
    // The acknowledgement of the read-back request that the fuzz target
    // leaves waiting in the queue (0x0600, payload all 0x55).
    sim::Msg ack{sim::kAck, sim::Bytes32()};
    sim::Msg request{0x0600, sim::Bytes32()};
    ack.p.put8(0, uint8_t(sim::BuildShort(request).back()));
    ack.p.put16(1, 0x0600);
    ok = ok && w.add(sim::BuildShort(ack));
    if (!ok) {
        std::fprintf(stderr, "fuzz_seeds: cannot write into %s\n", argv[1]);
        return 1;
    }
    std::printf("fuzz_seeds: %d inputs in %s\n", w.count(), argv[1]);
    return 0;
}
