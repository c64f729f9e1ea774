<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ChromaKeyDlg</name>
    <message>
        <source>RMIN</source>
        <translation>RMIN</translation>
    </message>
    <message>
        <source>RMAX</source>
        <translation>RMAX</translation>
    </message>
    <message>
        <source>GMIN</source>
        <translation>GMIN</translation>
    </message>
    <message>
        <source>GMAX</source>
        <translation>GMAX</translation>
    </message>
    <message>
        <source>BMIN</source>
        <translation>BMIN</translation>
    </message>
    <message>
        <source>BMAX</source>
        <translation>BMAX</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Pure Red</source>
        <translation>Pure Red</translation>
    </message>
    <message>
        <source>Pure Green</source>
        <translation>Pure Green</translation>
    </message>
    <message>
        <source>Pure Blue</source>
        <translation>Pure Blue</translation>
    </message>
    <message>
        <source>Red Screen Matting</source>
        <translation>Red Screen Matting</translation>
    </message>
    <message>
        <source>Green Screen Matting</source>
        <translation>Green Screen Matting</translation>
    </message>
    <message>
        <source>Blue Screen Matting</source>
        <translation>Blue Screen Matting</translation>
    </message>
    <message>
        <source>Red On Black</source>
        <translation>Red On Black</translation>
    </message>
    <message>
        <source>Green On Black</source>
        <translation>Green On Black</translation>
    </message>
    <message>
        <source>Blue On Black</source>
        <translation>Blue On Black</translation>
    </message>
    <message>
        <source>Red On White</source>
        <translation>Red On White</translation>
    </message>
    <message>
        <source>Green On White</source>
        <translation>Green On White</translation>
    </message>
    <message>
        <source>Blue On White</source>
        <translation>Blue On White</translation>
    </message>
    <message>
        <source>Black On White</source>
        <translation>Black On White</translation>
    </message>
    <message>
        <source>White On Black</source>
        <translation>White On Black</translation>
    </message>
</context>
<context>
    <name>ColorManagementDlg</name>
    <message>
        <source>Disable</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>Low Gray</source>
        <translation>Low Gray</translation>
    </message>
    <message>
        <source>Suppress Red</source>
        <translation>Suppress Red</translation>
    </message>
    <message>
        <source>Enhance Blue</source>
        <translation>Enhance Blue</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>Vivid</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Color Management</source>
        <translation>Color Management</translation>
    </message>
</context>
<context>
    <name>CustomMsgBox</name>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
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
        <translation>Search Destinations</translation>
    </message>
    <message>
        <source>All Destinations</source>
        <translation>All Destinations</translation>
    </message>
    <message>
        <source>MACHINEPAGE-%1</source>
        <translation>MACHINEPAGE-%1</translation>
    </message>
    <message>
        <source>Search Machine...</source>
        <translation>Search Machine...</translation>
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
        <translation>Form</translation>
    </message>
    <message>
        <source>Edid Config</source>
        <translation>Edid Config</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>Hact</source>
        <translation>Hact</translation>
    </message>
    <message>
        <source>Vact</source>
        <translation>Vact</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Hblank</source>
        <translation>Hblank</translation>
    </message>
    <message>
        <source>Vblank</source>
        <translation>Vblank</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Accept</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>Advance</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>HDMIRGBColorDlg</name>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Limited</source>
        <translation>Limited</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Full</translation>
    </message>
</context>
<context>
    <name>ImageCrop</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Crop Setting</source>
        <translation>Crop Setting</translation>
    </message>
    <message>
        <source>Hpos</source>
        <translation>Hpos</translation>
    </message>
    <message>
        <source>Hact</source>
        <translation>Hact</translation>
    </message>
    <message>
        <source>HRange</source>
        <translation>HRange</translation>
    </message>
    <message>
        <source>Vpos</source>
        <translation>Vpos</translation>
    </message>
    <message>
        <source>Vact</source>
        <translation>Vact</translation>
    </message>
    <message>
        <source>VRange</source>
        <translation>VRange</translation>
    </message>
    <message>
        <source>Match To Input</source>
        <translation>Match To Input</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>InputSrcCell</name>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
