#include "KeyReport.h"

#include "KeyLamps.h"

#include <cstdint>

KeyReportActions DecodeKeyReport(const QByteArray& report, bool keyboardLocked)
{
    KeyReportActions actions;
    if (report.size() < kKeyReportSize)
        return actions;
    const auto down = [&report](int key) {
        return ((static_cast<uint8_t>(report[key / 8]) >> (key % 8)) & 1) != 0;
    };
    const bool lockCombination = down(kLockKey) && down(kCombinationKey);
    // A locked keyboard still takes the combination that unlocks it.
    if (keyboardLocked && !lockCombination) {
        actions.gate = KeyReportActions::Locked;
        return actions;
    }
    actions.gate = KeyReportActions::Accepted;

    if (lockCombination)
        actions.combination = kCombinationLock;
    else if (down(kFreezeKey) && down(kCombinationKey))
        actions.combination = kCombinationFreeze;
    else if (down(kTakeKeyA) && down(kTakeKeyB) && !(down(kTakeBlockKey) && down(kCombinationKey)))
        actions.combination = kCombinationTake;

    for (int key = 0; key < KeyLampTable::kKeyCount; ++key) {
        if (!down(key))
            continue;
        KeyPress press;
        press.key = key;
        if (key >= kFirstGroupKey && key <= kLastGroupKey) {
            press.groupFirst = kFirstGroupKey;
            press.groupLast = kLastGroupKey;
            actions.flush = true;
        } else if (key >= kFirstPresetKey && key <= kLastPresetKey) {
            press.groupFirst = kFirstPresetKey;
            press.groupLast = kLastPresetKey;
            actions.flush = true;
        } else if (key == kLockKey || key == kLampKeyA || key == kLampKeyB || key == kFreezeKey ||
                   key == kTakeBlockKey) {
            actions.flush = true;
        }
        actions.keys.push_back(press);
    }
    return actions;
}
