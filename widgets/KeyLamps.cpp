#include "KeyLamps.h"

#include "MiddleHandler.h"
#include "SendCommand.h"

const std::array<uint16_t, kLampPlaneCount> kLampPlaneCodes = {
    0x00BD, 0x00C0, 0x00B7, 0x00B6, 0x00BA, 0x00B9, 0x00B8, 0x00BB, 0x00BC,
};

namespace {
enum PlaneIndex { kSelected, kMark5, kAOff, kAOn, kBOff, kBOn, kAChecked, kBChecked, kMark3 };

void SendPlanes(const LampPlanes& planes)
{
    MiddleHandler* handler = MiddleHandler::GetInstance();
    for (int i = 0; i < kLampPlaneCount; ++i)
        handler->SendUsbFrame(kLampPlaneCodes[i], planes[i].data(), kLampPlaneSize);
}

// The colour planes that show colour value 0, 1 or 2; none for other values.
int ColourPlane(uint8_t colour, int off, int on, int checked)
{
    switch (colour) {
    case 0:
        return off;
    case 1:
        return on;
    case 2:
        return checked;
    default:
        return -1;
    }
}

void SetKeyLamp(int key, bool colourBOn)
{
    KeyLampEntry& e = KeyLamps().entries[key];
    e.colorA = 0;
    e.colorB = colourBOn ? 1 : 0;
    e.kind = LAMP_PLAIN;
    e.dirty = 1;
}
}  // namespace

KeyLampTable& KeyLamps()
{
    static KeyLampTable table;
    return table;
}

LampPlanes TakeLampPlanes(KeyLampTable& table)
{
    LampPlanes planes{};
    for (int key = 0; key < KeyLampTable::kKeyCount; ++key) {
        KeyLampEntry& e = table.entries[key];
        if (!e.dirty)
            continue;
        const uint8_t bit = static_cast<uint8_t>(1u << (key % 8));
        const auto set = [&](int plane) {
            if (plane >= 0)
                planes[plane][key / 8] |= bit;
        };
        if (e.kind == LAMP_SELECTED)
            set(kSelected);
        else if (e.kind == LAMP_MARK3)
            set(kMark3);
        else {
            // A mark-5 key keeps its colours: the keyboard shows both.
            if (e.kind == LAMP_MARK5)
                set(kMark5);
            set(ColourPlane(e.colorA, kAOff, kAOn, kAChecked));
            set(ColourPlane(e.colorB, kBOff, kBOn, kBChecked));
        }
        e.dirty = 0;
    }
    return planes;
}

void FlushKeyLamps()
{
    SendPlanes(TakeLampPlanes(KeyLamps()));
}

void ResetKeyLamps()
{
    LampPlanes planes{};
    planes[kAOff].fill(0xFF);
    planes[kBOff].fill(0xFF);
    SendPlanes(planes);
}

void SetLockLamp(bool locked)
{
    KeyLamps().keyboardLocked = locked;
    SetKeyLamp(kLockKey, locked);
    FlushKeyLamps();
}

void SetFreezeLamp(bool on, bool send)
{
    KeyLampTable& table = KeyLamps();
    if (table.freezeOn == on)
        return;
    table.freezeOn = on;
    SetKeyLamp(kFreezeKey, on);
    FlushKeyLamps();
    if (send)
        SendCommand(nullptr, SEND_FREEZECMD, nullptr, QString());
}

void SelectLampInGroup(int first, int last, int key)
{
    KeyLampTable& table = KeyLamps();
    for (int k = first; k <= last; ++k) {
        KeyLampEntry& e = table.entries[k];
        if (k != key && e.kind == LAMP_SELECTED) {
            e.kind = LAMP_PLAIN;
            e.dirty = 1;
        }
    }
    table.entries[key].kind = LAMP_SELECTED;
    table.entries[key].dirty = 1;
}
