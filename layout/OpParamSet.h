// The output settings panel of the output view: which outputs are on, where
// each sits on the layout canvas and which window of its raster it shows,
// the output mode (DVI or HDMI) with its resolution sub-panel, the HDMI
// settings and the working mode. It writes the selected device's record,
// sends the changed item, and redraws only from the record.
#pragma once

#include "MData.h"
#include "ProgressHelper.h"

#include <QRect>
#include <QString>
#include <QWidget>

class OutputResoDlg;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class RedrawCoalescer;

class OpParamSet : public QWidget {
    Q_OBJECT

public:
    explicit OpParamSet(QWidget* parent);
    ~OpParamSet() override;

    // The page's refresh after a project load: as On_SigUIRefreshAllCfg.
    void UiRefreshAll();
    // Hides the resolution sub-panel and shows the panel's own controls (the
    // page switches views).
    void CloseResoDlg();

    // The index (0..5) of the window record that the edits show and change.
    int currentOutput() const { return currentOutput_; }
    OutputResoDlg* resoDlg() const { return resoDlg_; }

signals:
    // data is the OutputWindowRecord, idx its cell number on the canvas.
    void sigOPPosChange(void* data, int idx);
    void sigOPOnoff(void* data, int idx);
    void SigOuputMode(OutputMode_Enum OPMode);
    void SigOuputLayout();

public slots:
    void On_SigOutputCellOnOff(int idx, bool IsOnOff);
    void On_SigUIRefreshOutputReso();
    void On_SigUIRefreshAllCfg();
    void On_SigUIRefreshOutputWindow(int idx);
    void On_SigUIRefreshOutputHdmiSetting(int idx);
    void On_SigUIRefreshHDRStatus(int Status);
    void On_SigUIRefreshMachineVer(VerInfo_Enum VerType);

private slots:
    void On_SigMouseMoveOPCell(QRect realRc);
    void On_SigClickOutputCell(int id);
    void on_OPRESOBTN_clicked();
    void On_DviResoDlgCLose();
    void on_DVIMODEBTN_clicked();
    void on_HDMIMODEBTN_clicked();
    void on_HDMISETTINGBTN_clicked(bool checked);
    void on_lineEdit_editingFinished();
    void on_lineEdit_2_editingFinished();
    void on_lineEdit_5_editingFinished();
    void on_lineEdit_7_editingFinished();
    void on_lineEdit_6_editingFinished();
    void on_lineEdit_8_editingFinished();
    void on_pushButton_7_clicked();
    void on_pushButton_8_clicked();
    void on_pushButton_9_clicked();
    void on_pushButton_10_clicked(bool checked);
    void on_pushButton_11_clicked();
    // HDMI settings: colour space, colour depth, RGB range, HDR, DVI/HDMI
    // signal, output port.
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();
    void on_pushButton_4_clicked();
    void on_pushButton_5_clicked();
    void on_pushButton_6_clicked();
    void on_pushButton_13_clicked();
    void on_pushButton_12_clicked();
    void on_pushButton_17_clicked();
    void on_pushButton_18_clicked();
    void on_pushButton_19_clicked();
    void on_pushButton_20_clicked();
    // Working mode: mosaic, switcher, backup.
    void on_pushButton_14_clicked();
    void on_pushButton_15_clicked();
    void on_pushButton_16_clicked();
    void updateProgressDialog();
    void On_SigUIRefreshRequstCmdEnd();

protected:
    void changeEvent(QEvent* event) override;

private:
    struct Form;

    void setupWidgets();
    void retranslate();
    void applySwitcherTexts();
    void SetControlsHidden(bool hidden);
    void ShowOutputWindow();
    void showProgressDialog(const ProgressHelper::Operation& op);
    void stopProgressDialog();
    void setHdrEnabled(bool enabled);
    void selectWorkMode(int mode);
    void setHdmiField(int row, int value);
    void applyLayout(int kind);
    // The record currentOutput, or null when it lies beyond the record.
    OutputWindowRecord* currentRecord();
    void sendWindow(const OutputWindowRecord& record);
    bool takeFinishedEdit(int n);
    void showExceedTip();
    int cellOfRecord(int record) const;

    Form* ui_ = nullptr;
    OutputResoDlg* resoDlg_ = nullptr;
    int currentOutput_ = 0;
    // The device's report of the edited output window, shown once per turn
    // of the event loop (or read-back), and not while the panel is hidden.
    RedrawCoalescer* windowRedraw_ = nullptr;
    // The panel's one progress, for output-mode and working-mode switches.
    ProgressHelper* progress_ = nullptr;
};
