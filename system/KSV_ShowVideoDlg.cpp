#include "KSV_ShowVideoDlg.h"

#include "CommandEncoder.h"
#include "CustomMsgBox.h"
#include "MiddleHandler.h"
#include "SendCommand.h"
#include "TitleBar.h"
#include "VideoPlayer.h"
#include "VideoWidget.h"
#include "ui_KSV_ShowVideoDlg.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QListView>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Stream k: its port on the video board and the first of its two RTP client
// ports, which the board's firewall expects.
const char* const kStreamPort[KSV_ShowVideoDlg::kStreams] = {"654", "554"};
const char* const kClientPortOption[KSV_ShowVideoDlg::kStreams] = {":rtp-client-port=6545",
                                                                   ":rtp-client-port=6565"};
const char* const kCachingOption = ":network-caching=300";

const char* const kComboStyle =
    "QComboBox { border: 1px solid gray; color: rgb(239, 156, 0); background: rgb(64, 64, 64); }"
    "QComboBox QAbstractItemView::item { height: 20px; background: rgb(239, 156, 0);"
    " color: rgb(16, 16, 16); }"
    "QComboBox QAbstractItemView::item:selected { background: #101010; color: #D7FDBD; }"
    "QComboBox QAbstractItemView { font: bold 14px \"Microsoft YaHei\"; outline: 0px; }"
    "QComboBox::down-arrow { image: url(:res/Image/downarrow.png); }"
    "QComboBox::drop-down { subcontrol-origin: padding; subcontrol-position: top right;"
    " width: 16px; border-left: 2px solid darkgray; border-top-right-radius: 3px;"
    " border-bottom-right-radius: 3px; }"
    "QComboBox:focus { outline: none; }";

const char* const kConnectStyle =
    "QPushButton { background-image: url(:/res/Image/HPageOff.png); border: none;"
    " color: rgb(235, 235, 235); border-radius: 5px; }"
    "QPushButton:checked, QPushButton:hover { background-image: url(:/res/Image/HPageOn.png);"
    " color: rgb(239, 156, 0); }"
    "QPushButton:!enabled { background-image: url(:/res/Image/HPageOn.png);"
    " color: rgb(128, 128, 128); }"
    "QPushButton:pressed { padding-left: 2px; padding-top: 2px; }";

const char* const kProgressStyle =
    "QProgressBar { border: 2px solid white; min-height: 32px; max-height: 32px;"
    " border-image: url(:/res/Image/PrograssBkg.png); text-align: center;"
    " color: rgb(255, 255, 0); font: bold 14px \"Microsoft YaHei\"; border-radius: 10px; }"
    "QProgressBar::chunk { border-radius: 5px; border: 0.5px solid green;"
    " border-image: url(:/res/Image/Chnl_BK.png); }"
    "QPushButton { background-image: url(:/res/Image/HPageOff.png); min-width: 76px;"
    " max-width: 76px; min-height: 32px; max-height: 32px; font: bold 14px;"
    " color: rgb(239, 156, 0); border-radius: 5px; }"
    "QPushButton:hover { background-image: url(:/res/Image/HPageOn.png); }"
    "QPushButton:pressed { padding-left: 2px; padding-top: 2px; }"
    "QProgressDialog { background: rgb(46, 46, 46); }"
    "QLabel { color: rgb(235, 235, 235); font: bold 14px \"Microsoft YaHei\"; }";

}  // namespace

KSV_ShowVideoDlg::KSV_ShowVideoDlg(QWidget* parent) : QDialog(parent), ui(new Ui::KSV_ShowVideoDlg)
{
    ui->setupUi(this);
    initPlayers();
    initProgressDialog();
    playerTimer_ = new QTimer(this);
    connect(playerTimer_, SIGNAL(timeout()), this, SLOT(On_PlayerTimer()));
    connect(MiddleHandler::GetInstance(), SIGNAL(SigIpBoardVideoFormat(int)), this,
            SLOT(On_SigIpBoardVideoFormat(int)));
    // The window outlives the event loop (it is closed, never deleted): its
    // streaming threads must not go on handing pictures to an application
    // that is being torn down, and no pipeline may still be stopping when
    // the program ends.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        for (VideoMediaPlayer* player : players_)
            if (player) {
                player->stop();
                player->shutdown();
            }
    });
}

