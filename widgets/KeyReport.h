// The control keyboard's key reports, decoded without a window: what one
// report asks for (a combination, the keys that are down, their radio groups,
// a lamp flush), for the main window to carry out.
//
// A report is the state of all keys at once, not a key event: ten bytes, key
// k down when bit k % 8 of byte k / 8 is set; bit 7 of byte 9 carries no key.
#pragma once

#include <QByteArray>
#include <vector>

constexpr int kKeyReportSize = 10;

// The roles of the keys (the lock key 10 and the freeze key 73 are in
// KeyLamps.h, with the lamps they own).
constexpr int kFirstGroupKey = 0, kLastGroupKey = 9;  // radio group
constexpr int kFirstPresetKey = 13, kLastPresetKey = 32;  // presets, also a radio group
constexpr int kLampKeyA = 11, kLampKeyB = 12;  // their lamps are refreshed when pressed
constexpr int kTakeBlockKey = 74;
constexpr int kCombinationKey = 75;
constexpr int kQuickTakeKey = 76;
constexpr int kTakeKeyA = 77, kTakeKeyB = 78;

enum KeyCombination {
    kCombinationNone = -1,
    kCombinationLock = 0,  // keys 10 and 75
    kCombinationFreeze = 2,  // keys 73 and 75
    kCombinationTake = 5,  // keys 77 and 78, unless 74 and 75 are down too
};

struct KeyPress {
    int key = 0;
    // The radio group whose selected key this one becomes, or -1 and -1.
    int groupFirst = -1;
    int groupLast = -1;
};

struct KeyReportActions {
    enum Gate {
        TooShort,  // fewer than ten bytes: nothing to decode
        Locked,  // the keyboard is locked and the report does not unlock it
        Accepted,
    };
    Gate gate = TooShort;
    int combination = kCombinationNone;  // the first that matches
    std::vector<KeyPress> keys;  // every key that is down, in ascending order
    bool flush = false;  // the lamps are sent after the keys
};

// Bytes past the tenth are not looked at.
KeyReportActions DecodeKeyReport(const QByteArray& report, bool keyboardLocked);
