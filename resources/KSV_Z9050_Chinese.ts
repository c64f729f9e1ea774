<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
        <translation>窗口</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Pure Red</source>
        <translation>纯红</translation>
    </message>
    <message>
        <source>Pure Green</source>
        <translation>纯绿</translation>
    </message>
    <message>
        <source>Pure Blue</source>
        <translation>纯蓝</translation>
    </message>
    <message>
        <source>Red Screen Matting</source>
        <translation>红幕抠像</translation>
    </message>
    <message>
        <source>Green Screen Matting</source>
        <translation>绿幕抠像</translation>
    </message>
    <message>
        <source>Blue Screen Matting</source>
        <translation>蓝幕抠像</translation>
    </message>
    <message>
        <source>Red On Black</source>
        <translation>黑底红色</translation>
    </message>
    <message>
        <source>Green On Black</source>
        <translation>黑底绿色</translation>
    </message>
    <message>
        <source>Blue On Black</source>
        <translation>黑底蓝色</translation>
    </message>
    <message>
        <source>Red On White</source>
        <translation>白底红色</translation>
    </message>
    <message>
        <source>Green On White</source>
        <translation>白底绿色</translation>
    </message>
    <message>
        <source>Blue On White</source>
        <translation>白底蓝色</translation>
    </message>
    <message>
        <source>Black On White</source>
        <translation>白底黑色</translation>
    </message>
    <message>
        <source>White On Black</source>
        <translation>黑底白色</translation>
    </message>
</context>
<context>
    <name>ColorManagementDlg</name>
    <message>
        <source>Disable</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Low Gray</source>
        <translation>低灰</translation>
    </message>
    <message>
        <source>Suppress Red</source>
        <translation>抑制红色</translation>
    </message>
    <message>
        <source>Enhance Blue</source>
        <translation>增强蓝色</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>鲜艳</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>伽马</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Color Management</source>
        <translation>色彩管理</translation>
    </message>
</context>
<context>
    <name>CustomMsgBox</name>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>DestinationDlg</name>
    <message>
        <source>Search Destinations</source>
        <translation>搜索设备</translation>
    </message>
    <message>
        <source>All Destinations</source>
        <translation>所有设备</translation>
    </message>
    <message>
        <source>MACHINEPAGE-%1</source>
        <translation>设备组-%1</translation>
    </message>
    <message>
        <source>Search Machine...</source>
        <translation>正在搜索设备...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>EdidDlg</name>
    <message>
        <source>Form</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Edid Config</source>
        <translation>EDID 设置</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>高级</translation>
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
        <translation>重置</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>高级</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
</context>
<context>
    <name>HDMIRGBColorDlg</name>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Limited</source>
        <translation>有限范围</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>全范围</translation>
    </message>
</context>
<context>
    <name>ImageCrop</name>
    <message>
        <source>Form</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Crop Setting</source>
        <translation>裁剪设置</translation>
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
        <translation>匹配输入</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
</context>
<context>
    <name>InputSrcCell</name>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
</context>
<context>
    <name>InputSrcSetDlg</name>
    <message>
        <source>Input %1</source>
        <translation>输入 %1</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>DVI Image Crop</source>
        <translation>DVI 图像裁剪</translation>
    </message>
    <message>
        <source>DP Image Crop</source>
        <translation>DP 图像裁剪</translation>
    </message>
    <message>
        <source>SDI Image Crop</source>
        <translation>SDI 图像裁剪</translation>
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
        <translation>SDI 不支持 EDID</translation>
    </message>
    <message>
        <source>HDMI RGB Color Range</source>
        <translation>HDMI RGB 色彩范围</translation>
    </message>
    <message>
        <source>Tile %1</source>
        <translation>拼接源 %1</translation>
    </message>
    <message>
        <source>Image Crop</source>
        <translation>图像裁剪</translation>
    </message>
    <message>
        <source>EDID</source>
        <translation>EDID</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
