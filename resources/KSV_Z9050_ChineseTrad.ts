<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
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
        <translation>視窗</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>設置</translation>
    </message>
    <message>
        <source>Pure Red</source>
        <translation>純紅</translation>
    </message>
    <message>
        <source>Pure Green</source>
        <translation>純綠</translation>
    </message>
    <message>
        <source>Pure Blue</source>
        <translation>純藍</translation>
    </message>
    <message>
        <source>Red Screen Matting</source>
        <translation>紅幕摳像</translation>
    </message>
    <message>
        <source>Green Screen Matting</source>
        <translation>綠幕摳像</translation>
    </message>
    <message>
        <source>Blue Screen Matting</source>
        <translation>藍幕摳像</translation>
    </message>
    <message>
        <source>Red On Black</source>
        <translation>黑底紅色</translation>
    </message>
    <message>
        <source>Green On Black</source>
        <translation>黑底綠色</translation>
    </message>
    <message>
        <source>Blue On Black</source>
        <translation>黑底藍色</translation>
    </message>
    <message>
        <source>Red On White</source>
        <translation>白底紅色</translation>
    </message>
    <message>
        <source>Green On White</source>
        <translation>白底綠色</translation>
    </message>
    <message>
        <source>Blue On White</source>
        <translation>白底藍色</translation>
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
        <translation>關閉</translation>
    </message>
    <message>
        <source>Low Gray</source>
        <translation>低灰</translation>
    </message>
    <message>
        <source>Suppress Red</source>
        <translation>抑制紅色</translation>
    </message>
    <message>
        <source>Enhance Blue</source>
        <translation>增強藍色</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>鮮豔</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>伽馬</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>視窗</translation>
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
        <translation>確定</translation>
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
        <translation>搜索設備</translation>
    </message>
    <message>
        <source>All Destinations</source>
        <translation>所有設備</translation>
    </message>
    <message>
        <source>MACHINEPAGE-%1</source>
        <translation>設備組-%1</translation>
    </message>
    <message>
        <source>Search Machine...</source>
        <translation>正在搜索設備...</translation>
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
        <translation>視窗</translation>
    </message>
    <message>
        <source>Edid Config</source>
        <translation>EDID 設置</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>高級</translation>
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
        <translation>應用</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>高級</translation>
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
        <translation>自動</translation>
    </message>
    <message>
        <source>Limited</source>
        <translation>有限範圍</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>全範圍</translation>
    </message>
</context>
<context>
    <name>ImageCrop</name>
    <message>
        <source>Form</source>
        <translation>視窗</translation>
    </message>
    <message>
        <source>Crop Setting</source>
        <translation>裁剪設置</translation>
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
        <translation>匹配輸入</translation>
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
        <translation>應用</translation>
    </message>
</context>
<context>
    <name>InputSrcSetDlg</name>
    <message>
        <source>Input %1</source>
        <translation>輸入 %1</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>視窗</translation>
    </message>
    <message>
        <source>DVI Image Crop</source>
        <translation>DVI 圖像裁剪</translation>
    </message>
    <message>
        <source>DP Image Crop</source>
        <translation>DP 圖像裁剪</translation>
    </message>
    <message>
        <source>SDI Image Crop</source>
        <translation>SDI 圖像裁剪</translation>
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
        <translation>HDMI RGB 色彩範圍</translation>
    </message>
    <message>
        <source>Tile %1</source>
        <translation>拼接源 %1</translation>
    </message>
    <message>
        <source>Image Crop</source>
        <translation>圖像裁剪</translation>
    </message>
    <message>
        <source>EDID</source>
        <translation>EDID</translation>
    </message>
    <message>
        <source>None</source>
        <translation>無</translation>
    </message>
</context>
<context>
    <name>KSV_LayerGroupDlg</name>
    <message>
        <source>Form</source>
        <translation>視窗</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>組</translation>
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
        <translation>對話框</translation>
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
        <translation>重置所有圖層的參數？</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>對話框</translation>
    </message>
    <message>
        <source>Reset Layer Param</source>
        <translation>重置圖層參數</translation>
    </message>
    <message>
        <source>BrightLevel</source>
        <translation>亮度等級</translation>
    </message>
