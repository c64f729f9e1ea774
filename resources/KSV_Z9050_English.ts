<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CustomMsgBox</name>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>DestinationDlg</name>
    <message>
        <source>Search Destinations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Destinations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MACHINEPAGE-%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search Machine...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>EdidDlg</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edid Config</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FPS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hblank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vblank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Advance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HDMIRGBColorDlg</name>
    <message>
        <source>Auto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limited</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImageCrop</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hpos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HRange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vpos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VRange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match To Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InputSrcCell</name>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InputSrcSetDlg</name>
    <message>
        <source>Input %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DVI Image Crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DP Image Crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SDI Image Crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DP EDID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DVI EDID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SDI EDID Not Support</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HDMI RGB Color Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tile %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EDID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KSV_ShowVideoDlg</name>
    <message>
        <source>Show Output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>480P 高清</source>
        <translation>480P 高清</translation>
    </message>
    <message>
        <source>720P 超清</source>
        <translation>720P 超清</translation>
    </message>
    <message>
        <source>1080P 蓝光</source>
        <translation>1080P 蓝光</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>Timeout</translation>
    </message>
    <message>
        <source>切换画质</source>
        <translation>Switch Quality</translation>
    </message>
</context>
<context>
    <name>MachinePageDlg</name>
    <message>
        <source>Inquire Machine Data Timeout.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inquire Machine Data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>Inquire The Machine Data?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>图像设置</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>输出设置</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>输入设置</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>模式</source>
        <translation>Layers</translation>
    </message>
    <message>
        <source>预设</source>
        <translation>Presets</translation>
    </message>
    <message>
        <source>通讯设置</source>
        <translation>Communication</translation>
    </message>
    <message>
        <source>Misc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PICTURE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OUTPUT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INPUT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LAYERS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SAVE/LOAD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COMM.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MISC.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mosaic Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HDMI Switcher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DP Switcher Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switcher Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: HDMI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: DP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>Exit System?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MiscDlg</name>
    <message>
        <source>Eth Output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inquire Machine Data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inquire Machine Data Timeout.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Select the correct File</source>
        <translation>Please Select the correct File</translation>
    </message>
    <message>
        <source>Can not connect the video board</source>
        <translation>Can not connect the video board</translation>
    </message>
    <message>
        <source>Upgrade File is not exist</source>
        <translation>Upgrade File is not exist</translation>
    </message>
    <message>
        <source>Update successed. Restart machine</source>
        <translation>Update successed. Restart machine</translation>
    </message>
</context>
<context>
    <name>ProgressHelper</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
</context>
</TS>