</context>
<context>
    <name>KSV_LayerGroupDlg</name>
    <message>
        <source>Form</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>组</translation>
    </message>
    <message>
        <source>Fade In</source>
        <translation>淡入</translation>
    </message>
    <message>
        <source>Fade Out</source>
        <translation>淡出</translation>
    </message>
</context>
<context>
    <name>KSV_OpSetDlg</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
</context>
<context>
    <name>KSV_PicSetDlg</name>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Reset All Layers Parameters?</source>
        <translation>重置所有图层的参数？</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Reset Layer Param</source>
        <translation>重置图层参数</translation>
    </message>
    <message>
        <source>BrightLevel</source>
        <translation>亮度等级</translation>
    </message>
</context>
<context>
    <name>KSV_ShowVideoDlg</name>
    <message>
        <source>Show Output</source>
        <translation>输出预览</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>窗口</translation>
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
        <translation>连接</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>超时</translation>
    </message>
    <message>
        <source>切换画质</source>
        <translation>切换画质</translation>
    </message>
</context>
<context>
    <name>LayerPicSetTabDlg</name>
    <message>
        <source>Form</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Color Temperature Setting</source>
        <translation>色温设置</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>色温</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>Contranst</source>
        <translation>对比度</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>饱和度</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红色</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿色</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>自定义</translation>
    </message>
</context>
<context>
    <name>LayerSettingDlg</name>
    <message>
        <source>Resource Constraints</source>
        <translation>资源受限</translation>
    </message>
    <message>
        <source>Layer Can&apos;t Be Applied To Output Windows</source>
        <translation>图层无法应用到输出窗口</translation>
    </message>
    <message>
        <source>Layer Input Srouce Settings Cannot Be Applied.</source>
        <translation>无法应用图层的输入源设置。</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>LOGO Is Not Exist</source>
        <translation>LOGO 不存在</translation>
    </message>
    <message>
        <source>Current Work Mode LOGO Is Not Exist</source>
        <translation>当前工作模式的 LOGO 不存在</translation>
    </message>
    <message>
        <source>Cannot Open Logo</source>
        <translation>无法打开 LOGO</translation>
    </message>
    <message>
        <source>Logo Size Exceed Output Resolution.</source>
        <translation>LOGO 尺寸超出输出分辨率。</translation>
    </message>
    <message>
        <source>Logo Size Exceed Layer Restrict Size.</source>
        <translation>LOGO 尺寸超出图层的尺寸限制。</translation>
    </message>
    <message>
        <source>Auto Backup Is On,Can&apos;t Do Multi-Take Action.</source>
        <translation>自动备份已开启，无法执行多图层切换。</translation>
    </message>
    <message>
        <source>Take Action...</source>
        <translation>正在切换...</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Layer Setting</source>
        <translation>图层设置</translation>
    </message>
    <message>
        <source>图层属性</source>
        <translation>图层属性</translation>
    </message>
    <message>
        <source>旋转</source>
        <translation>旋转</translation>
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
        <translation>输入:</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>冻结</translation>
    </message>
    <message>
        <source>Auto Backup</source>
        <translation>自动备份</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Color Keyer</source>
        <translation>色键</translation>
    </message>
    <message>
        <source>Zoom Setting</source>
        <translation>缩放设置</translation>
    </message>
    <message>
        <source>Take</source>
        <translation>切换</translation>
    </message>
    <message>
        <source>Fade In</source>
        <translation>淡入</translation>
    </message>
    <message>
        <source>Fade Out</source>
        <translation>淡出</translation>
    </message>
    <message>
        <source>Layer Group</source>
        <translation>图层组</translation>
    </message>
    <message>
        <source>Alpha</source>
        <translation>透明度</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>时长</translation>
    </message>
    <message>
        <source>Input </source>
        <translation>输入 </translation>
    </message>
    <message>
        <source>Tile </source>
        <translation>拼接源 </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>LayerZoomDlg</name>
    <message>
        <source>Form</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Zoom Setting</source>
        <translation>缩放设置</translation>
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
        <translation>重置</translation>
    </message>
    <message>
        <source>Match To Input</source>
        <translation>匹配输入</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