</context>
<context>
    <name>KSV_ShowVideoDlg</name>
    <message>
        <source>Show Output</source>
        <translation>輸出預覽</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>視窗</translation>
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
        <translation>1080P 藍光</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>連接</translation>
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
        <translation>逾時</translation>
    </message>
    <message>
        <source>切换画质</source>
        <translation>切換畫質</translation>
    </message>
</context>
<context>
    <name>LayerPicSetTabDlg</name>
    <message>
        <source>Form</source>
        <translation>視窗</translation>
    </message>
    <message>
        <source>Color Temperature Setting</source>
        <translation>色溫設置</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>色溫</translation>
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
        <translation>對比度</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>飽和度</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>紅色</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>綠色</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>藍色</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>自定義</translation>
    </message>
</context>
<context>
    <name>LayerSettingDlg</name>
    <message>
        <source>Resource Constraints</source>
        <translation>資源受限</translation>
    </message>
    <message>
        <source>Layer Can&apos;t Be Applied To Output Windows</source>
        <translation>圖層無法應用到輸出窗口</translation>
    </message>
    <message>
        <source>Layer Input Srouce Settings Cannot Be Applied.</source>
        <translation>無法應用圖層的輸入源設置。</translation>
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
        <translation>當前工作模式的 LOGO 不存在</translation>
    </message>
    <message>
        <source>Cannot Open Logo</source>
        <translation>無法打開 LOGO</translation>
    </message>
    <message>
        <source>Logo Size Exceed Output Resolution.</source>
        <translation>LOGO 尺寸超出輸出分辨率。</translation>
    </message>
    <message>
        <source>Logo Size Exceed Layer Restrict Size.</source>
        <translation>LOGO 尺寸超出圖層的尺寸限制。</translation>
    </message>
    <message>
        <source>Auto Backup Is On,Can&apos;t Do Multi-Take Action.</source>
        <translation>自動備份已開啟，無法執行多圖層切換。</translation>
    </message>
    <message>
        <source>Take Action...</source>
        <translation>正在切換...</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>視窗</translation>
    </message>
    <message>
        <source>Layer Setting</source>
        <translation>圖層設置</translation>
    </message>
    <message>
        <source>图层属性</source>
        <translation>圖層屬性</translation>
    </message>
    <message>
        <source>旋转</source>
        <translation>旋轉</translation>
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
        <translation>輸入:</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>凍結</translation>
    </message>
    <message>
        <source>Auto Backup</source>
        <translation>自動備份</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Color Keyer</source>
        <translation>色鍵</translation>
    </message>
    <message>
        <source>Zoom Setting</source>
        <translation>縮放設置</translation>
    </message>
    <message>
        <source>Take</source>
        <translation>切換</translation>
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
        <translation>圖層組</translation>
    </message>
    <message>
        <source>Alpha</source>
        <translation>透明度</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>時長</translation>
    </message>
    <message>
        <source>Input </source>
        <translation>輸入 </translation>
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
        <translation>視窗</translation>
    </message>
    <message>
        <source>Zoom Setting</source>
        <translation>縮放設置</translation>
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
        <translation>匹配輸入</translation>
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
        <translation>視窗</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>加載</translation>
    </message>
    <message>
        <source>LOGO Setting</source>
        <translation>LOGO 設置</translation>
    </message>
    <message>
        <source>Layer 1</source>
        <translation>圖層 1</translation>
    </message>
    <message>
        <source>Layer 2</source>
        <translation>圖層 2</translation>
    </message>
    <message>
        <source>Layer 3</source>
        <translation>圖層 3</translation>
    </message>
    <message>
        <source>Layer 4</source>
        <translation>圖層 4</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>預監</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>主監</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
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
        <translation>HDMI 切換器</translation>
    </message>
    <message>
        <source>Backup Mode</source>
        <translation>備份模式</translation>
    </message>
    <message>
        <source>LOGO  None  </source>
        <translation>LOGO  無  </translation>
    </message>
    <message>
        <source>LOGO  Saved  </source>
        <translation>LOGO  已保存  </translation>
    </message>
    <message>
        <source>LOGO  Loaded  </source>
        <translation>LOGO  已加載  </translation>
    </message>
    <message>
        <source>Logo Saving</source>
        <translation>正在保存 LOGO</translation>
    </message>
    <message>
        <source>Logo Loading</source>
        <translation>正在加載 LOGO</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Layer Roation Is On,Can&apos;t Save Logo.</source>
        <translation>圖層旋轉已開啟，無法保存 LOGO。</translation>
    </message>
