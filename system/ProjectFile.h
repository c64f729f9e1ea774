// The project file: the part of a device record that the operator edits,
// kept as XML under the root PROJECTDATA. Element names stay as stored files
// and other tools have them (ALLCONFG, INPTUCROPONOFF, HTOTL, TASKPRIED ...).
//
// Each sub-record has one table of element name <-> record field with the
// field's width; the writer and the reader both walk these tables, so the two
// directions cannot drift apart. No widgets: the system page calls it.
#pragma once

#include "MData.h"

#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

class XmlStreamHelper;

namespace ProjectFile {

// How a value becomes text and text becomes a value. U32 fields are written
// as unsigned numbers but read back as signed ones, so a value of 2^31 or
// more loads as 0 (files written by other tools rely on that reading).
enum class Width { U8, Flag, U16, S32, U32, Text };

using FieldRef = std::variant<uint8_t*, uint16_t*, int32_t*, uint32_t*, bool*, QString*>;

template <class Slot>
struct Field {
    const char* tag;
    Width width;
    FieldRef (*at)(Slot&);
    // Written always; read back only when set (the input's active port,
    // versions and types come from the device, never from a file).
    bool read = true;
};

// What one table entry addresses when a field lives in an array.
struct PortSlot {
    InputPortCfg* cfg;
    int port;
};
struct CropSlot {
    InputCropCfg* cfg;
    int entry;
};
struct LayerSlot {
    LayerRecord* layer;
    LayerZoomCfg* zoom;
    ChromaKeyCfg* chromaKey;
    LayerPictureCfg* picture;
};

const std::vector<Field<AllCfg>>& AllCfgFields();
const std::vector<Field<InputPortCfg>>& InputPortFields();
const std::vector<Field<PortSlot>>& InputPortSlotFields();  // tags end in the port
const std::vector<Field<InputTileCfg>>& InputTileFields();
const std::vector<Field<CropSlot>>& CropFields();  // tags end in the port
const std::vector<Field<LayerSlot>>& LayerFields();
const std::vector<Field<OutputWindowRecord>>& OutputWindowFields();
const std::vector<Field<OutputResoCfg>>& ResoFields();
const std::vector<Field<HdmiSettingCfg>>& HdmiFields();
const std::vector<Field<ScheduleTask>>& TaskFields();

// The storage type of ref suits the width (U32 also fits a signed field).
bool WidthFits(const FieldRef& ref, Width width);

// The text written for a field.
QString ValueText(const FieldRef& ref, Width width);
// A decimal signed 32-bit number, whatever the locale: optional sign and
// digits, surrounding white space ignored; anything else, or a number
// outside the signed 32-bit range, gives 0.
int32_t ParseNumber(const QString& text);
// Stores text into the field: numbers cut to the field's width (300 -> 44
// in an 8-bit field, -1 -> 65535 in a 16-bit one), flags 1 for any number
// but 0, texts as they are.
void StoreText(const FieldRef& ref, Width width, const QString& text);

// Writes record as a project file at path; true when the file is in place.
// A failed write leaves the file that was there before untouched.
bool Write(XmlStreamHelper& xml, const QString& path, const MData& record);

// Real projects are about 33 kB. A larger file is no project of ours: read,
// it would freeze the pages for seconds and make every later save as large.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

enum class ReadResult {
    Loaded,  // record now holds the file's values
    Unreadable,  // the file could not be opened
    Damaged,  // not well-formed, not a project, or over kMaxFileBytes: nothing applied
};

// Reads path into record. The file is read into a working copy that
// replaces record only when the whole document is well-formed and its root
// is PROJECTDATA: a damaged or foreign file changes nothing. A load keeps
// the record's input ports, signals, EDID timings and tiles; of the inputs it
// takes the names and the crop windows.
ReadResult Read(XmlStreamHelper& xml, const QString& path, MData& record);

}  // namespace ProjectFile