KSV_ShowVideoDlg::~KSV_ShowVideoDlg()
{
    // Each player first: it stops its pipeline before its media and instance go.
    for (int k = 0; k < kStreams; ++k) {
        delete players_[k];
        players_[k] = nullptr;
        delete media_[k];
        media_[k] = nullptr;
        delete instances_[k];
        instances_[k] = nullptr;
    }
    delete progressTimer_;
    delete ui;
}

void KSV_ShowVideoDlg::SetWaitsForTest(int playerTimerMs, int endWaitMs, int qualityWaitMs)
{
    playerTimerMs_ = playerTimerMs;
    endWaitMs_ = endWaitMs;
    qualityWaitMs_ = qualityWaitMs;
}

void KSV_ShowVideoDlg::initPlayers()
{
    QFont font(QStringLiteral("Microsoft YaHei"), 12, 80);

    ui->comboBox->setStyleSheet(QString::fromLatin1(kComboStyle));
    ui->comboBox->setView(new QListView(ui->comboBox));
    ui->comboBox->setFont(font);
    ui->comboBox->view()->setFont(font);
    ui->comboBox->setMaximumSize(180, 32);
    ui->comboBox->addItem(tr("480P 高清"));
    ui->comboBox->addItem(tr("720P 超清"));
    ui->comboBox->addItem(tr("1080P 蓝光"));
    connect(ui->comboBox, SIGNAL(currentIndexChanged(int)), this, SLOT(SetComboxIndexChange(int)));

    connectButton_ = new QPushButton(this);
    connectButton_->setStyleSheet(QString::fromLatin1(kConnectStyle));
    connectButton_->setText(tr("Connect"));
    connectButton_->setMaximumSize(78, 32);
    connectButton_->setFont(font);
    connect(connectButton_, SIGNAL(clicked()), this, SLOT(OnClickedConnectBtn()));

    setWindowFlags(Qt::FramelessWindowHint);

    auto* pictures = new QHBoxLayout;
    pictures->setContentsMargins(4, 0, 4, 0);
    for (int k = 0; k < kStreams; ++k) {
        videoWidgets_[k] = new VideoWidget(this);
        pictures->addWidget(videoWidgets_[k]);
        instances_[k] = new VideoInstance(Video::args(), videoWidgets_[k]);
        players_[k] = new VideoMediaPlayer(instances_[k]);
        players_[k]->setVideoWidget(videoWidgets_[k]);
        connect(players_[k], SIGNAL(playing()), this, SLOT(On_Playing()));
        connect(players_[k], SIGNAL(stateChanged()), this, SLOT(On_stateChanged()));
        connect(players_[k], SIGNAL(end()), this, SLOT(On_end()));
    }

    auto* controls = new QHBoxLayout;
    controls->addWidget(connectButton_);
    controls->addWidget(ui->comboBox);

    auto* column = new QVBoxLayout;
    column->addLayout(pictures, 10);
    column->addLayout(controls, 2);
    column->setContentsMargins(0, 36, 0, 0);
    setLayout(column);

    initTitleBar();
}

void KSV_ShowVideoDlg::initTitleBar()
{
    titleBar_ = new TitleBar(this);
    titleBar_->setIcon(QStringLiteral(":/KESTRAVOL.ico"));
    titleBar_->setLabelText(0, tr("Show Output"));
    titleBar_->removeButton(1);
    titleBar_->setBackgroundColor(QColor(46, 46, 46));
    titleBar_->movable = true;
    statusBar_ = new QStatusBar(this);
    layout()->addWidget(statusBar_);
}