</context>
<context>
    <name>MachinePageDlg</name>
    <message>
        <source>Inquire Machine Data Timeout.</source>
        <translation>讀取設備數據超時。</translation>
    </message>
    <message>
        <source>Inquire Machine Data.</source>
        <translation>讀取設備數據。</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Inquire The Machine Data?</source>
        <translation>讀取設備數據？</translation>
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
        <translation>圖像設置</translation>
    </message>
    <message>
        <source>输出设置</source>
        <translation>輸出設置</translation>
    </message>
    <message>
        <source>输入设置</source>
        <translation>輸入設置</translation>
    </message>
    <message>
        <source>模式</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>预设</source>
        <translation>預設</translation>
    </message>
    <message>
        <source>通讯设置</source>
        <translation>通訊設置</translation>
    </message>
    <message>
        <source>Misc</source>
        <translation>系統設置</translation>
    </message>
    <message>
        <source>PICTURE</source>
        <translation>圖像</translation>
    </message>
    <message>
        <source>OUTPUT</source>
        <translation>輸出</translation>
    </message>
    <message>
        <source>INPUT</source>
        <translation>輸入</translation>
    </message>
    <message>
        <source>LAYERS</source>
        <translation>圖層</translation>
    </message>
    <message>
        <source>SAVE/LOAD</source>
        <translation>預設</translation>
    </message>
    <message>
        <source>COMM.</source>
        <translation>通訊</translation>
    </message>
    <message>
        <source>MISC.</source>
        <translation>系統</translation>
    </message>
    <message>
        <source>Mosaic Mode</source>
        <translation>拼接模式</translation>
    </message>
    <message>
        <source>Backup Mode</source>
        <translation>備份模式</translation>
    </message>
    <message>
        <source>HDMI Switcher</source>
        <translation>HDMI 切換器</translation>
    </message>
    <message>
        <source>DP Switcher Mode</source>
        <translation>DP 切換模式</translation>
    </message>
    <message>
        <source>Switcher Mode</source>
        <translation>切換模式</translation>
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
        <translation>退出系統？</translation>
    </message>
