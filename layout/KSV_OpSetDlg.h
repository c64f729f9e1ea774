// The output and layer page: the layout canvas in its scroll area beside the
// output settings panel (output view) or the layer settings panel and the
// input list (layer view). The page sends nothing to the device itself: it
// wires its panels and the canvas to each other and keeps the canvas in step
// with the selected device's record.
#pragma once

#include "MData.h"

#include <QDialog>
#include <QString>

class InputSrcSetDlg;
class LayerSettingDlg;
class OpParamSet;
class PaintCellCtrl;
class QHBoxLayout;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class RedrawCoalescer;

class KSV_OpSetDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kCellButtons = 4;

    // layerViewLater: the layer view's panels (the layer settings panel and
    // the input column), which the first frame does not show, are built by
    // buildLayerView, which whatever needs them calls first.
    explicit KSV_OpSetDlg(QWidget* parent, bool layerViewLater = false);
    ~KSV_OpSetDlg() override;

    // Builds the layer view's panels and wires the page, once.
    void buildLayerView();
    // 0 output view, 1 layer view; other values are ignored.
    void setMode(int mode);
    int mode() const { return mode_; }
    // Before a read-back of another device: every cell off, rectangles kept.
    void ResetCells();
    // After a project load and at start-up: the whole page from the record.
    void UiRefreshAll();
    // The control keyboard's quick take, done by the layer panel.
    void QuickTake();

    PaintCellCtrl* canvas() const { return canvas_; }
    QScrollArea* scrollArea() const { return scrollArea_; }
    QStackedWidget* stackedWidget() const { return stack_; }
    OpParamSet* outputPanel() const { return outputPanel_; }
    LayerSettingDlg* layerPanel()
    {
        buildLayerView();
        return layerPanel_;
    }
    InputSrcSetDlg* inputList()
    {
        buildLayerView();
        return inputList_;
    }
    QPushButton* cellButton(int i) const { return cellButtons_[i]; }
    QPushButton* zoomInButton() const { return zoomIn_; }
    QPushButton* zoomOutButton() const { return zoomOut_; }
    double scale() const { return scale_; }

signals:
    void SigRenameToInputSrc(int idx, QString renameStr);
    void SigSelectLayerCell(int idx);
    void SigSelectOpCell(int idx);

public slots:
    void On_SigOuputMode(OutputMode_Enum OPMode);
    void On_sigOPPosChange(void* data, int idx);
    void On_sigLayerPosChange(void* data, int idx);
    void OnClickedZoomBtn();
    void OnClickedCellBtn();
    void On_SigClickOutputCell(int idx);
    void On_SigClickLayerCell(int idx);
    void On_sigOPOnoff(void* data, int idx);
    void On_sigLayerOnoff(void* data, int idx);
    void On_sigLayerLogoOnOff(void* data, int idx);
    void On_sigLayerRotationSet(int idx, RoationType Rtype);
    void On_SigRenameInputSrc(int idx, QString renameStr);
    void On_SigRenameToInputSrc(int idx, QString renameStr);
    void On_SigInputTileEnable(int idx, bool bEnable);
    void On_SigUIRefreshOutputWindow(int id);
    void On_SigUIRefreshOutputReso();
    void On_SigUIRefreshLayerData(int idx);
    void On_SigChangeInputSubSrc(int Gid, int Pid);

protected:
    // Escape never closes the page (Page::Setup), and Return never clicks
    // one of its buttons.
    void keyPressEvent(QKeyEvent* event) override;
    // A language switch before the layer view is built is passed on to it.
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildButtons();
    void connectAll();
    void setCellButtonsEnabled(bool b0, bool b1, bool b2, bool b3);
    // Layer cell idx from the record, without the view's redraw.
    void refreshLayerCell(int idx);
    void refreshOutputCell(int id);
    void refreshOutputMode(OutputMode_Enum OPMode);

    QStackedWidget* stack_ = nullptr;
    QHBoxLayout* row_ = nullptr;
    bool building_ = true;  // in the constructor
    bool owesLanguageChange_ = false;
    PaintCellCtrl* canvas_ = nullptr;
    OpParamSet* outputPanel_ = nullptr;
    LayerSettingDlg* layerPanel_ = nullptr;
    InputSrcSetDlg* inputList_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    QPushButton* zoomIn_ = nullptr;
    QPushButton* zoomOut_ = nullptr;
    QPushButton* cellButtons_[kCellButtons] = {};
    // The view's redraw (setMode) after the device's reports, once per turn
    // of the event loop however many layers a read-back reports.
    RedrawCoalescer* viewRedraw_ = nullptr;
    // UiRefreshAll announces the selection as it goes, not at the next turn.
    bool refreshingAll_ = false;
    double scale_ = 8.0;
    int mode_ = 0;
};
