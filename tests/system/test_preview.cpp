// The output preview against the video board of a simulated processor, on a
// real X server (Xvfb) inside the private network: both streams decode into
// their widgets, the client ports are the board's, an ended stream comes
// back when wanted, and the quality switch talks to the processor.
#include "AppPaths.h"
#include "CommandEncoder.h"
#include "KSV_ShowVideoDlg.h"
#include "ProgressTest.h"
#include "SendCommand.h"
#include "TestNet.h"
#include "TestSupport.h"
#include "VideoBoardSim.h"
#include "VideoPlayer.h"
#include "VideoWidget.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <memory>

using TestSupport::WaitSenderIdle;
using VideoBoardSim::kBoardIp;

namespace {

constexpr int kQualityCode = 0x0670;

// Distinct colours in a grab of the widget: a decoded picture has several, the
// black of an empty widget one.
bool ShowsPicture(QWidget* w)
{
    const QImage img = w->grab().toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < img.height(); y += 7)
        for (int x = 0; x < img.width(); x += 7)
            colours.insert(img.pixel(x, y));
    return colours.size() > 1;
}

}  // namespace

class TestPreview : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void connectPlaysBothStreamsOnTheBoardsPorts();
    void emptyAddressStartsNothing();
    void unansweredAttemptGivesTheControlsBack();
    void endedStreamsReconnectWhenWanted();
    void stopVideoCancelsTheReconnect();
    void qualitySwitchStopsSendsAndPlaysAgain();
    void deviceReportMovesTheSwitchOnly_data();
    void deviceReportMovesTheSwitchOnly();
    void processorsReportMovesTheSwitch();
    void realTimeReconnect();
    void connectProgressEndsWithThePicture();
    void lostStreamsReconnect();
    void heldUpProgramKeepsPlayingStreams();
    void stopAgainstAFrozenBoard();

private:
    void connectAndPlay();
    void waitPlaying();
    // Plays both streams, then has the board end them; returns once both
    // players reported the end.
    void playUntilTheBoardEnds();
    QList<QJsonObject> setups() const;
    QList<QJsonObject> qualityFrames() const;

    MiddleHandler* h = nullptr;
    std::unique_ptr<ProcSim> sim;
    std::unique_ptr<KSV_ShowVideoDlg> dlg;
};

void TestPreview::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    InitAppResources();
    h = MiddleHandler::GetInstance();
    h->SetAckTimeout(300);
}

void TestPreview::init()
{
    sim = std::make_unique<ProcSim>();
    QVERIFY2(VideoBoardSim::Start(*sim), qPrintable(sim->errors()));
    QVERIFY(VideoBoardSim::SelectDevice(h));
    dlg = std::make_unique<KSV_ShowVideoDlg>(nullptr);
    dlg->SetWaitsForTest(30000, 200, 100);
    dlg->setGeometry(100, 100, 683, 359);
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
}

void TestPreview::cleanup()
{
    dlg.reset();
    sim.reset();
    h->ResetForTest();
}

void TestPreview::cleanupTestCase()
{
    if (h)
        h->ShutdownForTest();
}

// "Connect" to the board, until both streams play.
void TestPreview::connectAndPlay()
{
    dlg->ConnectVideoShow(kBoardIp, true);
    waitPlaying();
}

