// The input page: the six inputs and two tiles of the selected device as a
// column of cells, the buttons that open the crop, EDID and HDMI range panels
// for the selected input, port switching, renaming and the tile editor.
//
// The class runs twice on the same record: as the input page, and as the
// compact input column of the layer view (SetLayerPanelMode), from which
// inputs and tiles are dragged onto the layout canvas.
#pragma once

#include "PageHelper.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <utility>
#include <vector>

class EdidDlg;
class HDMIRGBColorDlg;
class ImageCrop;
class InputSrcCell;
class QPushButton;
class QVBoxLayout;
class RedrawCoalescer;

class InputSrcSetDlg : public QWidget {
    Q_OBJECT

public:
    static constexpr int kCells = 8;
    static constexpr int kTileButtons = 16;

    // With later, the cells and what follows them are left there, to be run
    // before the page is used (see Page::BuildSteps).
    explicit InputSrcSetDlg(QWidget* parent, Page::BuildSteps* later = nullptr);

    void SetLayerPanelMode();
    void SetInputName(int idx, const QString& name);
    void ResetCells();
    void UiRefreshAll();
    void SetTileEnable(int idx, bool bEnable);
    bool IsTileSourceValid(int count, uint8_t s0, uint8_t s1, uint8_t s2, uint8_t s3) const;

    InputSrcCell* cell(int idx) const { return cells_[idx]; }
    QPushButton* tileButton(int n) const { return tileButtons_[n]; }
    QPushButton* panelButton(int n) const;  // 1..7: pushButton .. pushButton_7
    ImageCrop* cropPanel() const { return crop_; }
    EdidDlg* edidPanel() const { return edid_; }
    HDMIRGBColorDlg* rangePanel() const { return range_; }
    int currentInput() const { return current_; }
    bool isPageMode() const { return pageMode_; }
    RedrawCoalescer* redraws() const { return redraw_; }

signals:
    void ChangeInputSrcEvent(int id, int AreadId, bool bLR, QString TypeStr);
    void SigRenameInputSrc(int idx, QString Str);
    void SigInputTileEnable(int idx, bool bEnable);
    void SigChangeInputSubSrc(int Gid, int Pid);

public slots:
    void OnClickCell(int IpSrc, int AreadId);
    void OnClickInputSrc(int id, int AreaId);
    void On_CropSetDlgCLose();
    void On_EdidDlgCLose();
    void On_RGBColorDlgCLose();
    void On_SigUIRefreshInputCfg();
    void On_SigUIRefreshInputTile();
    void On_SigClickInputSubSrc(int idx, int SubId);
    void On_SigRenameInputSrc(int idx, QString Str);
    void On_SigUIRefreshInputSignal(int GId, int PId);
    void On_SigUIRefreshInputCrop(int Gid, int Pid);
    void On_SigUIRefreshInputEdid(int Gid, int Pid);
    void On_SigClearBtn(int Gid);
    void On_SigConfirmBtn(int Gid);
    void On_SigRenameToInputSrc(int idx, QString Str);
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();
    void on_pushButton_5_clicked();
    void on_pushButton_4_clicked();
    void on_pushButton_6_clicked();
    void OnClickedTileSelectBtn();
    void on_pushButton_7_clicked();

private:
    void initWidgets(Page::BuildSteps& steps);
    void addCell(QVBoxLayout* layout, int i);
    // The page's own retranslation and its following of the device's reports.
    void followReports();
    void retranslateUi();
    void RefreshPortButtons(int input);
    void SwitchSubPanel(bool closing, int panel);
    void SetInputTileButtonsEnabled(int input, bool enabled);
    void FollowSignalReport(int GId, int PId);
    void ApplyOwedSignalReports();
    void RedrawTile(int t, bool draw);
    int TileSourceWidth(int s) const;
    int TileSourceHeight(int s) const;
    bool TileSourceHasSignal(int s) const;
    bool TileSourceInterlaced(int s) const;

    QPushButton* buttons_[7] = {};
    InputSrcCell* cells_[kCells] = {};
    QPushButton* tileButtons_[kTileButtons] = {};
    ImageCrop* crop_ = nullptr;
    EdidDlg* edid_ = nullptr;
    HDMIRGBColorDlg* range_ = nullptr;
    RedrawCoalescer* redraw_ = nullptr;
    RedrawCoalescer* tileRedraw_ = nullptr;
    RedrawCoalescer* signalRedraw_ = nullptr;
    RedrawCoalescer* tileCellRedraw_ = nullptr;
    // What SetInputTileButtonsEnabled last asked of each input's tile-source
    // buttons (-1: nothing yet): every signal report asks it again.
    int8_t tileSourcesEnabled_[kCells] = {-1, -1, -1, -1, -1, -1, -1, -1};
    // Signal reports (input, port) a hidden page owes, in order.
    std::vector<std::pair<int, int>> owedSignalReports_;
    int editedCell_ = 6;
    int editedSlot_ = 0;
    int current_ = 0;
    bool pageMode_ = true;
};