</context>
<context>
    <name>InputSrcSetDlg</name>
    <message>
        <source>Input %1</source>
        <translation>Input %1</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>DVI Image Crop</source>
        <translation>DVI Image Crop</translation>
    </message>
    <message>
        <source>DP Image Crop</source>
        <translation>DP Image Crop</translation>
    </message>
    <message>
        <source>SDI Image Crop</source>
        <translation>SDI Image Crop</translation>
    </message>
    <message>
        <source>DP EDID</source>
        <translation>DP EDID</translation>
    </message>
    <message>
        <source>DVI EDID</source>
        <translation>DVI EDID</translation>
    </message>
    <message>
        <source>SDI EDID Not Support</source>
        <translation>SDI EDID Not Support</translation>
    </message>
    <message>
        <source>HDMI RGB Color Range</source>
        <translation>HDMI RGB Color Range</translation>
    </message>
    <message>
        <source>Tile %1</source>
        <translation>Tile %1</translation>
    </message>
    <message>
        <source>Image Crop</source>
        <translation>Image Crop</translation>
    </message>
    <message>
        <source>EDID</source>
        <translation>EDID</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
</context>
<context>
    <name>KSV_LayerGroupDlg</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Fade In</source>
        <translation>Fade In</translation>
    </message>
    <message>
        <source>Fade Out</source>
        <translation>Fade Out</translation>
    </message>
</context>
<context>
    <name>KSV_OpSetDlg</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
</context>
<context>
    <name>KSV_PicSetDlg</name>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>Reset All Layers Parameters?</source>
        <translation>Reset All Layers Parameters?</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Reset Layer Param</source>
        <translation>Reset Layer Param</translation>
    </message>
    <message>
        <source>BrightLevel</source>
        <translation>BrightLevel</translation>
    </message>
</context>
<context>
    <name>KSV_ShowVideoDlg</name>
    <message>
        <source>Show Output</source>
        <translation>Show Output</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>480P 高清</source>
        <translation>480P SD</translation>
    </message>
    <message>
        <source>720P 超清</source>
        <translation>720P HD</translation>
    </message>
    <message>
        <source>1080P 蓝光</source>
        <translation>1080P Full HD</translation>
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
        <translation>Form</translation>
    </message>
    <message>
        <source>Color Temperature Setting</source>
        <translation>Color Temperature Setting</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>Color Temperature</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>Contranst</source>
        <translation>Contranst</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Custom</translation>
    </message>