void TestPreview::waitPlaying()
{
    for (int k = 0; k < KSV_ShowVideoDlg::kStreams; ++k) {
        QTRY_COMPARE_WITH_TIMEOUT(dlg->player(k)->state(), Video::Playing, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(ShowsPicture(dlg->videoWidget(k)), 5000);
    }
}

QList<QJsonObject> TestPreview::setups() const
{
    return VideoBoardSim::BoardEvents(*sim, QStringLiteral("rtsp"), QStringLiteral("setup"));
}

QList<QJsonObject> TestPreview::qualityFrames() const
{
    QList<QJsonObject> out;
    for (const QJsonObject& line : sim->logLines())
        if (line.value(QStringLiteral("dir")) == QLatin1String("rx") &&
            line.value(QStringLiteral("code")).toInt() == kQualityCode)
            out.append(line);
    return out;
}

void TestPreview::playUntilTheBoardEnds()
{
    connectAndPlay();
    if (QTest::currentTestFailed())
        return;
    QSignalSpy end0(dlg->player(0), &VideoMediaPlayer::end);
    QSignalSpy end1(dlg->player(1), &VideoMediaPlayer::end);
    QVERIFY(VideoBoardSim::EndStreams(sim->logPath()));
    QTRY_VERIFY_WITH_TIMEOUT(end0.count() == 1 && end1.count() == 1, 10000);
}

void TestPreview::connectPlaysBothStreamsOnTheBoardsPorts()
{
    QSignalSpy playing0(dlg->player(0), &VideoMediaPlayer::playing);
    dlg->ConnectVideoShow(kBoardIp, true);
    QVERIFY(dlg->reconnectWanted());
    // An attempt runs: the controls wait for a picture.
    QVERIFY(!dlg->connectButton()->isEnabled());
    QVERIFY(!dlg->findChild<QComboBox*>(QStringLiteral("comboBox"))->isEnabled());
    QVERIFY(dlg->playerTimer()->isActive());
    QCOMPARE(dlg->media(0)->location(), QStringLiteral("rtsp://192.168.1.22:654/h264"));
    QCOMPARE(dlg->media(1)->location(), QStringLiteral("rtsp://192.168.1.22:554/h264"));
    QCOMPARE(dlg->media(0)->latencyMs(), 300);

    waitPlaying();
    QTRY_VERIFY(playing0.count() >= 1);
    QVERIFY(dlg->connectButton()->isEnabled());
    QVERIFY(dlg->findChild<QComboBox*>(QStringLiteral("comboBox"))->isEnabled());
    QVERIFY(!dlg->playerTimer()->isActive());

    // Stream 0 on 654 with the client pair that holds 6545, stream 1 on 554
    // with the pair that holds 6565.
    QTRY_COMPARE(setups().size(), 2);
    QMap<int, QString> transport;
    for (const QJsonObject& s : setups())
        transport[s.value(QStringLiteral("port")).toInt()] =
            s.value(QStringLiteral("transport")).toString();
    QVERIFY2(transport.value(654).contains(QStringLiteral("client_port=6544-6545")),
             qPrintable(transport.value(654)));
    QVERIFY2(transport.value(554).contains(QStringLiteral("client_port=6564-6565")),
             qPrintable(transport.value(554)));

    // Both playing: "Connect" changes nothing.
    dlg->OnClickedConnectBtn();
    QVERIFY(dlg->connectButton()->isEnabled());
    QVERIFY(!dlg->playerTimer()->isActive());
    QVERIFY(!dlg->progressDialog()->isVisible());

    const QString shot = QDir::temp().filePath(QStringLiteral("ledz-preview.png"));
    QVERIFY(dlg->grab().save(shot));
    qInfo("Preview window: %s", qPrintable(shot));
}

void TestPreview::emptyAddressStartsNothing()
{
    dlg->ConnectVideoShow(QString(), false);
    QVERIFY(!dlg->reconnectWanted());
    QVERIFY(dlg->connectButton()->isEnabled());
    QVERIFY(!dlg->media(0) && !dlg->media(1));
    QVERIFY(!dlg->playerTimer()->isActive());
    // Before any address, stopping only logs.
    dlg->StopVideo();
    QCOMPARE(dlg->player(0)->state(), Video::Idle);
}

void TestPreview::unansweredAttemptGivesTheControlsBack()
{
    // No board serves at the processor's own address.
    dlg->SetWaitsForTest(300, 200, 100);
    dlg->ConnectVideoShow(VideoBoardSim::kDeviceIp, false);
    QVERIFY(!dlg->connectButton()->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(dlg->player(0)->state(), Video::Error, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(dlg->player(1)->state(), Video::Error, 10000);
    QTRY_VERIFY(dlg->connectButton()->isEnabled());
    // Still no picture: the player timer keeps giving the controls back.
    QVERIFY(dlg->playerTimer()->isActive());

    // "Connect" on the visible window opens both again, with the progress.
    QTest::mouseClick(dlg->connectButton(), Qt::LeftButton);
    QVERIFY(!dlg->connectButton()->isEnabled());
    QTRY_VERIFY(dlg->progressDialog()->isVisible());
    QCOMPARE(dlg->progressDialog()->labelText(), QStringLiteral("Connect"));
    // Cancel only hides it; the count goes on, and the dialog stays hidden.
    const int before = dlg->progressCount();
    dlg->progressDialog()->cancel();
    QTRY_VERIFY(!dlg->progressDialog()->isVisible());
    QTRY_VERIFY(dlg->connectButton()->isEnabled());
    QTRY_VERIFY(dlg->progressCount() > before + 1);
    QVERIFY(!dlg->progressDialog()->isVisible());
}

void TestPreview::endedStreamsReconnectWhenWanted()
{
    playUntilTheBoardEnds();
    if (QTest::currentTestFailed())
        return;
    // 200 ms later the first end wait reconnects both; the second finds the
    // attempt running and does nothing.
    QTRY_COMPARE_WITH_TIMEOUT(setups().size(), 4, 10000);
    waitPlaying();
    QCOMPARE(setups().size(), 4);
}

void TestPreview::stopVideoCancelsTheReconnect()
{
    playUntilTheBoardEnds();
    if (QTest::currentTestFailed())
        return;
    dlg->StopVideo();
    QVERIFY(!dlg->reconnectWanted());
    // A marker armed after both end waits with the same wait fires after
    // them: once it has, the reconnects have been decided.
    bool marker = false;
    QTimer::singleShot(200, [&marker] { marker = true; });
    QTRY_VERIFY(marker);
    // Stopped by StopVideo, and nothing opened them again.
    QCOMPARE(dlg->player(0)->state(), Video::Stopped);
    QCOMPARE(dlg->player(1)->state(), Video::Stopped);
    QCOMPARE(setups().size(), 2);
}

void TestPreview::qualitySwitchStopsSendsAndPlaysAgain()
{
    connectAndPlay();
    auto* combo = dlg->findChild<QComboBox*>(QStringLiteral("comboBox"));
    QCOMPARE(combo->itemText(2), QStringLiteral("1080P 蓝光"));
    combo->setCurrentIndex(2);
    // Both players stopped, the controls held until a stream plays again.
    QCOMPARE(dlg->player(0)->state(), Video::Stopped);
    QCOMPARE(dlg->player(1)->state(), Video::Stopped);
    QVERIFY(!dlg->connectButton()->isEnabled());
    QVERIFY(sim->waitForLog(
        [](const QJsonObject& l) {
            return l.value(QStringLiteral("code")).toInt() == kQualityCode;
        },
        5000));
    waitPlaying();
    QVERIFY(dlg->connectButton()->isEnabled());
    // The quality's progress ended with the first picture, long before its
    // dialog was due: it does not come up later.
    QVERIFY(ProgressTest::ClosedForGood(dlg->progressDialog()));
    const QList<QJsonObject> frames = qualityFrames();
    QCOMPARE(frames.size(), 1);
    QVERIFY(frames[0].value(QStringLiteral("payload")).toString().startsWith(QStringLiteral("02")));
    QCOMPARE(setups().size(), 4);
    QCOMPARE(sim->dumpedState(VideoBoardSim::kDeviceIp).isEmpty(), false);
}

void TestPreview::deviceReportMovesTheSwitchOnly_data()
{
    QTest::addColumn<int>("report");
    QTest::addColumn<int>("shown");
    QTest::newRow("another quality") << 1 << 1;
    QTest::newRow("the one shown") << 0 << 0;
    // Only 0..2 are qualities: anything else leaves the switch alone.
    QTest::newRow("out of range") << 7 << 0;
    QTest::newRow("negative") << -1 << 0;
}

void TestPreview::deviceReportMovesTheSwitchOnly()
{
    QFETCH(int, report);
    QFETCH(int, shown);
    auto* combo = dlg->findChild<QComboBox*>(QStringLiteral("comboBox"));
    emit h->SigIpBoardVideoFormat(report);
    QCOMPARE(combo->currentIndex(), shown);
    QVERIFY(dlg->connectButton()->isEnabled());
    QVERIFY(!dlg->progressDialog()->isVisible());
    // The next change by hand is sent again: no flag was left behind.
    combo->setCurrentIndex(shown == 2 ? 1 : 2);
    QVERIFY(sim->waitForLog(
        [](const QJsonObject& l) {
            return l.value(QStringLiteral("code")).toInt() == kQualityCode;
        },
        5000));
    QCOMPARE(qualityFrames().size(), 1);
}

// The processor answers a quality command (here one the switch did not send)
// with its report 0x0671: the switch follows it and sends nothing back.
void TestPreview::processorsReportMovesTheSwitch()
{
    auto* combo = dlg->findChild<QComboBox*>(QStringLiteral("comboBox"));
    const int32_t quality = 1;
    SendCommand(&quality, SEND_VIDEOFORMATCMD, nullptr, QString());
    QTRY_COMPARE_WITH_TIMEOUT(combo->currentIndex(), 1, 5000);
    QVERIFY(dlg->connectButton()->isEnabled());
    QVERIFY(WaitSenderIdle(h));
    QCOMPARE(qualityFrames().size(), 1);
}

// The design's own waits, once: an ended stream comes back 15 s later.
void TestPreview::realTimeReconnect()
{
    dlg->SetWaitsForTest(30000, 15000, 2000);
    playUntilTheBoardEnds();
    if (QTest::currentTestFailed())
        return;
    QElapsedTimer since;
    since.start();
    QTRY_COMPARE_WITH_TIMEOUT(setups().size(), 4, 25000);
    QVERIFY2(since.elapsed() >= 14000, qPrintable(QString::number(since.elapsed())));
    waitPlaying();
}

// "Connect" on the visible window starts its progress; the first picture
// ends it, before its first tick or before its dialog was due, and the
// dialog never comes up over the playing streams.
void TestPreview::connectProgressEndsWithThePicture()
{
    connectAndPlay();
    if (QTest::currentTestFailed())
        return;
    dlg->StopVideo();
    QCOMPARE(dlg->player(0)->state(), Video::Stopped);

    // The picture before the first tick of 300 ms, as the players report it.
    QTest::mouseClick(dlg->connectButton(), Qt::LeftButton);
    QCOMPARE(dlg->progressDialog()->labelText(), QStringLiteral("Connect"));
    QVERIFY(!ProgressTest::ClosedForGood(dlg->progressDialog()));  // it would come
    dlg->On_Playing();
    QVERIFY(ProgressTest::ClosedForGood(dlg->progressDialog()));
    // And the streams' own first pictures.
    waitPlaying();
    QVERIFY(dlg->connectButton()->isEnabled());
    QVERIFY(ProgressTest::ClosedForGood(dlg->progressDialog()));
}

// The board goes away while the processor stays online: its streams stop
// without an end of stream and its connections fall silent (procsim
// stopped), until the client gives the stream up as lost. The players
// report the end the window answers by reconnecting, and once the board is
// back (with none of its old sessions) the pictures return without
// "Connect".
void TestPreview::lostStreamsReconnect()
{
    // Time enough for the board to be back before the reconnect.
    dlg->SetWaitsForTest(30000, 3000, 100);
    connectAndPlay();
    if (QTest::currentTestFailed())
        return;
    QSignalSpy end0(dlg->player(0), &VideoMediaPlayer::end);
    QSignalSpy end1(dlg->player(1), &VideoMediaPlayer::end);
    QVERIFY(VideoBoardSim::Signal(sim->logPath(), SIGSTOP));
    // Handled as the board comes back: it has lost its sessions.
    QVERIFY(VideoBoardSim::DropClients(sim->logPath()));
    const bool lost =
        QTest::qWaitFor([&] { return end0.count() >= 1 && end1.count() >= 1; }, 60000);
    QVERIFY(VideoBoardSim::Signal(sim->logPath(), SIGCONT));
    QVERIFY(lost);
    QTRY_VERIFY_WITH_TIMEOUT(setups().size() >= 4, 30000);
    waitPlaying();
    QVERIFY(dlg->connectButton()->isEnabled());
}

// The program held up for longer than a stream may go without a picture (a
// loaded machine, a suspended process: here the whole process is stopped
// from outside): the board streamed all along, so once the program runs
// again the streams go on playing, without an end and a reconnect.
void TestPreview::heldUpProgramKeepsPlayingStreams()
{
    connectAndPlay();
    if (QTest::currentTestFailed())
        return;
    QSignalSpy end0(dlg->player(0), &VideoMediaPlayer::end);
    QSignalSpy end1(dlg->player(1), &VideoMediaPlayer::end);
    const int heldMs = VideoMediaPlayer::kLostAfterMs + 1500;
    // Away from the event loop until the stop has come and gone (it may
    // come before startDetached returns).
    QElapsedTimer step;
    step.start();
    QVERIFY(QProcess::startDetached(
        QStringLiteral("sh"),
        {QStringLiteral("-c"), QStringLiteral("kill -STOP %1; sleep %2; kill -CONT %1")
                                   .arg(QCoreApplication::applicationPid())
                                   .arg(heldMs / 1000.0)}));
    bool held = step.elapsed() >= VideoMediaPlayer::kLostAfterMs;
    QDeadlineTimer deadline(30000);
    while (!held && !deadline.hasExpired()) {
        step.start();
        QThread::msleep(10);
        held = step.elapsed() >= VideoMediaPlayer::kLostAfterMs;
    }
    QVERIFY(held);
    // The watchdog's overdue look and the next pictures have been handled.
    const quint64 frames = dlg->player(0)->frameCount();
    QTRY_VERIFY_WITH_TIMEOUT(dlg->player(0)->frameCount() >= frames + 3, 10000);
    QCOMPARE(end0.count(), 0);
    QCOMPARE(end1.count(), 0);
    QCOMPARE(dlg->player(0)->state(), Video::Playing);
    QCOMPARE(dlg->player(1)->state(), Video::Playing);
}

// Stopping against a board that has frozen (procsim stopped): the players
// stop at once for the window, their pipelines stop on the players' own
// threads, and the window goes away only after them. After the board
// thaws, the streams play again.
void TestPreview::stopAgainstAFrozenBoard()
{
    connectAndPlay();
    if (QTest::currentTestFailed())
        return;
    QVERIFY(VideoBoardSim::Signal(sim->logPath(), SIGSTOP));
    dlg->StopVideo();
    QCOMPARE(dlg->player(0)->state(), Video::Stopped);
    QCOMPARE(dlg->player(1)->state(), Video::Stopped);
    // Started again as soon as the board thaws: each new pipeline starts
    // after the old one has let go of the client ports.
    QVERIFY(VideoBoardSim::Signal(sim->logPath(), SIGCONT));
    dlg->OnClickedConnectBtn();
    QVERIFY(!dlg->connectButton()->isEnabled());
    waitPlaying();

    // Gone while a pipeline still stops on a frozen board: the window's
    // players wait for theirs before they go.
    QVERIFY(VideoBoardSim::Signal(sim->logPath(), SIGSTOP));
    dlg->StopVideo();
    dlg.reset();
    QVERIFY(VideoBoardSim::Signal(sim->logPath(), SIGCONT));
}

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
