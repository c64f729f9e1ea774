// The replies that the processor builds from its state, one function per
// reply code, and the order of its whole-configuration read-back.
#pragma once

#include "SimState.h"
#include "SimWire.h"

#include <QList>

namespace sim {

// The records of one layer, found by working mode, second address byte and
// layer index; null members when the address names no layer.
struct LayerRef {
    Layer* layer = nullptr;
    Zoom* zoom = nullptr;
    ChromaKey* chromaKey = nullptr;
    Picture* picture = nullptr;
    explicit operator bool() const { return layer != nullptr; }
};
LayerRef FindLayer(State& s, int mode, int second, int index);
// The layer set of a working mode as {mode, second byte, index} triples.
QList<std::array<int, 3>> LayerAddresses(const State& s, int mode);

namespace reply {
Msg AllCfg(const State& s);
Msg Freeze(const State& s);
Msg PresetValid(const State& s, int mode);
Msg Logo(const State& s);
QList<Msg> Tasks(const State& s, const QList<int>& tasks);
Msg TaskStatus(const State& s);
QList<Msg> InputCfg(const State& s);
Msg Signal(const State& s, int input, int port);
Msg Crop(const State& s, int input, int port);
Msg Tiles(const State& s);
QList<Msg> Edid(const State& s, const QList<std::array<int, 2>>& inputPorts);
Msg OutputReso(const State& s);
Msg OutputWindow(const State& s, int window);
Msg Hdmi(const State& s);
Msg LayerData(State& s, int mode, int second, int index, int kind);
Msg Durations(const State& s);
Msg TakeStatus(int status);
Msg Version(const State& s, int kind);
Msg End();
Msg TestPattern(int kind, int s1, int s2, int s3);
Msg VideoFormat(int format);
Msg Status(const State& s);
Msg Discovery(uint16_t code, const uint8_t mac[6], quint32 ip, quint32 board);
}  // namespace reply

// Everything the PC's record mirrors, ended by 0x0600 with P2 0xAA.
QList<Msg> ReadBack(State& s);

}  // namespace sim
