// Decoding of a processor's replies into its configuration record.
//
// Pure functions: each handler reads one 32-byte payload, writes the values
// into the sender's record and appends the refresh events that the pages need
// when that sender is the selected device. The protocol object looks the
// sender up, raises the events only for the selected device and raises the
// heartbeat; acknowledgements and discovery codes never reach this file.
//
// The device's indices and record layouts are checked before anything is
// written: a reply whose index lies outside the record or whose records run
// past the payload is logged and dropped whole.
#pragma once

#include "MData.h"

#include <cstdint>
#include <vector>

enum class Refresh {
    RequstCmdEnd,
    AllCfg,
    Freeze,
    PresetValid,
    PresetOPResult,
    InputCfg,
    InputSignal,
    InputCrop,
    InputEdid,
    InputTile,
    OutputReso,
    OutputWindow,
    OutputHdmiSetting,
    LayerData,
    PictureData,
    LayerZoomData,
    LayerChromaKey,
    TakeData,
    TakeStatus,
    MachineVer,
    MachineElectric,
    LogoData,
    TestPattern,
    ResetFactory,
    TaskData,
    SyncLock,
    HDRStatus,
    IpBoardVideoFormat
};

struct RefreshEvent {
    Refresh signal;
    int arg1 = 0;
    int arg2 = 0;
};
using RefreshEvents = std::vector<RefreshEvent>;  // in emission order

// The reply codes that go to a data handler (everything but acknowledgements
// and discovery).
bool IsDataReplyCode(uint16_t code);

// Whether the dispatcher raises the heartbeat after this code's handler: every
// data code but the video board's format report.
bool RaisesHeartbeat(uint16_t code);

// Decodes one reply of a known sender into its record. `fallback` supplies the
// input and preset names that the record lacks. Returns the events to raise if
// the sender is the selected device; a dropped reply or an unknown code writes
// nothing and returns none.
RefreshEvents DecodeReply(uint16_t code, const uint8_t* payload, MData& record,
                          const MData& fallback);

// One handler per reply code; `p` is the 32-byte payload.
void HandlePresetResult(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleSyncLockStatus(const uint8_t* p, MData& record, const MData& fallback,
                          RefreshEvents& out);
void HandleTestPattern(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleRequestEnd(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleAllCfg(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandlePresetValid(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleLogoData(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleTaskData(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleInputCfg(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleInputSignal(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleInputCrop(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleInputTile(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleInputEdid(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleOutputReso(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleOutputWindow(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleOutputHdmiSetting(const uint8_t* p, MData& record, const MData& fallback,
                             RefreshEvents& out);
void HandleLayerData(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleVideoFormat(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleTakeData(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
void HandleMachineVer(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out);
