#include "OpParamSet.h"

#include <QEvent>

struct OpParamSet::Form {};

OpParamSet::OpParamSet(QWidget* parent) : QWidget(parent) {}

OpParamSet::~OpParamSet() = default;

void OpParamSet::UiRefreshAll() {}
void OpParamSet::CloseResoDlg() {}
void OpParamSet::changeEvent(QEvent* event) { QWidget::changeEvent(event); }
void OpParamSet::On_SigOutputCellOnOff(int, bool) {}
void OpParamSet::On_SigUIRefreshOutputReso() {}
void OpParamSet::On_SigUIRefreshAllCfg() {}
void OpParamSet::On_SigUIRefreshOutputWindow(int) {}
void OpParamSet::On_SigUIRefreshOutputHdmiSetting(int) {}
void OpParamSet::On_SigUIRefreshHDRStatus(int) {}
void OpParamSet::On_SigUIRefreshMachineVer(VerInfo_Enum) {}
void OpParamSet::On_SigMouseMoveOPCell(QRect) {}
void OpParamSet::On_SigClickOutputCell(int) {}
void OpParamSet::on_OPRESOBTN_clicked() {}
void OpParamSet::On_DviResoDlgCLose() {}
void OpParamSet::on_DVIMODEBTN_clicked() {}
void OpParamSet::on_HDMIMODEBTN_clicked() {}
void OpParamSet::on_HDMISETTINGBTN_clicked(bool) {}
void OpParamSet::on_lineEdit_editingFinished() {}
void OpParamSet::on_lineEdit_2_editingFinished() {}
void OpParamSet::on_lineEdit_5_editingFinished() {}
void OpParamSet::on_lineEdit_7_editingFinished() {}
void OpParamSet::on_lineEdit_6_editingFinished() {}
void OpParamSet::on_lineEdit_8_editingFinished() {}
void OpParamSet::on_pushButton_7_clicked() {}
void OpParamSet::on_pushButton_8_clicked() {}
void OpParamSet::on_pushButton_9_clicked() {}
void OpParamSet::on_pushButton_10_clicked(bool) {}
void OpParamSet::on_pushButton_11_clicked() {}
void OpParamSet::on_pushButton_clicked() {}
void OpParamSet::on_pushButton_2_clicked() {}
void OpParamSet::on_pushButton_3_clicked() {}
void OpParamSet::on_pushButton_4_clicked() {}
void OpParamSet::on_pushButton_5_clicked() {}
void OpParamSet::on_pushButton_6_clicked() {}
void OpParamSet::on_pushButton_13_clicked() {}
void OpParamSet::on_pushButton_12_clicked() {}
void OpParamSet::on_pushButton_17_clicked() {}
void OpParamSet::on_pushButton_18_clicked() {}
void OpParamSet::on_pushButton_19_clicked() {}
void OpParamSet::on_pushButton_20_clicked() {}
void OpParamSet::on_pushButton_14_clicked() {}
void OpParamSet::on_pushButton_15_clicked() {}
void OpParamSet::on_pushButton_16_clicked() {}
void OpParamSet::updateProgressDialog() {}
void OpParamSet::On_SigUIRefreshRequstCmdEnd() {}
