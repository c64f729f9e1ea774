// The input page, in its first form: the operations and signals through which
// the main window and the output and layer page reach it. Its input cells and
// sub-panels take their places here as they are built.
#pragma once

#include <QString>
#include <QWidget>

class InputSrcSetDlg : public QWidget {
    Q_OBJECT

public:
    explicit InputSrcSetDlg(QWidget* parent);

    void ResetCells();
    void UiRefreshAll();

signals:
    void SigRenameInputSrc(int idx, QString Str);
    void SigInputTileEnable(int idx, bool bEnable);
    void SigChangeInputSubSrc(int Gid, int Pid);

public slots:
    void On_SigRenameToInputSrc(int idx, QString Str);
};