</context>
<context>
    <name>LayerSettingDlg</name>
    <message>
        <source>Resource Constraints</source>
        <translation>Resource Constraints</translation>
    </message>
    <message>
        <source>Layer Can&apos;t Be Applied To Output Windows</source>
        <translation>Layer Can&apos;t Be Applied To Output Windows</translation>
    </message>
    <message>
        <source>Layer Input Srouce Settings Cannot Be Applied.</source>
        <translation>Layer Input Srouce Settings Cannot Be Applied.</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>LOGO Is Not Exist</source>
        <translation>LOGO Is Not Exist</translation>
    </message>
    <message>
        <source>Current Work Mode LOGO Is Not Exist</source>
        <translation>Current Work Mode LOGO Is Not Exist</translation>
    </message>
    <message>
        <source>Cannot Open Logo</source>
        <translation>Cannot Open Logo</translation>
    </message>
    <message>
        <source>Logo Size Exceed Output Resolution.</source>
        <translation>Logo Size Exceed Output Resolution.</translation>
    </message>
    <message>
        <source>Logo Size Exceed Layer Restrict Size.</source>
        <translation>Logo Size Exceed Layer Restrict Size.</translation>
    </message>
    <message>
        <source>Auto Backup Is On,Can&apos;t Do Multi-Take Action.</source>
        <translation>Auto Backup Is On,Can&apos;t Do Multi-Take Action.</translation>
    </message>
    <message>
        <source>Take Action...</source>
        <translation>Take Action...</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Layer Setting</source>
        <translation>Layer Setting</translation>
    </message>
    <message>
        <source>图层属性</source>
        <translation>Layer Properties</translation>
    </message>
    <message>
        <source>旋转</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>Vact</source>
        <translation>Vact</translation>
    </message>
    <message>
        <source>Vpos</source>
        <translation>Vpos</translation>
    </message>
    <message>
        <source>Hpos</source>
        <translation>Hpos</translation>
    </message>
    <message>
        <source>Hact</source>
        <translation>Hact</translation>
    </message>
    <message>
        <source>LOGO:</source>
        <translation>LOGO:</translation>
    </message>
    <message>
        <source>Input:</source>
        <translation>Input:</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Freeze</translation>
    </message>
    <message>
        <source>Auto Backup</source>
        <translation>Auto Backup</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Color Keyer</source>
        <translation>Color Keyer</translation>
    </message>
    <message>
        <source>Zoom Setting</source>
        <translation>Zoom Setting</translation>
    </message>
    <message>
        <source>Take</source>
        <translation>Take</translation>
    </message>
    <message>
        <source>Fade In</source>
        <translation>Fade In</translation>
    </message>
    <message>
        <source>Fade Out</source>
        <translation>Fade Out</translation>
    </message>
    <message>
        <source>Layer Group</source>
        <translation>Layer Group</translation>
    </message>
    <message>
        <source>Alpha</source>
        <translation>Alpha</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>Input </source>
        <translation>Input </translation>
    </message>
    <message>
        <source>Tile </source>
        <translation>Tile </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>LayerZoomDlg</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Zoom Setting</source>
        <translation>Zoom Setting</translation>
    </message>
    <message>
        <source>Hpos</source>
        <translation>Hpos</translation>
    </message>
    <message>
        <source>Vpos</source>
        <translation>Vpos</translation>
    </message>
    <message>
        <source>Hact</source>
        <translation>Hact</translation>
    </message>
    <message>
        <source>Vact</source>
        <translation>Vact</translation>
    </message>
    <message>
        <source>HRange</source>
        <translation>HRange</translation>
    </message>
    <message>
        <source>VRange</source>
        <translation>VRange</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Match To Input</source>
        <translation>Match To Input</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>LogoSettingDlg</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>LOGO Setting</source>
        <translation>LOGO Setting</translation>
    </message>
    <message>
        <source>Layer 1</source>
        <translation>Layer 1</translation>
    </message>
    <message>
        <source>Layer 2</source>
        <translation>Layer 2</translation>
    </message>
    <message>
        <source>Layer 3</source>
        <translation>Layer 3</translation>
    </message>
    <message>
        <source>Layer 4</source>
        <translation>Layer 4</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Mosaic Mode</source>
        <translation>Mosaic Mode</translation>
    </message>
    <message>
        <source>HDMI Switcher</source>
        <translation>HDMI Switcher</translation>
    </message>
    <message>
        <source>Backup Mode</source>
        <translation>Backup Mode</translation>
    </message>
    <message>
        <source>LOGO  None  </source>
        <translation>LOGO  None  </translation>
    </message>
    <message>
        <source>LOGO  Saved  </source>
        <translation>LOGO  Saved  </translation>
    </message>
    <message>
        <source>LOGO  Loaded  </source>
        <translation>LOGO  Loaded  </translation>
    </message>
    <message>
        <source>Logo Saving</source>
        <translation>Logo Saving</translation>
    </message>
    <message>
        <source>Logo Loading</source>
        <translation>Logo Loading</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>Layer Roation Is On,Can&apos;t Save Logo.</source>
        <translation>Layer Roation Is On,Can&apos;t Save Logo.</translation>
    </message>
