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

inline const QString kFrameDark =
    QStringLiteral("background-color:rgb(16,16,16);border-radius:5px;");
inline const QString kFrameAccent =
    QStringLiteral("background-color:rgb(239,156,0);border-radius:5px;");
inline const QString kFrameRight =
    QStringLiteral("background-color:rgb(64,64,64);border-radius:5px;");
inline const QString kFrameInvalid =
    QStringLiteral("background-color:rgb(128,128,128);border-radius:5px;");
inline const QString kFrameDisabled =
    QStringLiteral("background-color:rgb(116,116,116);border-radius:5px;");
inline const QString kLabelLight = QStringLiteral("color:rgb(235,235,235)");
inline const QString kLabelDark = QStringLiteral("color:rgb(16,16,16)");

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
