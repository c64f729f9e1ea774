// The output preview window: a frameless window of its own (no parent) with
// the shared title bar. The two preview streams of the video board play here
// once the stream player is built; until then the window shows their address.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;

class KSV_ShowVideoDlg : public QDialog {
    Q_OBJECT

public:
    explicit KSV_ShowVideoDlg(QWidget* parent);

    void ConnectVideoShow(QString ethIp, bool start);
    void StopVideo();

private:
    QLabel* view_ = nullptr;
};