</context>
<context>
    <name>MachinePageDlg</name>
    <message>
        <source>Inquire Machine Data Timeout.</source>
        <translation>Inquire Machine Data Timeout.</translation>
    </message>
    <message>
        <source>Inquire Machine Data.</source>
        <translation>Inquire Machine Data.</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>Inquire The Machine Data?</source>
        <translation>Inquire The Machine Data?</translation>
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
        <translation>Misc</translation>
    </message>
    <message>
        <source>PICTURE</source>
        <translation>PICTURE</translation>
    </message>
    <message>
        <source>OUTPUT</source>
        <translation>OUTPUT</translation>
    </message>
    <message>
        <source>INPUT</source>
        <translation>INPUT</translation>
    </message>
    <message>
        <source>LAYERS</source>
        <translation>LAYERS</translation>
    </message>
    <message>
        <source>SAVE/LOAD</source>
        <translation>SAVE/LOAD</translation>
    </message>
    <message>
        <source>COMM.</source>
        <translation>COMM.</translation>
    </message>
    <message>
        <source>MISC.</source>
        <translation>MISC.</translation>
    </message>
    <message>
        <source>Mosaic Mode</source>
        <translation>Mosaic Mode</translation>
    </message>
    <message>
        <source>Backup Mode</source>
        <translation>Backup Mode</translation>
    </message>
    <message>
        <source>HDMI Switcher</source>
        <translation>HDMI Switcher</translation>
    </message>
    <message>
        <source>DP Switcher Mode</source>
        <translation>DP Switcher Mode</translation>
    </message>
    <message>
        <source>Switcher Mode</source>
        <translation>Switcher Mode</translation>
    </message>
    <message>
        <source>: HDMI</source>
        <translation>: HDMI</translation>
    </message>
    <message>
        <source>: DP</source>
        <translation>: DP</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>Exit System?</source>
        <translation>Exit System?</translation>
    </message>
</context>
<context>
    <name>MiscDlg</name>
    <message>
        <source>Eth Output</source>
        <translation>Eth Output</translation>
    </message>
    <message>
        <source>Inquire Machine Data.</source>
        <translation>Inquire Machine Data.</translation>
    </message>
    <message>
        <source>Inquire Machine Data Timeout.</source>
        <translation>Inquire Machine Data Timeout.</translation>
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
        <translation>Test Pattern</translation>
    </message>
    <message>
        <source>Switch Work Mode...</source>
        <translation>Switch Work Mode...</translation>
    </message>
    <message>
        <source>Switch Work Mode Timeout</source>
        <translation>Switch Work Mode Timeout</translation>
    </message>
    <message>
        <source>Reset Factory...</source>
        <translation>Reset Factory...</translation>
    </message>
    <message>
        <source>Factory Reset Completed, Please Restart The Machine</source>
        <translation>Factory Reset Completed, Please Restart The Machine</translation>
    </message>
    <message>
        <source>ReBuild Test Pattern Data.</source>
        <translation>ReBuild Test Pattern Data.</translation>
    </message>
    <message>
        <source>Upgrade Eth Output Video</source>
        <translation>Upgrade Eth Output Video</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Status Info</source>
        <translation>Status Info</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>Schedule &amp; Task</source>
        <translation>Schedule &amp; Task</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>Factory Reset</translation>
    </message>
    <message>
        <source>Mosaic Mode</source>
        <translation>Mosaic Mode</translation>
    </message>
    <message>
        <source>Backup Mode</source>
        <translation>Backup Mode</translation>
    </message>
    <message>
        <source>FreeRun</source>
        <translation>FreeRun</translation>
    </message>
    <message>
        <source>Lock To Layer1</source>
        <translation>Lock To Layer1</translation>
    </message>
    <message>
        <source>Genlock</source>
        <translation>Genlock</translation>
    </message>
    <message>
        <source>打开工程</source>
        <translation>Open Project</translation>
    </message>
    <message>
        <source>保存工程</source>
        <translation>Save Project</translation>
    </message>
    <message>
        <source>Get Destination Data</source>
        <translation>Get Destination Data</translation>
    </message>
    <message>
        <source> Send Data To Destination</source>
        <translation> Send Data To Destination</translation>
    </message>
    <message>
        <source>Rebuild Test Pattern </source>
        <translation>Rebuild Test Pattern </translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Upgrade</translation>
    </message>
    <message>
        <source>Working Mode</source>
        <translation>Working Mode</translation>
    </message>
    <message>
        <source>Sync Lock Setting</source>
        <translation>Sync Lock Setting</translation>
    </message>
    <message>
        <source>语言/language</source>
        <translation>Language/语言</translation>
    </message>
    <message>
        <source>文件设置</source>
        <translation>Project Files</translation>
    </message>
    <message>
        <source>HDMI Switcher</source>
        <translation>HDMI Switcher</translation>
    </message>
    <message>
        <source>DP Switcher Mode</source>
        <translation>DP Switcher Mode</translation>
    </message>
    <message>
        <source>Switcher Mode</source>
        <translation>Switcher Mode</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>Config Files (*.gz)</source>
        <translation>Config Files (*.gz)</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>Factory Reset?</source>
        <translation>Factory Reset?</translation>
    </message>
    <message>
        <source>Get Destination Data?</source>
        <translation>Get Destination Data?</translation>
    </message>
    <message>
        <source>Send To Destination Data?</source>
        <translation>Send To Destination Data?</translation>
    </message>
    <message>
        <source>Config Files (*.KPrj)</source>
        <translation>Config Files (*.KPrj)</translation>
    </message>
    <message>
        <source>save as</source>
        <translation>save as</translation>
    </message>
    <message>
        <source>Save Project Failed!</source>
        <translation>Save Project Failed!</translation>
    </message>
    <message>
        <source>Open Project Failed!</source>
        <translation>Open Project Failed!</translation>
    </message>