</context>
<context>
    <name>LogoSettingDlg</name>
    <message>
        <source>Form</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>加载</translation>
    </message>
    <message>
        <source>LOGO Setting</source>
        <translation>LOGO 设置</translation>
    </message>
    <message>
        <source>Layer 1</source>
        <translation>图层 1</translation>
    </message>
    <message>
        <source>Layer 2</source>
        <translation>图层 2</translation>
    </message>
    <message>
        <source>Layer 3</source>
        <translation>图层 3</translation>
    </message>
    <message>
        <source>Layer 4</source>
        <translation>图层 4</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预监</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>主监</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Mosaic Mode</source>
        <translation>拼接模式</translation>
    </message>
    <message>
        <source>HDMI Switcher</source>
        <translation>HDMI 切换器</translation>
    </message>
    <message>
        <source>Backup Mode</source>
        <translation>备份模式</translation>
    </message>
    <message>
        <source>LOGO  None  </source>
        <translation>LOGO  无  </translation>
    </message>
    <message>
        <source>LOGO  Saved  </source>
        <translation>LOGO  已保存  </translation>
    </message>
    <message>
        <source>LOGO  Loaded  </source>
        <translation>LOGO  已加载  </translation>
    </message>
    <message>
        <source>Logo Saving</source>
        <translation>正在保存 LOGO</translation>
    </message>
    <message>
        <source>Logo Loading</source>
        <translation>正在加载 LOGO</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Layer Roation Is On,Can&apos;t Save Logo.</source>
        <translation>图层旋转已开启，无法保存 LOGO。</translation>
    </message>
</context>
<context>
    <name>MachinePageDlg</name>
    <message>
        <source>Inquire Machine Data Timeout.</source>
        <translation>读取设备数据超时。</translation>
    </message>
    <message>
        <source>Inquire Machine Data.</source>
        <translation>读取设备数据。</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Inquire The Machine Data?</source>
        <translation>读取设备数据？</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>图像设置</source>
        <translation>图像设置</translation>
    </message>
    <message>
        <source>输出设置</source>
        <translation>输出设置</translation>
    </message>
    <message>
        <source>输入设置</source>
        <translation>输入设置</translation>
    </message>
    <message>
        <source>模式</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>预设</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>通讯设置</source>
        <translation>通讯设置</translation>
    </message>
    <message>
        <source>Misc</source>
        <translation>系统设置</translation>
    </message>
    <message>
        <source>PICTURE</source>
        <translation>图像</translation>
    </message>
    <message>
        <source>OUTPUT</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>INPUT</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>LAYERS</source>
        <translation>图层</translation>
    </message>
    <message>
        <source>SAVE/LOAD</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>COMM.</source>
        <translation>通讯</translation>
    </message>
    <message>
        <source>MISC.</source>
        <translation>系统</translation>
    </message>
    <message>
        <source>Mosaic Mode</source>
        <translation>拼接模式</translation>
    </message>
    <message>
        <source>Backup Mode</source>
        <translation>备份模式</translation>
    </message>
    <message>
        <source>HDMI Switcher</source>
        <translation>HDMI 切换器</translation>
    </message>
    <message>
        <source>DP Switcher Mode</source>
        <translation>DP 切换模式</translation>
    </message>
    <message>
        <source>Switcher Mode</source>
        <translation>切换模式</translation>
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
        <translation>提示</translation>
    </message>
    <message>
        <source>Exit System?</source>
        <translation>退出系统？</translation>
    </message>
