// The processor's configuration as it keeps it, in the shape (and with the
// member names) of the PC's device record, so that its JSON form can be
// compared with the PC's record key by key. Every number is kept wide; the
// frames decide how many bits of it travel.
#pragma once

#include <QJsonObject>
#include <QString>

namespace sim {

using Num = qint64;

struct AllCfg {
    Num workMode = 0, brightLevel = 0, gammaMode = 0, gammaValue = 0, syncLock = 0, freeze = 0,
        autoBackup = 0;
    template <class V>
    void fields(V& v)
    {
        v("workMode", workMode);
        v("brightLevel", brightLevel);
        v("gammaMode", gammaMode);
        v("gammaValue", gammaValue);
        v("syncLock", syncLock);
        v("freeze", freeze);
        v("autoBackup", autoBackup);
    }
};

struct OutputWindow {
    Num onOff = 0, portID = 0, hs = 0, vs = 0, hact = 0, vact = 0;
    Num mosaicHs = 0, mosaicVs = 0, mosaicHact = 0, mosaicVact = 0;
    template <class V>
    void fields(V& v)
    {
        v("onOff", onOff);
        v("portID", portID);
        v("hs", hs);
        v("vs", vs);
        v("hact", hact);
        v("vact", vact);
        v("mosaicHs", mosaicHs);
        v("mosaicVs", mosaicVs);
        v("mosaicHact", mosaicHact);
        v("mosaicVact", mosaicVact);
    }
};

struct OutputReso {
    Num resoId = 0, hact = 0, vact = 0, fps = 0, htotal = 0, hsync = 0, hbp = 0, vtotal = 0,
        vsync = 0, vbp = 0, outputMode = 0;
    template <class V>
    void fields(V& v)
    {
        v("resoId", resoId);
        v("hact", hact);
        v("vact", vact);
        v("fps", fps);
        v("htotal", htotal);
        v("hsync", hsync);
        v("hbp", hbp);
        v("vtotal", vtotal);
        v("vsync", vsync);
        v("vbp", vbp);
        v("outputMode", outputMode);
    }
};

struct HdmiSetting {
    Num colorSpace = 0, rgbRange = 0, colorDepth = 0, hdr = 0, dviHdmi = 0, outputPort = 0;
    template <class V>
    void fields(V& v)
    {
        v("colorSpace", colorSpace);
        v("rgbRange", rgbRange);
        v("colorDepth", colorDepth);
        v("hdr", hdr);
        v("dviHdmi", dviHdmi);
        v("outputPort", outputPort);
    }
};

struct OutputData {
    OutputWindow M_OPDisplayCfg[6];
    OutputReso M_OutputResoCfg;
    HdmiSetting M_HdmiSettingCfg;
    template <class V>
    void fields(V& v)
    {
        v("M_OPDisplayCfg", M_OPDisplayCfg);
        v("M_OutputResoCfg", M_OutputResoCfg);
        v("M_HdmiSettingCfg", M_HdmiSettingCfg);
    }
};

struct Layer {
    Num onOff = 0, hs = 0, vs = 0, hact = 0, vact = 0, logoWidth = 0, logoHeight = 0, inputId = 0,
        halfId = 0, rotation = 0, alpha = 0, tileEnable = 0, tileId = 0, logoOnOff = 0, bMain = 0;
    template <class V>
    void fields(V& v)
    {
        v("onOff", onOff);
        v("hs", hs);
        v("vs", vs);
        v("hact", hact);
        v("vact", vact);
        v("logoWidth", logoWidth);
        v("logoHeight", logoHeight);
        v("inputId", inputId);
        v("halfId", halfId);
        v("rotation", rotation);
        v("alpha", alpha);
        v("tileEnable", tileEnable);
        v("tileId", tileId);
        v("logoOnOff", logoOnOff);
        v("bMain", bMain);
    }
};

struct Zoom {
    Num hs = 0, hact = 0, vs = 0, vact = 0, hRange = 0, vRange = 0;
    bool onOff = false;
    template <class V>
    void fields(V& v)
    {
        v("hs", hs);
        v("hact", hact);
        v("vs", vs);
        v("vact", vact);
        v("hRange", hRange);
        v("vRange", vRange);
        v("onOff", onOff);
    }
};

struct ChromaKey {
    Num minR = 0, maxR = 0, minG = 0, maxG = 0, minB = 0, maxB = 0, onOff = 0, mode = 0;
    template <class V>
    void fields(V& v)
    {
        v("minR", minR);
        v("maxR", maxR);
        v("minG", minG);
        v("maxG", maxG);
        v("minB", minB);
        v("maxB", maxB);
        v("onOff", onOff);
        v("mode", mode);
    }
};

struct Picture {
    Num brightness = 0, contrast = 0, saturation = 0, colorTempMode = 0, colorTempR = 0,
        colorTempG = 0, colorTempB = 0;
    template <class V>
    void fields(V& v)
    {
        v("brightness", brightness);
        v("contrast", contrast);
        v("saturation", saturation);
        v("colorTempMode", colorTempMode);
        v("colorTempR", colorTempR);
        v("colorTempG", colorTempG);
        v("colorTempB", colorTempB);
    }
};

// The switch set keeps its two groups one after the other: entry g * 3 + l.
template <int N>
struct LayerSet {
    static constexpr int kCount = N;
    Layer layer[N];
    Zoom zoom[N];
    ChromaKey chromaKey[N];
    Picture picture[N];
    Num durationTime = 0;
    template <class V>
    void fields(V& v)
    {
        v("layer", layer);
        v("zoom", zoom);
        v("chromaKey", chromaKey);
        v("picture", picture);
        v("durationTime", durationTime);
    }
};

struct InputPort {
    Num portNum = 0, actId = 0;
    Num chnlId[3] = {};
    Num inputType[3] = {};
    QString inputRename;
    template <class V>
    void fields(V& v)
    {
        v("portNum", portNum);
        v("actId", actId);
        v("chnlId", chnlId);
        v("inputType", inputType);
        v("inputRename", inputRename);
    }
};

// [half][port]
struct InputSignal {
    Num width[2][3] = {}, height[2][3] = {}, infoA[2][3] = {}, infoB[2][3] = {};
    bool interlaced[2][3] = {};
    template <class V>
    void fields(V& v)
    {
        v("width", width);
        v("height", height);
        v("infoA", infoA);
        v("infoB", infoB);
        v("interlaced", interlaced);
    }
};

// [half * 3 + port]
struct InputCrop {
    Num hs[6] = {}, hact[6] = {}, vs[6] = {}, vact[6] = {}, hRange[6] = {}, vRange[6] = {};
    bool onOff[6] = {};
    template <class V>
    void fields(V& v)
    {
        v("hs", hs);
        v("hact", hact);
        v("vs", vs);
        v("vact", vact);
        v("hRange", hRange);
        v("vRange", vRange);
        v("onOff", onOff);
    }
};

struct InputTile {
    Num count = 0;
    Num input[4] = {}, half[4] = {};
    QString name;
    template <class V>
    void fields(V& v)
    {
        v("count", count);
        v("input", input);
        v("half", half);
        v("name", name);
    }
};

// [port]
struct InputEdid {
    Num hact[3] = {}, vact[3] = {}, rate[3] = {}, hblank[3] = {}, vblank[3] = {};
    template <class V>
    void fields(V& v)
    {
        v("hact", hact);
        v("vact", vact);
        v("rate", rate);
        v("hblank", hblank);
        v("vblank", vblank);
    }
};

struct InputData {
    InputPort port[6];
    InputSignal signal[6];
    InputCrop crop[6];
    InputTile tile[2];
    InputEdid edid[6];
    template <class V>
    void fields(V& v)
    {
        v("port", port);
        v("signal", signal);
        v("crop", crop);
        v("tile", tile);
        v("edid", edid);
    }
};

struct Board {
    Num versionB = 0, versionA = 0;
    QString buildDate;
    template <class V>
    void fields(V& v)
    {
        v("versionB", versionB);
        v("versionA", versionA);
        v("buildDate", buildDate);
    }
};

struct MachineInfo {
    Num stdVoltage[7] = {}, voltage[7] = {};
    Board board[2];
    Num ethVersion = 0;
    template <class V>
    void fields(V& v)
    {
        v("stdVoltage", stdVoltage);
        v("voltage", voltage);
        v("board", board);
        v("ethVersion", ethVersion);
    }
};

struct LogoInfo {
    Num op = 0, workMode = 0, state = 0, progress = 0, valueA = 0, valueB = 0, width = 0,
        height = 0;
    template <class V>
    void fields(V& v)
    {
        v("op", op);
        v("workMode", workMode);
        v("state", state);
        v("progress", progress);
        v("valueA", valueA);
        v("valueB", valueB);
        v("width", width);
        v("height", height);
    }
};

struct Task {
    Num index = 0, year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, option = 0,
        period = 0, flag = 0, presetId = 0;
    template <class V>
    void fields(V& v)
    {
        v("index", index);
        v("year", year);
        v("month", month);
        v("day", day);
        v("hour", hour);
        v("minute", minute);
        v("second", second);
        v("option", option);
        v("period", period);
        v("flag", flag);
        v("presetId", presetId);
    }
};

struct TaskCfg {
    Task task[20];
    Num status = 0;
    template <class V>
    void fields(V& v)
    {
        v("task", task);
        v("status", status);
    }
};

struct State {
    AllCfg M_AllCfg;
    OutputData M_OutputData;
    LayerSet<4> M_MosaicLayerCfg;
    LayerSet<6> M_SwitchLayerCfg;
    LayerSet<2> M_BackupLayerCfg;
    Num M_PresetValid[5][20] = {};
    InputData M_InputData;
    MachineInfo M_MachineInfo;
    LogoInfo M_LogoInfo;
    TaskCfg M_TaskCfg;
    Num M_SwitcherType = 0;
    QString M_PresetName[5][20];
    template <class V>
    void fields(V& v)
    {
        v("M_AllCfg", M_AllCfg);
        v("M_OutputData", M_OutputData);
        v("M_MosaicLayerCfg", M_MosaicLayerCfg);
        v("M_SwitchLayerCfg", M_SwitchLayerCfg);
        v("M_BackupLayerCfg", M_BackupLayerCfg);
        v("M_PresetValid", M_PresetValid);
        v("M_InputData", M_InputData);
        v("M_MachineInfo", M_MachineInfo);
        v("M_LogoInfo", M_LogoInfo);
        v("M_TaskCfg", M_TaskCfg);
        v("M_SwitcherType", M_SwitcherType);
        v("M_PresetName", M_PresetName);
    }
};

// Missing keys leave zero / empty.
State StateFromJson(const QJsonObject& o);
QJsonObject StateToJson(const State& s);

// Makes the values that the hardware derives itself consistent: switch
// entries carry their group in bMain, every layer the stored logo's size,
// output windows and tasks their own index, build dates 20 Latin-1 bytes.
void Normalise(State& s);

}  // namespace sim