</context>
<context>
    <name>OpParamSet</name>
    <message>
        <source>色彩空间</source>
        <translation>Color Space</translation>
    </message>
    <message>
        <source>颜色位深</source>
        <translation>Color Depth</translation>
    </message>
    <message>
        <source>RGB色彩范围</source>
        <translation>RGB Range</translation>
    </message>
    <message>
        <source>HDR</source>
        <translation>HDR</translation>
    </message>
    <message>
        <source>DVI/HDMI</source>
        <translation>DVI/HDMI</translation>
    </message>
    <message>
        <source>输出端口</source>
        <translation>Output Port</translation>
    </message>
    <message>
        <source>RGB444</source>
        <translation>RGB444</translation>
    </message>
    <message>
        <source>YUV444</source>
        <translation>YUV444</translation>
    </message>
    <message>
        <source>8 BIT</source>
        <translation>8 BIT</translation>
    </message>
    <message>
        <source>10 BIT</source>
        <translation>10 BIT</translation>
    </message>
    <message>
        <source>Limited</source>
        <translation>Limited</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Full</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>DVI</source>
        <translation>DVI</translation>
    </message>
    <message>
        <source>HDMI</source>
        <translation>HDMI</translation>
    </message>
    <message>
        <source>Switch Output Mode</source>
        <translation>Switch Output Mode</translation>
    </message>
    <message>
        <source>Switch Output Mode Timeout</source>
        <translation>Switch Output Mode Timeout</translation>
    </message>
    <message>
        <source>Switch Work Mode...</source>
        <translation>Switch Work Mode...</translation>
    </message>
    <message>
        <source>Switch Work Mode Timeout</source>
        <translation>Switch Work Mode Timeout</translation>
    </message>
    <message>
        <source>HDMI Switcher</source>
        <translation>HDMI Switcher</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>输出模式</source>
        <translation>Output Mode</translation>
    </message>
    <message>
        <source>输出分辨率</source>
        <translation>Output Resolution</translation>
    </message>
    <message>
        <source>HDMI 设置</source>
        <translation>HDMI Settings</translation>
    </message>
    <message>
        <source>水平排布</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>垂直排布</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>田字排布</source>
        <translation>2 x 2</translation>
    </message>
    <message>
        <source>Mosaic Mode</source>
        <translation>Mosaic Mode</translation>
    </message>
    <message>
        <source>Backup Mode</source>
        <translation>Backup Mode</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Mosaic Parameters</source>
        <translation>Mosaic Parameters</translation>
    </message>
    <message>
        <source>Output Window</source>
        <translation>Output Window</translation>
    </message>
    <message>
        <source>Hpos</source>
        <translation>Hpos</translation>
    </message>
    <message>
        <source>Vpos</source>
        <translation>Vpos</translation>
    </message>
    <message>
        <source>Hact</source>
        <translation>Hact</translation>
    </message>
    <message>
        <source>Vact</source>
        <translation>Vact</translation>
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
        <source>Output Window Exceed Output Resolution.</source>
        <translation>Output Window Exceed Output Resolution.</translation>
    </message>
    <message>
        <source>DP Switcher Mode</source>
        <translation>DP Switcher Mode</translation>
    </message>
    <message>
        <source>DP</source>
        <translation>DP</translation>
    </message>
    <message>
        <source>Switcher Mode</source>
        <translation>Switcher Mode</translation>
    </message>