</context>
<context>
    <name>MiscDlg</name>
    <message>
        <source>Eth Output</source>
        <translation>网络输出</translation>
    </message>
    <message>
        <source>Inquire Machine Data.</source>
        <translation>读取设备数据。</translation>
    </message>
    <message>
        <source>Inquire Machine Data Timeout.</source>
        <translation>读取设备数据超时。</translation>
    </message>
    <message>
        <source>Please Select the correct File</source>
        <translation>请选择正确的文件</translation>
    </message>
    <message>
        <source>Can not connect the video board</source>
        <translation>无法连接视频板</translation>
    </message>
    <message>
        <source>Upgrade File is not exist</source>
        <translation>升级文件不存在</translation>
    </message>
    <message>
        <source>Update successed. Restart machine</source>
        <translation>升级成功，请重启设备</translation>
    </message>
    <message>
        <source>Test Pattern</source>
        <translation>测试图</translation>
    </message>
    <message>
        <source>Switch Work Mode...</source>
        <translation>正在切换工作模式...</translation>
    </message>
    <message>
        <source>Switch Work Mode Timeout</source>
        <translation>切换工作模式超时</translation>
    </message>
    <message>
        <source>Reset Factory...</source>
        <translation>正在恢复出厂设置...</translation>
    </message>
    <message>
        <source>Factory Reset Completed, Please Restart The Machine</source>
        <translation>已恢复出厂设置，请重启设备</translation>
    </message>
    <message>
        <source>ReBuild Test Pattern Data.</source>
        <translation>正在重建测试图数据。</translation>
    </message>
    <message>
        <source>Upgrade Eth Output Video</source>
        <translation>正在升级网络输出视频板</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Status Info</source>
        <translation>状态信息</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>LOGO</translation>
    </message>
    <message>
        <source>Schedule &amp; Task</source>
        <translation>定时任务</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>恢复出厂设置</translation>
    </message>
    <message>
        <source>Mosaic Mode</source>
        <translation>拼接模式</translation>
    </message>
    <message>
        <source>Backup Mode</source>
        <translation>备份模式</translation>
    </message>
    <message>
        <source>FreeRun</source>
        <translation>自由运行</translation>
    </message>
    <message>
        <source>Lock To Layer1</source>
        <translation>锁定图层1</translation>
    </message>
    <message>
        <source>Genlock</source>
        <translation>外同步</translation>
    </message>
    <message>
        <source>打开工程</source>
        <translation>打开工程</translation>
    </message>
    <message>
        <source>保存工程</source>
        <translation>保存工程</translation>
    </message>
    <message>
        <source>Get Destination Data</source>
        <translation>读取设备数据</translation>
    </message>
    <message>
        <source> Send Data To Destination</source>
        <translation> 发送数据到设备</translation>
    </message>
    <message>
        <source>Rebuild Test Pattern </source>
        <translation>重建测试图 </translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>升级</translation>
    </message>
    <message>
        <source>Working Mode</source>
        <translation>工作模式</translation>
    </message>
    <message>
        <source>Sync Lock Setting</source>
        <translation>同步锁定设置</translation>
    </message>
    <message>
        <source>语言/language</source>
        <translation>语言/Language</translation>
    </message>
    <message>
        <source>文件设置</source>
        <translation>文件设置</translation>
    </message>
    <message>
        <source>HDMI Switcher</source>
        <translation>HDMI 切换器</translation>
    </message>
    <message>
        <source>DP Switcher Mode</source>
        <translation>DP 切换模式</translation>
    </message>
    <message>
        <source>Switcher Mode</source>
        <translation>切换模式</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Config Files (*.gz)</source>
        <translation>升级文件 (*.gz)</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Factory Reset?</source>
        <translation>恢复出厂设置？</translation>
    </message>
    <message>
        <source>Get Destination Data?</source>
        <translation>读取设备数据？</translation>
    </message>
    <message>
        <source>Send To Destination Data?</source>
        <translation>发送数据到设备？</translation>
    </message>
    <message>
        <source>Config Files (*.KPrj)</source>
        <translation>工程文件 (*.KPrj)</translation>
    </message>
    <message>
        <source>save as</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Save Project Failed!</source>
        <translation>保存工程失败！</translation>
    </message>
    <message>
        <source>Open Project Failed!</source>
        <translation>打开工程失败！</translation>
    </message>
