// The output and layer page, in its first form: the operations and signals
// through which the main window drives it. Its canvas, output panel and layer
// panel take their places here as they are built.
#pragma once

#include <QDialog>
#include <QString>

class KSV_OpSetDlg : public QDialog {
    Q_OBJECT

public:
    explicit KSV_OpSetDlg(QWidget* parent);

    // 0 output view, 1 layer view; other values are ignored.
    void setMode(int mode);
    void ResetCells();
    void UiRefreshAll();
    // The control keyboard's quick take (its quick-take key).
    void QuickTake();

signals:
    void SigRenameToInputSrc(int idx, QString renameStr);

public slots:
    void On_SigRenameInputSrc(int idx, QString renameStr);
    void On_SigRenameToInputSrc(int idx, QString renameStr);
    void On_SigInputTileEnable(int idx, bool bEnable);
    void On_SigChangeInputSubSrc(int Gid, int Pid);

private:
    int mode_ = 0;
};