</context>
<context>
    <name>OutputResoDlg</name>
    <message>
        <source>Hact</source>
        <translation>Hact</translation>
    </message>
    <message>
        <source>Vact</source>
        <translation>Vact</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>H tot</source>
        <translation>H tot</translation>
    </message>
    <message>
        <source>V tot</source>
        <translation>V tot</translation>
    </message>
    <message>
        <source>H Sync</source>
        <translation>H Sync</translation>
    </message>
    <message>
        <source>V Sync</source>
        <translation>V Sync</translation>
    </message>
    <message>
        <source>Hbp</source>
        <translation>Hbp</translation>
    </message>
    <message>
        <source>Vbp</source>
        <translation>Vbp</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>自定义分辨率</source>
        <translation>Custom Resolution</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>Advance</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Custom Reso.</source>
        <translation>Custom Reso.</translation>
    </message>
</context>
<context>
    <name>PresetDlg</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Load Preset</source>
        <translation>Load Preset</translation>
    </message>
    <message>
        <source>Save Preset</source>
        <translation>Save Preset</translation>
    </message>
    <message>
        <source>Preset Srouce</source>
        <translation>Preset Srouce</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Clear All Presets</source>
        <translation>Clear All Presets</translation>
    </message>
    <message>
        <source>Clear Preset</source>
        <translation>Clear Preset</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>Save Preset?</source>
        <translation>Save Preset?</translation>
    </message>
    <message>
        <source>Clear All Presets?</source>
        <translation>Clear All Presets?</translation>
    </message>
    <message>
        <source>Clear The Preset?</source>
        <translation>Clear The Preset?</translation>
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
        <translation>Form</translation>
    </message>
    <message>
        <source>Task Select</source>
        <translation>Task Select</translation>
    </message>
    <message>
        <source>Schedule Status</source>
        <translation>Schedule Status</translation>
    </message>
    <message>
        <source>Task Config</source>
        <translation>Task Config</translation>
    </message>
    <message>
        <source>Preset Select</source>
        <translation>Preset Select</translation>
    </message>
    <message>
        <source>频率</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>Clear Tasks</source>
        <translation>Clear Tasks</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Skip</translation>
    </message>
    <message>
        <source>Only Once</source>
        <translation>Only Once</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>Every Day</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>en_US</source>
        <comment>locale name of the calendar&apos;s month and day names</comment>
        <translation>en_US</translation>
    </message>
</context>
<context>
    <name>StatusInfoDlg</name>
    <message>
        <source>Electrical state</source>
        <translation>Electrical state</translation>
    </message>
</context>
</TS>
