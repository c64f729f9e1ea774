// The lamps of the USB control keyboard: one table for the process with the
// wanted state of the 79 two-colour lamps and the keyboard-lock and freeze
// flags. Changed entries go to the keyboard as nine 32-byte bit planes, one
// frame each; a key whose bit is clear in all nine keeps its lamp as it is.
//
// The table is touched only on the GUI thread: key reports, page slots and
// device replies all arrive there.
#pragma once

#include <array>
#include <cstdint>

struct KeyLampEntry {
    uint8_t colorA = 0;  // 0 off, 1 on, 2 checked
    uint8_t colorB = 0;  // 0 off, 1 on, 2 checked
    uint8_t kind = 0;    // KeyLampKind
    uint8_t dirty = 0;   // 1: to be sent by the next flush
};

enum KeyLampKind : uint8_t {
    LAMP_PLAIN = 0,     // shown by its colours
    LAMP_MARK3 = 3,     // further marks of the keyboard that no writer sets
    LAMP_SELECTED = 4,  // the selected key of a radio group
    LAMP_MARK5 = 5,
};

struct KeyLampTable {
    static constexpr int kKeyCount = 79;
    std::array<KeyLampEntry, kKeyCount> entries{};
    bool keyboardLocked = false;
    bool freezeOn = false;
};

// Keys whose lamps the lock and freeze operations own.
constexpr int kLockKey = 10;
constexpr int kFreezeKey = 73;

constexpr int kLampPlaneSize = 32;
constexpr int kLampPlaneCount = 9;
using LampPlane = std::array<uint8_t, kLampPlaneSize>;
using LampPlanes = std::array<LampPlane, kLampPlaneCount>;

// Frame codes of the nine planes, in the order they are sent: selected,
// mark 5, colour A off, A on, colour B off, B on, A checked, B checked, mark 3.
extern const std::array<uint16_t, kLampPlaneCount> kLampPlaneCodes;

// The table of the process, all zero at start.
KeyLampTable& KeyLamps();

// The planes of the table's dirty entries, in sending order; their dirty
// flags are cleared.
LampPlanes TakeLampPlanes(KeyLampTable& table);

// Sends the dirty entries as all nine planes, even when nothing is dirty.
// With the keyboard closed nothing reaches it, but the entries count as sent.
void FlushKeyLamps();
// Sends nine planes that turn every lamp off; the table is left as it is.
void ResetKeyLamps();
// Sets the lock flag and key 10's lamp (colour B on while locked), then flushes.
void SetLockLamp(bool locked);
// When the freeze flag changes: sets it and key 73's lamp (colour B on while
// frozen), flushes, and with send asks the selected device to toggle freeze.
void SetFreezeLamp(bool on, bool send);
// Marks key as the selected one of the radio group first..last: the group's
// selected key returns to its colours. Both are marked dirty; no flush.
void SelectLampInGroup(int first, int last, int key);
