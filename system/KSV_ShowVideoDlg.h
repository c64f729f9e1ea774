// The output preview: a frameless window of its own (no parent) that plays
// the two H.264 streams of the processor's video board side by side, with a
// "Connect" button that starts or restarts them and a stream-quality switch
// that asks the processor for another resolution.
//
// An attempt to start the streams disables both controls until a stream
// plays, or until the player timer (30 s) gives them back. A stream that ends
// is started again 15 s later when the main window asked for reconnecting
// and no attempt is running.
#pragma once

#include <QDialog>
#include <QString>

class QProgressDialog;
class QPushButton;
class QStatusBar;
class QTimer;
class TitleBar;
class VideoInstance;
class VideoMedia;
class VideoMediaPlayer;
class VideoWidget;

namespace Ui {
class KSV_ShowVideoDlg;
}

class KSV_ShowVideoDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kStreams = 2;

    explicit KSV_ShowVideoDlg(QWidget* parent);
    ~KSV_ShowVideoDlg() override;

    void ConnectVideoShow(QString ethIp, bool start);
    void StopVideo();

    // The waits of the design, in ms: the player timer (30000), the end wait
    // before reconnecting (15000) and the quality wait (2000). Tests shorten
    // them.
    void SetWaitsForTest(int playerTimerMs, int endWaitMs, int qualityWaitMs);

    // For tests and the demonstration.
    VideoWidget* videoWidget(int stream) const { return videoWidgets_[stream]; }
    VideoMediaPlayer* player(int stream) const { return players_[stream]; }
    VideoMedia* media(int stream) const { return media_[stream]; }
    QPushButton* connectButton() const { return connectButton_; }
    QTimer* playerTimer() const { return playerTimer_; }
    QProgressDialog* progressDialog() const { return progressDialog_; }
    int progressCount() const { return progressCount_; }
    bool reconnectWanted() const { return reconnectWanted_; }

public slots:
    void OnClickedConnectBtn();
    void updateProgressDialog();
    void On_ConnectEthTimer();
    void On_PlayerTimer();
    void On_Reconnect();
    void SetComboxIndexChange(int Id);
    void On_SigIpBoardVideoFormat(int format);
    void On_Playing();
    void On_end();
    void On_stateChanged();

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void initPlayers();
    void initTitleBar();
    void initProgressDialog();
    void startProgress(QString text, bool start, int intervalMs);
    void finishProgress();
    void setControlsEnabled(bool enabled);
    void retranslate();

    Ui::KSV_ShowVideoDlg* ui;
    TitleBar* titleBar_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    VideoWidget* videoWidgets_[kStreams] = {};
    VideoInstance* instances_[kStreams] = {};
    VideoMedia* media_[kStreams] = {};
    VideoMediaPlayer* players_[kStreams] = {};
    QPushButton* connectButton_ = nullptr;
    QProgressDialog* progressDialog_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    // Set while the device's reported quality is put into the switch, so
    // that the switch's change is not sent back to the device.
    bool deviceFormat_ = false;
    QTimer* playerTimer_ = nullptr;
    int progressCount_ = 0;
    QString progressLabel_;
    QString ethIp_;
    bool reconnectWanted_ = false;

    int playerTimerMs_ = 30000;
    int endWaitMs_ = 15000;
    int qualityWaitMs_ = 2000;
};