</context>
<context>
    <name>MiscDlg</name>
    <message>
        <source>Eth Output</source>
        <translation>網絡輸出</translation>
    </message>
    <message>
        <source>Inquire Machine Data.</source>
        <translation>讀取設備數據。</translation>
    </message>
    <message>
        <source>Inquire Machine Data Timeout.</source>
        <translation>讀取設備數據超時。</translation>
    </message>
    <message>
        <source>Please Select the correct File</source>
        <translation>請選擇正確的檔案</translation>
    </message>
    <message>
        <source>Can not connect the video board</source>
        <translation>無法連接視訊板</translation>
    </message>
    <message>
        <source>Upgrade File is not exist</source>
        <translation>升級檔案不存在</translation>
    </message>
    <message>
        <source>Update successed. Restart machine</source>
        <translation>升級成功，請重新啟動設備</translation>
    </message>
    <message>
        <source>Test Pattern</source>
        <translation>測試圖</translation>
    </message>
    <message>
        <source>Switch Work Mode...</source>
        <translation>正在切換工作模式...</translation>
    </message>
    <message>
        <source>Switch Work Mode Timeout</source>
        <translation>切換工作模式超時</translation>
    </message>
    <message>
        <source>Reset Factory...</source>
        <translation>正在恢復出廠設置...</translation>
    </message>
    <message>
        <source>Factory Reset Completed, Please Restart The Machine</source>
        <translation>已恢復出廠設置，請重新啟動設備</translation>
    </message>
    <message>
        <source>ReBuild Test Pattern Data.</source>
        <translation>正在重建測試圖數據。</translation>
    </message>
    <message>
        <source>Upgrade Eth Output Video</source>
        <translation>正在升級網絡輸出視訊板</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>視窗</translation>
    </message>
    <message>
        <source>Status Info</source>
        <translation>狀態信息</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>LOGO</translation>
    </message>
    <message>
        <source>Schedule &amp; Task</source>
        <translation>定時任務</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>恢復出廠設置</translation>
    </message>
    <message>
        <source>Mosaic Mode</source>
        <translation>拼接模式</translation>
    </message>
    <message>
        <source>Backup Mode</source>
        <translation>備份模式</translation>
    </message>
    <message>
        <source>FreeRun</source>
        <translation>自由運行</translation>
    </message>
    <message>
        <source>Lock To Layer1</source>
        <translation>鎖定圖層1</translation>
    </message>
    <message>
        <source>Genlock</source>
        <translation>外同步</translation>
    </message>
    <message>
        <source>打开工程</source>
        <translation>打開工程</translation>
    </message>
    <message>
        <source>保存工程</source>
        <translation>保存工程</translation>
    </message>
    <message>
        <source>Get Destination Data</source>
        <translation>讀取設備數據</translation>
    </message>
    <message>
        <source> Send Data To Destination</source>
        <translation> 發送數據到設備</translation>
    </message>
    <message>
        <source>Rebuild Test Pattern </source>
        <translation>重建測試圖 </translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>升級</translation>
    </message>
    <message>
        <source>Working Mode</source>
        <translation>工作模式</translation>
    </message>
    <message>
        <source>Sync Lock Setting</source>
        <translation>同步鎖定設置</translation>
    </message>
    <message>
        <source>语言/language</source>
        <translation>語言/Language</translation>
    </message>
    <message>
        <source>文件设置</source>
        <translation>檔案設置</translation>
    </message>
    <message>
        <source>HDMI Switcher</source>
        <translation>HDMI 切換器</translation>
    </message>
    <message>
        <source>DP Switcher Mode</source>
        <translation>DP 切換模式</translation>
    </message>
    <message>
        <source>Switcher Mode</source>
        <translation>切換模式</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>打開檔案</translation>
    </message>
    <message>
        <source>Config Files (*.gz)</source>
        <translation>升級檔案 (*.gz)</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Factory Reset?</source>
        <translation>恢復出廠設置？</translation>
    </message>
    <message>
        <source>Get Destination Data?</source>
        <translation>讀取設備數據？</translation>
    </message>
    <message>
        <source>Send To Destination Data?</source>
        <translation>發送數據到設備？</translation>
    </message>
    <message>
        <source>Config Files (*.KPrj)</source>
        <translation>工程檔案 (*.KPrj)</translation>
    </message>
    <message>
        <source>save as</source>
        <translation>另存為</translation>
    </message>
    <message>
        <source>Save Project Failed!</source>
        <translation>保存工程失敗！</translation>
    </message>
    <message>
        <source>Open Project Failed!</source>
        <translation>打開工程失敗！</translation>
    </message>
