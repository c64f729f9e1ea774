// The picture page, in its first form: the refresh that the main window calls.
// Its brightness control and layer tabs take their places here as they are built.
#pragma once

#include <QWidget>

class KSV_PicSetDlg : public QWidget {
    Q_OBJECT

public:
    explicit KSV_PicSetDlg(QWidget* parent);

    void UiRefreshAll();
};