void KSV_ShowVideoDlg::initProgressDialog()
{
    progressTimer_ = new QTimer;
    connect(progressTimer_, SIGNAL(timeout()), this, SLOT(updateProgressDialog()));
    progressDialog_ = new QProgressDialog(QString(), tr("Cancel"), 0, 100, this);
    progressDialog_->setWindowModality(Qt::WindowModal);
    progressDialog_->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    progressDialog_->setFixedSize(320, 140);
    progressDialog_->setStyleSheet(QString::fromLatin1(kProgressStyle));
    // Closed from the start: the dialog arms its own show timer when built.
    progressDialog_->reset();
    progressCount_ = 100;
}

void KSV_ShowVideoDlg::startProgress(QString text, bool start, int intervalMs)
{
    progressLabel_ = text;
    progressDialog_->setLabelText(text);
    // The mark of an earlier run's Cancel would keep this run's dialog hidden.
    if (progressDialog_->wasCanceled())
        progressDialog_->reset();
    progressCount_ = 0;
    progressDialog_->setValue(0);
    if (start)
        progressTimer_->start(intervalMs);
    else
        progressTimer_->stop();
}

void KSV_ShowVideoDlg::updateProgressDialog()
{
    ++progressCount_;
    if (progressCount_ > 99) {
        finishProgress();
        new CustomMsgBox(this, tr("Tips"), progressLabel_ + QStringLiteral("   ") + tr("Timeout"),
                         QDialogButtonBox::Ok, QDialogButtonBox::Ok);
        return;
    }
    // Cancel only hides the dialog: the count goes on to its time-out. A
    // value given to the cancelled dialog would bring it back for a moment.
    if (progressDialog_->wasCanceled())
        return;
    progressDialog_->setValue(progressCount_);
    QCoreApplication::processEvents();
    if (progressDialog_->wasCanceled())
        progressDialog_->hide();
}

void KSV_ShowVideoDlg::finishProgress()
{
    progressTimer_->stop();
    // A dialog hidden by Cancel stays as it is. One that is hidden only
    // because it has not appeared yet (the first picture came before the
    // first tick) is closed too: its own show timer would bring it up seconds
    // later, at 0 and window-modal, over the playing streams. reset() closes
    // without ever showing it, where the value 100 may show it first.
    if (progressDialog_->wasCanceled())
        return;
    progressCount_ = 100;
    progressDialog_->reset();
}

void KSV_ShowVideoDlg::setControlsEnabled(bool enabled)
{
    connectButton_->setEnabled(enabled);
    ui->comboBox->setEnabled(enabled);
}

void KSV_ShowVideoDlg::ConnectVideoShow(QString ethIp, bool start)
{
    if (start)
        reconnectWanted_ = true;
    // An attempt is running: it will bring the streams up.
    if (!connectButton_->isEnabled())
        return;
    qDebug("ConnectVideoShow EthIp:%s", qPrintable(ethIp));
    if (ethIp.isEmpty())
        return;
    ethIp_ = ethIp;
    for (int k = 0; k < kStreams; ++k) {
        const QString location = QStringLiteral("rtsp://") + ethIp_ + QLatin1Char(':') +
                                 QLatin1String(kStreamPort[k]) + QStringLiteral("/h264");
        // The player may still hold the old media: open the new one first,
        // then let the old one go.
        VideoMedia* old = media_[k];
        media_[k] = nullptr;
        if (instances_[k]) {
            media_[k] = new VideoMedia(location, instances_[k]);
            media_[k]->setOption(QString::fromLatin1(kClientPortOption[k]));
            media_[k]->setOption(QString::fromLatin1(kCachingOption));
            if (players_[k])
                players_[k]->open(media_[k]);
        }
        delete old;
    }
    setControlsEnabled(false);
    playerTimer_->start(playerTimerMs_);
}