</context>
<context>
    <name>OpParamSet</name>
    <message>
        <source>色彩空间</source>
        <translation>色彩空間</translation>
    </message>
    <message>
        <source>颜色位深</source>
        <translation>顏色位深</translation>
    </message>
    <message>
        <source>RGB色彩范围</source>
        <translation>RGB色彩範圍</translation>
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
        <translation>輸出端口</translation>
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
        <translation>有限範圍</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>全範圍</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>開</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>關</translation>
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
        <translation>正在切換輸出模式</translation>
    </message>
    <message>
        <source>Switch Output Mode Timeout</source>
        <translation>切換輸出模式超時</translation>
    </message>
    <message>
        <source>Switch Work Mode...</source>
        <translation>正在切換工作模式...</translation>
    </message>
    <message>
        <source>Switch Work Mode Timeout</source>
        <translation>切換工作模式超時</translation>
    </message>
    <message>
        <source>HDMI Switcher</source>
        <translation>HDMI 切換器</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>視窗</translation>
    </message>
    <message>
        <source>输出模式</source>
        <translation>輸出模式</translation>
    </message>
    <message>
        <source>输出分辨率</source>
        <translation>輸出分辨率</translation>
    </message>
    <message>
        <source>HDMI 设置</source>
        <translation>HDMI 設置</translation>
    </message>
    <message>
        <source>水平排布</source>
        <translation>水平排佈</translation>
    </message>
    <message>
        <source>垂直排布</source>
        <translation>垂直排佈</translation>
    </message>
    <message>
        <source>田字排布</source>
        <translation>田字排佈</translation>
    </message>
    <message>
        <source>Mosaic Mode</source>
        <translation>拼接模式</translation>
    </message>
    <message>
        <source>Backup Mode</source>
        <translation>備份模式</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Mosaic Parameters</source>
        <translation>拼接參數</translation>
    </message>
    <message>
        <source>Output Window</source>
        <translation>輸出窗口</translation>
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
        <translation>輸出窗口超出輸出分辨率。</translation>
    </message>
    <message>
        <source>DP Switcher Mode</source>
        <translation>DP 切換模式</translation>
    </message>
    <message>
        <source>DP</source>
        <translation>DP</translation>
    </message>
    <message>
        <source>Switcher Mode</source>
        <translation>切換模式</translation>
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
        <translation>視窗</translation>
    </message>
    <message>
        <source>自定义分辨率</source>
        <translation>自定義分辨率</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>高級</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>設置</translation>
    </message>
    <message>
        <source>Custom Reso.</source>
        <translation>自定義分辨率</translation>
    </message>
</context>
<context>
    <name>PresetDlg</name>
    <message>
        <source>Form</source>
        <translation>視窗</translation>
    </message>
    <message>
        <source>Load Preset</source>
        <translation>調用預設</translation>
    </message>
    <message>
        <source>Save Preset</source>
        <translation>保存預設</translation>
    </message>
    <message>
        <source>Preset Srouce</source>
        <translation>預設源</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>預監</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>主監</translation>
    </message>
    <message>
        <source>Clear All Presets</source>
        <translation>清除所有預設</translation>
    </message>
    <message>
        <source>Clear Preset</source>
        <translation>清除預設</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Save Preset?</source>
        <translation>保存預設？</translation>
    </message>
    <message>
        <source>Clear All Presets?</source>
        <translation>清除所有預設？</translation>
    </message>
    <message>
        <source>Clear The Preset?</source>
        <translation>清除此預設？</translation>
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
        <translation>視窗</translation>
    </message>
    <message>
        <source>Task Select</source>
        <translation>任務選擇</translation>
    </message>
    <message>
        <source>Schedule Status</source>
        <translation>計劃狀態</translation>
    </message>
    <message>
        <source>Task Config</source>
        <translation>任務配置</translation>
    </message>
    <message>
        <source>Preset Select</source>
        <translation>預設選擇</translation>
    </message>
    <message>
        <source>频率</source>
        <translation>頻率</translation>
    </message>
    <message>
        <source>Clear Tasks</source>
        <translation>清除任務</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>運行</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>設置</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>跳過</translation>
    </message>
    <message>
        <source>Only Once</source>
        <translation>僅一次</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>每天</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>週期</translation>
    </message>
    <message>
        <source>en_US</source>
        <comment>locale name of the calendar&apos;s month and day names</comment>
        <translation>zh_TW</translation>
    </message>
</context>
<context>
    <name>StatusInfoDlg</name>
    <message>
        <source>Electrical state</source>
        <translation>電氣狀態</translation>
    </message>
</context>
</TS>