</context>
<context>
    <name>OpParamSet</name>
    <message>
        <source>色彩空间</source>
        <translation>色彩空间</translation>
    </message>
    <message>
        <source>颜色位深</source>
        <translation>颜色位深</translation>
    </message>
    <message>
        <source>RGB色彩范围</source>
        <translation>RGB色彩范围</translation>
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
        <translation>输出端口</translation>
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
        <translation>有限范围</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>全范围</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
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
        <translation>正在切换输出模式</translation>
    </message>
    <message>
        <source>Switch Output Mode Timeout</source>
        <translation>切换输出模式超时</translation>
    </message>
    <message>
        <source>Switch Work Mode...</source>
        <translation>正在切换工作模式...</translation>
    </message>
    <message>
        <source>Switch Work Mode Timeout</source>
        <translation>切换工作模式超时</translation>
    </message>
    <message>
        <source>HDMI Switcher</source>
        <translation>HDMI 切换器</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>输出模式</source>
        <translation>输出模式</translation>
    </message>
    <message>
        <source>输出分辨率</source>
        <translation>输出分辨率</translation>
    </message>
    <message>
        <source>HDMI 设置</source>
        <translation>HDMI 设置</translation>
    </message>
    <message>
        <source>水平排布</source>
        <translation>水平排布</translation>
    </message>
    <message>
        <source>垂直排布</source>
        <translation>垂直排布</translation>
    </message>
    <message>
        <source>田字排布</source>
        <translation>田字排布</translation>
    </message>
    <message>
        <source>Mosaic Mode</source>
        <translation>拼接模式</translation>
    </message>
    <message>
        <source>Backup Mode</source>
        <translation>备份模式</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Mosaic Parameters</source>
        <translation>拼接参数</translation>
    </message>
    <message>
        <source>Output Window</source>
        <translation>输出窗口</translation>
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
        <translation>取消</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Output Window Exceed Output Resolution.</source>
        <translation>输出窗口超出输出分辨率。</translation>
    </message>
    <message>
        <source>DP Switcher Mode</source>
        <translation>DP 切换模式</translation>
    </message>
    <message>
        <source>DP</source>
        <translation>DP</translation>
    </message>
    <message>
        <source>Switcher Mode</source>
        <translation>切换模式</translation>
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
        <translation>窗口</translation>
    </message>
    <message>
        <source>自定义分辨率</source>
        <translation>自定义分辨率</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>高级</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Custom Reso.</source>
        <translation>自定义分辨率</translation>
    </message>
</context>
<context>
    <name>PresetDlg</name>
    <message>
        <source>Form</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Load Preset</source>
        <translation>调用预设</translation>
    </message>
    <message>
        <source>Save Preset</source>
        <translation>保存预设</translation>
    </message>
    <message>
        <source>Preset Srouce</source>
        <translation>预设源</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预监</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>主监</translation>
    </message>
    <message>
        <source>Clear All Presets</source>
        <translation>清除所有预设</translation>
    </message>
    <message>
        <source>Clear Preset</source>
        <translation>清除预设</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Save Preset?</source>
        <translation>保存预设？</translation>
    </message>
    <message>
        <source>Clear All Presets?</source>
        <translation>清除所有预设？</translation>
    </message>
    <message>
        <source>Clear The Preset?</source>
        <translation>清除此预设？</translation>
    </message>
</context>
<context>
    <name>ProgressHelper</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
</context>
<context>
    <name>ScheduleTaskDlg</name>
    <message>
        <source>Form</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Task Select</source>
        <translation>任务选择</translation>
    </message>
    <message>
        <source>Schedule Status</source>
        <translation>计划状态</translation>
    </message>
    <message>
        <source>Task Config</source>
        <translation>任务配置</translation>
    </message>
    <message>
        <source>Preset Select</source>
        <translation>预设选择</translation>
    </message>
    <message>
        <source>频率</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>Clear Tasks</source>
        <translation>清除任务</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>运行</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>跳过</translation>
    </message>
    <message>
        <source>Only Once</source>
        <translation>仅一次</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>每天</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>周期</translation>
    </message>
    <message>
        <source>en_US</source>
        <comment>locale name of the calendar&apos;s month and day names</comment>
        <translation>zh_CN</translation>
    </message>
</context>
<context>
    <name>StatusInfoDlg</name>
    <message>
        <source>Electrical state</source>
        <translation>电气状态</translation>
    </message>
</context>
</TS>
