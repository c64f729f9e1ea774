// The look the input page and its panels share: the page font and the style
// sheets of their frames, lamps, buttons and fields, in one place.
#pragma once

#include <QFont>
#include <QString>

namespace InputLook {

inline QFont Font(int points)
{
    QFont f(QStringLiteral("Microsoft YaHei"), points, 80);
    f.setItalic(false);
    return f;
}

// The looks of an input cell's frames and texts: the values of their
// frameLook and textLook properties, by which the application style sheet's
// rules for InputSrcCell give the colours. A change of look is a property
// change and one polish of that widget, never a new style sheet.
inline constexpr char kFrameLook[] = "frameLook";
inline constexpr char kTextLook[] = "textLook";
inline const QString kFrameDark = QStringLiteral("dark");
inline const QString kFrameAccent = QStringLiteral("accent");
inline const QString kFrameRight = QStringLiteral("right");
inline const QString kFrameInvalid = QStringLiteral("invalid");
inline const QString kFrameDisabled = QStringLiteral("disabled");
inline const QString kLabelLight = QStringLiteral("light");
inline const QString kLabelDark = QStringLiteral("dark");

inline const QString kButtons = QStringLiteral(
    "QPushButton{border-image:url(:/res/Image/HPageOff.png);border:0px;color:rgb(235,235,235);"
    "border-radius:5px;}"
    "QPushButton:checked{border-image:url(:/res/Image/HPageOn.png);border:0px;"
    "color:rgb(239,156,0);}"
    "QPushButton:disabled{background-image:url(:/res/Image/HPageOff.png);border:0px;"
    "color:rgb(128,128,128);}"
    "QPushButton:hover{border-image:url(:/res/Image/HPageOn.png);border:0px;"
    "color:rgb(239,156,0);}"
    "QPushButton:pressed{padding-left:2px;padding-top:2px;}");

inline const QString kSignalLamp = QStringLiteral(
    "QPushButton{border-image:url(:/res/Image/Red16_16.png);border:0px;border-radius:5px;"
    "color:rgb(239,156,0);}"
    "QPushButton:checked{border-image:url(:/res/Image/Green16_16.png);color:rgb(239,156,0);}"
    "QPushButton:pressed{padding-left:2px;padding-top:2px;}");

inline const QString kSubLamp = QStringLiteral(
    "QPushButton{border-image:url(:/res/Image/Red16_16.png);border:0px;border-radius:5px;"
    "color:rgb(235,235,235);}"
    "QPushButton:checked{border-image:url(:/res/Image/Green16_16.png);color:rgb(239,156,0);}"
    "QPushButton:pressed{padding-left:2px;padding-top:2px;}");

inline const QString kTileButtons = QStringLiteral(
    "QPushButton{background-image:url(:/res/Image/HPageOff.png);border:0px;"
    "color:rgb(235,235,235);border-radius:5px;}"
    "QPushButton:hover,QPushButton:checked{background-image:url(:/res/Image/HPageOn.png);"
    "color:rgb(239,156,0);}"
    "QPushButton:disabled{background-image:url(:/res/Image/HPageOff.png);"
    "color:rgb(128,128,128);}"
    "QPushButton:pressed{padding-left:2px;padding-top:2px;}");

inline const QString kEdit = QStringLiteral(
    "QLineEdit{background:#242424;color:rgb(239,156,0);"
    "border-image:url(:/res/Image/HPageOn.png);}");

inline const QString kGroupBox = QStringLiteral(
    "QGroupBox{border:1px solid #ef9c00;border-radius:5px;margin-top:12px;color:white;"
    "font-weight:bold;}"
    "QGroupBox::title{subcontrol-origin:margin;left:10px;padding:0 3px;}"
    "QLabel{color:white;font-weight:bold;}");

}  // namespace InputLook
