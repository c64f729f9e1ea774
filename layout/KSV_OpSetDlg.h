// The output and layer page: the layout canvas in its scroll area, kept in
// step with the selected device's outputs and layers. Its output panel,
// layer panel and input list take their places here as they are built.
#pragma once

#include <QDialog>
#include <QString>

class PaintCellCtrl;
class QScrollArea;
class RedrawCoalescer;

class KSV_OpSetDlg : public QDialog {
    Q_OBJECT

public:
    explicit KSV_OpSetDlg(QWidget* parent);

    // 0 output view, 1 layer view; other values are ignored.
    void setMode(int mode);
    int mode() const { return mode_; }
    void ResetCells();
    void UiRefreshAll();
    // The control keyboard's quick take (its quick-take key).
    void QuickTake();

    PaintCellCtrl* canvas() const { return canvas_; }
    QScrollArea* scrollArea() const { return scrollArea_; }

signals:
    void SigRenameToInputSrc(int idx, QString renameStr);

public slots:
    void On_SigRenameInputSrc(int idx, QString renameStr);
    void On_SigRenameToInputSrc(int idx, QString renameStr);
    void On_SigInputTileEnable(int idx, bool bEnable);
    void On_SigChangeInputSubSrc(int Gid, int Pid);
    void On_SigUIRefreshOutputWindow(int id);
    void On_SigUIRefreshLayerData(int idx);

private:
    void applyView();

    int mode_ = 0;
    QScrollArea* scrollArea_ = nullptr;
    PaintCellCtrl* canvas_ = nullptr;
    RedrawCoalescer* redraw_ = nullptr;
};
