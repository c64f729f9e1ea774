<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ChromaKeyDlg</name>
    <message>
        <source>RMIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RMAX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GMIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GMAX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMAX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pure Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pure Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pure Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red Screen Matting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green Screen Matting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue Screen Matting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red On Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green On Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue On Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red On White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green On White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue On White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black On White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White On Black</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ColorManagementDlg</name>
    <message>
        <source>Disable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low Gray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Suppress Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enhance Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source>Color Management</source>
        <translation type="unfinished"></translation>
    </message>
</context>
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
        <translation type="unfinished">Form</translation>
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
        <translation type="unfinished">Form</translation>
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
        <translation type="unfinished">Form</translation>
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
    <name>KSV_LayerGroupDlg</name>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source>Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fade In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fade Out</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KSV_OpSetDlg</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KSV_PicSetDlg</name>
    <message>
        <source>Tips</source>
        <translation type="unfinished">Tips</translation>
    </message>
    <message>
        <source>Reset All Layers Parameters?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Layer Param</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BrightLevel</source>
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
    <name>LayerPicSetTabDlg</name>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source>Color Temperature Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contranst</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LayerSettingDlg</name>
    <message>
        <source>Resource Constraints</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layer Can&apos;t Be Applied To Output Windows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layer Input Srouce Settings Cannot Be Applied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tips</source>
        <translation type="unfinished">Tips</translation>
    </message>
    <message>
        <source>LOGO Is Not Exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Work Mode LOGO Is Not Exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Open Logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logo Size Exceed Output Resolution.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logo Size Exceed Layer Restrict Size.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto Backup Is On,Can&apos;t Do Multi-Take Action.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take Action...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source>Layer Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图层属性</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>旋转</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vpos</source>
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
        <source>LOGO:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color Keyer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fade In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fade Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layer Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alpha</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tile </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Cancel</translation>
    </message>
</context>
<context>
    <name>LayerZoomDlg</name>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source>Zoom Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hpos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vpos</source>
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
        <source>HRange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VRange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match To Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LogoSettingDlg</name>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LOGO Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layer 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layer 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layer 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layer 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Cancel</translation>
    </message>
    <message>
        <source>Mosaic Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HDMI Switcher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LOGO  None  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LOGO  Saved  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LOGO  Loaded  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logo Saving</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logo Loading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tips</source>
        <translation type="unfinished">Tips</translation>
    </message>
    <message>
        <source>Layer Roation Is On,Can&apos;t Save Logo.</source>
        <translation type="unfinished"></translation>
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
    <message>
        <source>Test Pattern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch Work Mode...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch Work Mode Timeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Factory...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Factory Reset Completed, Please Restart The Machine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ReBuild Test Pattern Data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade Eth Output Video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source>Status Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schedule &amp; Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Factory Reset</source>
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
        <source>FreeRun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock To Layer1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Genlock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开工程</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存工程</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get Destination Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Send Data To Destination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rebuild Test Pattern </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Working Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync Lock Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>语言/language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件设置</source>
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
        <source>Open File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Config Files (*.gz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tips</source>
        <translation type="unfinished">Tips</translation>
    </message>
    <message>
        <source>Factory Reset?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get Destination Data?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send To Destination Data?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Config Files (*.KPrj)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Project Failed!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OpParamSet</name>
    <message>
        <source>色彩空间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>颜色位深</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGB色彩范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HDR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DVI/HDMI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输出端口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGB444</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>YUV444</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8 BIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10 BIT</source>
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
    <message>
        <source>ON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DVI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HDMI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch Output Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch Output Mode Timeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch Work Mode...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch Work Mode Timeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HDMI Switcher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source>输出模式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输出分辨率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HDMI 设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>水平排布</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>垂直排布</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>田字排布</source>
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
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mosaic Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hpos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vpos</source>
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
        <source>Cancel</source>
        <translation type="unfinished">Cancel</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation type="unfinished">Tips</translation>
    </message>
    <message>
        <source>Output Window Exceed Output Resolution.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DP Switcher Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switcher Mode</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutputResoDlg</name>
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
        <source>H tot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>V tot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>H Sync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>V Sync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hbp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vbp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source>自定义分辨率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Advance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom Reso.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PresetDlg</name>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source>Load Preset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Preset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preset Srouce</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear All Presets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Preset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tips</source>
        <translation type="unfinished">Tips</translation>
    </message>
    <message>
        <source>Save Preset?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear All Presets?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear The Preset?</source>
        <translation type="unfinished"></translation>
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
<context>
    <name>ScheduleTaskDlg</name>
    <message>
        <source>Form</source>
        <translation type="unfinished">Form</translation>
    </message>
    <message>
        <source>Task Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schedule Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Task Config</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preset Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>频率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Tasks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only Once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusInfoDlg</name>
    <message>
        <source>Electrical state</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
