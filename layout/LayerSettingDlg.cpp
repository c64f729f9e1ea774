#include "LayerSettingDlg.h"

#include "LayerPlacementRules.h"
#include "MiddleHandler.h"
#include "PageHelper.h"
#include "TakeControl.h"

LayerSettingDlg::LayerSettingDlg(QWidget* parent) : QWidget(parent) {}

LayerSettingDlg::~LayerSettingDlg() = default;

void LayerSettingDlg::QuickTake() {}
void LayerSettingDlg::SetInputEnable(int, bool) {}
void LayerSettingDlg::UpdateInputEntry(int, int) {}
bool LayerSettingDlg::IsRotationAvailable(int layer) const { return LayerPlacement::IsRotationAvailable(Page::CurrentRecord(), layer); }
bool LayerSettingDlg::ExceedsWindowResource(int layer, const QRect& rect) const { return LayerPlacement::ExceedsWindowResource(Page::CurrentRecord(), layer, rect); }
bool LayerSettingDlg::IsLayerSourceAllowed(int layer) const { return LayerPlacement::IsLayerSourceAllowed(Page::CurrentRecord(), layer); }
QRect LayerSettingDlg::OutputBoundingRect() const { return LayerPlacement::OutputBoundingRect(Page::CurrentRecord()); }
void LayerSettingDlg::StartTakeProgress() {}
void LayerSettingDlg::StopTakeProgress() {}
void LayerSettingDlg::changeEvent(QEvent* event) { QWidget::changeEvent(event); }
void LayerSettingDlg::On_SigMouseMoveLayerCell(QRect) {}
void LayerSettingDlg::On_SigLayerInputSrcChange(int, int, int) {}
void LayerSettingDlg::On_SigLayerCellOnOff(int, bool) {}
void LayerSettingDlg::On_SigOuputLayout() {}
void LayerSettingDlg::on_LayerOnOffBtn_clicked(bool) {}
void LayerSettingDlg::on_pushButton_9_clicked() {}
void LayerSettingDlg::on_LOGOOnOffBtn_clicked(bool) {}
void LayerSettingDlg::On_SigUIRefreshFreeze() {}
void LayerSettingDlg::On_SigUIRefreshTakeData() {}
void LayerSettingDlg::On_SigUIRefreshTakeStatus(int) {}
void LayerSettingDlg::on_TakeBtn_clicked() {}
void LayerSettingDlg::on_Freeze_Btn_clicked() {}
void LayerSettingDlg::updateProgressDialog() {}
void LayerSettingDlg::on_AutoBackupBtn_clicked(bool) {}
void LayerSettingDlg::SetSliderValueChange(float) {}
void LayerSettingDlg::On_ZoomSetDlgCLose() {}
void LayerSettingDlg::On_ChromaKeyDlgClose() {}
void LayerSettingDlg::On_LayerGroupDlgCLose() {}
void LayerSettingDlg::On_SigChromakeyOnOff(bool) {}
void LayerSettingDlg::On_SigUIRefreshAllCfg() {}
void LayerSettingDlg::On_SigUIRefreshLayerData(int) {}
void LayerSettingDlg::On_SigClickLayerCell(int) {}
void LayerSettingDlg::On_SigUIRefreshInputCfg() {}
void LayerSettingDlg::SetComboxIndexChange(int) {}
void LayerSettingDlg::On_SigUIRefreshInputSignal(int, int) {}
void LayerSettingDlg::on_ZoomSetBtn_clicked() {}
void LayerSettingDlg::on_lineEdit_editingFinished() {}
void LayerSettingDlg::on_lineEdit_2_editingFinished() {}
void LayerSettingDlg::on_lineEdit_3_editingFinished() {}
void LayerSettingDlg::on_lineEdit_4_editingFinished() {}
void LayerSettingDlg::on_ColorKeyerBtn_clicked() {}
void LayerSettingDlg::on_pushButton_clicked() {}
void LayerSettingDlg::on_pushButton_2_clicked() {}
void LayerSettingDlg::on_pushButton_3_clicked() {}
void LayerSettingDlg::on_pushButton_4_clicked() {}
void LayerSettingDlg::on_pushButton_5_clicked() {}
void LayerSettingDlg::on_pushButton_6_clicked() {}
void LayerSettingDlg::on_pushButton_7_clicked() {}
void LayerSettingDlg::on_pushButton_8_clicked() {}
void LayerSettingDlg::on_FadeInBtn_clicked() {}
void LayerSettingDlg::on_FadeOutBtn_clicked() {}
void LayerSettingDlg::on_LayerGroupBtn_clicked() {}