void KSV_ShowVideoDlg::StopVideo()
{
    reconnectWanted_ = false;
    qDebug("StopVideo");
    for (int k = 0; k < kStreams; ++k) {
        if (!media_[k])
            continue;
        const int state = media_[k]->state();
        qDebug("StopVideo _media playerId:%d state:%d", k, state);
        if (state != Video::Opening && state != Video::Stopped && players_[k])
            players_[k]->stop();
    }
}

void KSV_ShowVideoDlg::OnClickedConnectBtn()
{
    bool started = false;
    for (int k = 0; k < kStreams; ++k) {
        if (!players_[k])
            continue;
        const int state = players_[k]->state();
        qDebug("OnClickedConnectBtn  r:%d", state);
        if (state == Video::Ended || state == Video::Error) {
            if (media_[k]) {
                players_[k]->open(media_[k]);
                started = true;
            }
        } else if (state != Video::Playing) {
            players_[k]->play();
            started = true;
        }
    }
    if (!started)
        return;
    setControlsEnabled(false);
    playerTimer_->start(playerTimerMs_);
    if (isVisible())
        startProgress(tr("Connect"), true, 300);
}

void KSV_ShowVideoDlg::On_Playing()
{
    qDebug("On_Playing");
    finishProgress();
    playerTimer_->stop();
    setControlsEnabled(true);
}

void KSV_ShowVideoDlg::On_PlayerTimer()
{
    setControlsEnabled(true);
}

void KSV_ShowVideoDlg::On_end()
{
    qDebug("On_end");
    QTimer::singleShot(endWaitMs_, this, SLOT(On_Reconnect()));
}

void KSV_ShowVideoDlg::On_Reconnect()
{
    if (reconnectWanted_ && connectButton_->isEnabled())
        OnClickedConnectBtn();
}

void KSV_ShowVideoDlg::On_stateChanged() {}

void KSV_ShowVideoDlg::SetComboxIndexChange(int Id)
{
    if (deviceFormat_) {
        deviceFormat_ = false;
        return;
    }
    startProgress(tr("切换画质"), true, 200);
    setControlsEnabled(false);
    for (VideoMediaPlayer* player : players_)
        if (player)
            player->stop();
    const int32_t quality = Id;
    SendCommand(&quality, SEND_VIDEOFORMATCMD, nullptr, QString());
    QTimer::singleShot(qualityWaitMs_, this, SLOT(On_ConnectEthTimer()));
}

void KSV_ShowVideoDlg::On_ConnectEthTimer()
{
    for (VideoMediaPlayer* player : players_)
        if (player)
            player->play();
    playerTimer_->start(playerTimerMs_);
}

void KSV_ShowVideoDlg::On_SigIpBoardVideoFormat(int format)
{
    // The switch knows only the three qualities; another report leaves it as
    // it is rather than blanking it.
    if (format < 0 || format >= ui->comboBox->count())
        return;
    if (format != ui->comboBox->currentIndex())
        deviceFormat_ = true;
    ui->comboBox->setCurrentIndex(format);
}

void KSV_ShowVideoDlg::retranslate()
{
    setWindowTitle(tr("Form"));
    connectButton_->setText(tr("Connect"));
    titleBar_->setLabelText(0, tr("Show Output"));
    ui->comboBox->setItemText(0, tr("480P 高清"));
    ui->comboBox->setItemText(1, tr("720P 超清"));
    ui->comboBox->setItemText(2, tr("1080P 蓝光"));
}

void KSV_ShowVideoDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void KSV_ShowVideoDlg::resizeEvent(QResizeEvent* event)
{
    if (titleBar_)
        titleBar_->resize(width(), TitleBar::kHeight);
    QDialog::resizeEvent(event);
}

void KSV_ShowVideoDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(64, 64, 64));
    painter.setPen(QPen(QColor(239, 156, 0), 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawRect(rect());
}
