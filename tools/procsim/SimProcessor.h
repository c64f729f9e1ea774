// What the processor does with one command: change its state and name the
// replies. No sockets here; the device around it sends what this decides.
#pragma once

#include "SimReplies.h"
#include "SimState.h"
#include "SimWire.h"

#include <QList>

namespace sim {

struct Later {
    int ms = 0;
    Msg msg;
};

struct Outcome {
    QList<Msg> replies;     // sent at once, in order, after the acknowledgement
    QList<Later> later;     // sent after a delay (take and rebuild progress)
    bool readBack = false;  // the whole read-back follows the replies
};

class Processor {
public:
    explicit Processor(const State& initial);

    State& state() { return s; }
    const State& state() const { return s; }
    Outcome apply(const Msg& m);

    // Settings the device keeps that the PC's record has no place for.
    QString hostIp;
    QString clock;
    int testPattern = 0;
    int videoFormat = 0;
    int presetSource = 1;
    // A factory reset reports its start twice (the second after 1 s) before
    // it completes (after 2 s), as a device does that restarts its reset.
    bool resetRestarts = false;

private:
    void allCfg(const Bytes32& p, Outcome& o);
    void preset(const Bytes32& p, Outcome& o);
    void crop(const Bytes32& p, Outcome& o);
    void edid(const Bytes32& p, Outcome& o);
    void outputReso(const Bytes32& p, Outcome& o);
    void outputWindow(const Bytes32& p, Outcome& o);
    void layerCommand(const Bytes32& p, Outcome& o);
    void layerSetting(const Bytes32& p, Outcome& o);
    void take(const Bytes32& p, Outcome& o);
    void logo(const Bytes32& p, Outcome& o);
    void tasks(const Bytes32& p, Outcome& o);
    void service(const Bytes32& p, Outcome& o);
    // The address {mode, second byte, index} of layer n of the live set.
    std::array<int, 3> liveAddress(int n) const;

    State s;
    const State factory;
};

}  // namespace sim
