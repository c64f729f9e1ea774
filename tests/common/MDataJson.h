// The device record as JSON, in the shape that procsim reads and dumps:
// member names as keys, objects for sub-records, arrays for arrays (arrays
// of arrays for two dimensions), strings for texts, booleans for bool.
#pragma once

#include "MData.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

QJsonObject MDataToJson(const MData& data);

// Paths of the fields whose values differ, e.g. "M_InputData.crop[2].hs[4]";
// a key or element present on one side only counts as a difference.
// Numbers and booleans compare by value (true equals 1). An ignored path
// covers itself and everything below it; "[*]" matches any index and "*"
// any one key, e.g. "*.chromaKey[*].mode".
QStringList CompareMDataJson(const QJsonObject& expected, const QJsonObject& actual,
                             const QStringList& ignoredPaths = {});

// Sets the value at path (keys and array indexes, e.g. {"M_AllCfg",
// "workMode"} or {"layer", "2", "hs"}) inside a JSON value, for tests that
// give procsim a state.
void SetJson(QJsonValueRef ref, const QStringList& path, const QJsonValue& v);
