// Device search and selection: the device cell on its own, and the
// communication page with its device pages against simulated processors in
// the private test network (search, automatic and confirmed selection, take
// groups, online state and what the main window makes of it).
#include "Announcer.h"
#include "AppPaths.h"
#include "CustomMsgBox.h"
#include "DestinationDlg.h"
#include "GuiTest.h"
#include "InputSrcCell.h"
#include "InputSrcSetDlg.h"
#include "LayerSettingDlg.h"
#include "KSV_OpSetDlg.h"
#include "KSV_PicSetDlg.h"
#include "KSV_ShowVideoDlg.h"
#include "Look.h"
#include "MachineCell.h"
#include "MachinePageDlg.h"
#include "MainWindow.h"
#include "MiddleHandler.h"
#include "MiscDlg.h"
#include "MouseEvents.h"
#include "NeoSliderComb.h"
#include "PresetDlg.h"
#include "LinkedDevice.h"
#include "ProgressHelper.h"
#include "ProgressTest.h"
#include "ProjectFile.h"
#include "ScheduleTaskDlg.h"
#include "SearchGroups.h"
#include "TestNet.h"
#include "TestSupport.h"
#include "TitleBar.h"
#include "VideoPlayer.h"
#include "XmlStreamHelper.h"

#include <QAbstractSlider>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QUdpSocket>
#include <QtTest>
#include <memory>

using namespace GuiTest;
using namespace TestNet;
using TestSupport::WaitReadBackEnds;
using TestSupport::WaitSenderIdle;

namespace {
const QString kMac1 = LinkedDevice::kMac1;
const QString kMac2 = LinkedDevice::kMac2;
const QString kVideoBoard = kDeviceIp3;
const QString kSearchAddress2 = kForeignIp;
// What a page shows, widget by widget (the page itself left out): texts,
// values, checked, enabled and hidden states and the looks given by
// property, in the order the page built its widgets; not where it laid them
// out.
QStringList shows(QWidget* page)
{
    QStringList lines;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        // A tab bar's scroll arrows follow its width on screen.
        if (qobject_cast<QTabBar*>(w->parentWidget()))
            continue;
        QString line = QStringLiteral("%1 %2 %3%4")
                           .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName())
                           .arg(w->isEnabled() ? "on" : "off", w->isHidden() ? " hidden" : "");
        if (auto* l = qobject_cast<QLabel*>(w))
            line += QStringLiteral(" \"%1\"").arg(l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            line += QStringLiteral(" \"%1\"%2").arg(b->text(), b->isChecked() ? " checked" : "");
        if (auto* e = qobject_cast<QLineEdit*>(w))
            line += QStringLiteral(" \"%1\"").arg(e->text());
        if (auto* s = qobject_cast<QAbstractSlider*>(w))
            line += QStringLiteral(" %1").arg(s->value());
        if (auto* c = qobject_cast<QComboBox*>(w))
            line += QStringLiteral(" #%1").arg(c->currentIndex());
        if (auto* t = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i)
                line +=
                    QStringLiteral(" [%1%2]").arg(t->tabText(i), t->isTabEnabled(i) ? "" : " off");
        // The input cells' selection and validity are looks of their frames.
        for (const char* look : {"frameLook", "textLook"}) {
            const QVariant value = w->property(look);
            if (value.isValid())
                line += QStringLiteral(" %1=%2").arg(QLatin1String(look), value.toString());
        }
        lines << line;
    }
    return lines;
}

// The main window's own button: the pages in its stack name theirs
// pushButton_N too.
QPushButton* pageButton(QWidget* window, const char* name)
{
    auto* stack = window->findChild<QStackedWidget*>(QStringLiteral("stackedWidget"));
    for (QPushButton* b : window->findChildren<QPushButton*>(QLatin1String(name)))
        if (!stack->isAncestorOf(b))
            return b;
    return nullptr;
}

// The main window's input page, not the layer view's input column.
InputSrcSetDlg* inputPage(QWidget* window)
{
    for (InputSrcSetDlg* page : window->findChildren<InputSrcSetDlg*>())
        if (page->isPageMode())
            return page;
    return nullptr;
}

// One report per device page.
const QList<bool> kFiveOffline = QVector<bool>(DestinationDlg::kPageCount, false).toList();
const QList<bool> kFiveOnline = QVector<bool>(DestinationDlg::kPageCount, true).toList();
// Z7050-1 (with its video board) and Z7050-2, each with a state of its own.
QStringList twoDevices()
{
    return LinkedDevice::twoDevices({"--status-interval", "200"});
}

// The online reports of a spy, in order.
QList<bool> reports(const QSignalSpy& spy)
{
    QList<bool> out;
    for (const QList<QVariant>& args : spy)
        out << args.at(0).toBool();
    return out;
}

// The colours a cell shows: its frame's border and background and the text
// of its labels.
struct CellLook {
    QColor border, background, text;
};

CellLook lookOf(MachineCell& cell)
{
    const QImage frame = cell.findChild<QFrame*>("frame")->grab().toImage();
    const QLabel* label = cell.findChild<QLabel*>("label");
    return {frame.pixelColor(1, frame.height() / 2), frame.pixelColor(3, frame.height() / 2),
            label->palette().color(QPalette::WindowText)};
}

QStringList cellTexts(const MachinePageDlg* page)
{
    QStringList out;
    for (const MachineCell* c : page->cells())
        out << c->name() + " " + c->ipAddr() + " " + c->macAddr() + " " + c->ethIpAddr();
    return out;
}

MachineCell* cellByIp(const MachinePageDlg* page, const QString& ip)
{
    for (MachineCell* c : page->cells())
        if (c->ipAddr() == ip)
            return c;
    return nullptr;
}

// The IP texts of a page's current cells.
QStringList currentCells(const MachinePageDlg* page)
{
    QStringList out;
    for (const MachineCell* c : page->cells())
        if (c->isCurrent())
            out << c->ipAddr();
    return out;
}

// The preview plays (or tries to play) the stream at location and would
// reconnect it: the selected device is on line.
bool previewPlays(const QString& location)
{
    const auto* preview = qobject_cast<const KSV_ShowVideoDlg*>(GuiTest::currentPreview());
    return preview && preview->reconnectWanted() && preview->media(0) &&
           preview->media(0)->location() == location;
}
}  // namespace

class TestSearch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    // The device cell.
    void cellShowsDevice();
    void cellOnlineState_data();
    void cellOnlineState();
    void cellBecomingCurrentReportsState();
    void cellClick_data();
    void cellClick();
    void cellCheckButton();
    void languageChange();

    // The communication page in the private network.
    void searchSelectsAndReadBackFirst();
    void searchStepsOverAddresses();
    void emptyListMarker_data();
    void emptyListMarker();
    void tabsFollowDeviceCount_data();
    void tabsFollowDeviceCount();
    void announcementOfKnownDevice();
    void announcementDuringInquireDelay();
    void readBackTimesOut();
    void clickSelects_data();
    void clickSelects();
    void searchDuringConfirmation();
    void takeGroups_data();
    void takeGroups();
    void heartbeatAfterOfflineReadsAgain();
    void mainWindowFollowsSelectedDevice();
    void unopenedPagesFollowTheReadBack();
    void hiddenPagesShowTheReadBackWhenOpened();
    void pagesBuiltInStepsAsAtOnce_data();
    void pagesBuiltInStepsAsAtOnce();
    void layerViewBuiltAfterTheFirstFrameAsAtOnce();
    void silentDeviceGoesOffline();
    // A device that comes back at another address.
    void movedDeviceIsFollowed_data();
    void movedDeviceIsFollowed();

private:
    void makePage(const QStringList& addresses = {kPcIp});
    void searchAndReadBack();
    // The window's communication page searches the PC's address; the first
    // device found is selected and read back, and nothing is left to send.
    void searchFromWindow(QWidget* window);
    void announce(const QString& ip, const QString& mac, const QString& ethIp = QString());

    MiddleHandler* h = nullptr;
    std::unique_ptr<LinkedDevice> device;
    std::unique_ptr<DestinationDlg> dlg;
};

void TestSearch::initTestCase()
{
    InitAppResources();
    QVERIFY(Look::ApplyStyleSheet());
    qApp->setQuitOnLastWindowClosed(false);
    h = MiddleHandler::GetInstance();
}

void TestSearch::init()
{
    device = std::make_unique<LinkedDevice>();
    SearchHostIp.clear();
    for (QByteArray& group : CheckedMachineList)
        group.clear();
    CheckedGroupIndex = -1;
    if (InPrivateNetwork()) {
        h->SetInquiryDelay(300);
        h->ResetForTest();
    }
}

void TestSearch::cleanup()
{
    dlg.reset();
    device.reset();
    if (InPrivateNetwork())
        h->ResetForTest();
}

void TestSearch::cleanupTestCase()
{
    h->ShutdownForTest();
}

void TestSearch::makePage(const QStringList& addresses)
{
    dlg = std::make_unique<DestinationDlg>(nullptr);
    dlg->setSearchAddresses(addresses);
    dlg->setSearchTimings(DestinationDlg::kSearchStepMs, 50);
    dlg->resize(900, 500);
    dlg->show();
}

void TestSearch::searchAndReadBack()
{
    QSignalSpy end(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    dlg->StartSearch();
    QTRY_COMPARE_WITH_TIMEOUT(dlg->page(0)->cells().size(), 2, 5000);
    QVERIFY(WaitReadBackEnds(h, end, 1));
}

void TestSearch::searchFromWindow(QWidget* window)
{
    auto* comm = window->findChild<DestinationDlg*>();
    QVERIFY(comm);
    comm->setSearchAddresses({kPcIp});
    comm->setSearchTimings(DestinationDlg::kSearchStepMs, 50);
    QSignalSpy end(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    comm->StartSearch();
    QVERIFY(WaitReadBackEnds(h, end, 1));
    QVERIFY(WaitSenderIdle(h));
}

void TestSearch::announce(const QString& ip, const QString& mac, const QString& ethIp)
{
    QByteArray bytes = QByteArray::fromHex(mac.toLatin1().replace(':', ""));
    emit h->SigMachineIPEvent(ip, reinterpret_cast<BYTE*>(bytes.data()), ethIp);
}

// ------------------------------------------------------------------ the cell

void TestSearch::cellShowsDevice()
{
    MachineCell cell(nullptr);
    cell.setName("Z7050-1");
    cell.setIpAddr("192.168.1.20");
    cell.setEthIpAddr("192.168.1.22");
    cell.setMacAddr("02-4B-53-00-00-20");
    QCOMPARE(cell.findChild<QLabel*>("label")->text(), QString("Name:Z7050-1"));
    QCOMPARE(cell.findChild<QLabel*>("label_2")->text(), QString("IpAddr:192.168.1.20"));
    QCOMPARE(cell.findChild<QLabel*>("label_3")->text(), QString("EthIpAddr:192.168.1.22"));
    QCOMPARE(cell.findChild<QLabel*>("label_4")->text(), QString("MacAddr:02-4B-53-00-00-20"));
    QVERIFY(!cell.isOnline());
    QVERIFY(!cell.isCurrent());
    auto* timer = cell.findChild<QTimer*>();
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 6000);
}

// Events: 'h' a heartbeat (set online), 't' a run-out of the heartbeat timer.
void TestSearch::cellOnlineState_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<bool>("online");
    QTest::addColumn<QList<bool>>("reported");

    QTest::newRow("beats keep it online") << "hhhhh" << true << QList<bool>{true};
    QTest::newRow("silent: offline at the second run-out") << "ht" << true << QList<bool>{true};
    QTest::newRow("silent for two run-outs") << "htt" << false << QList<bool>{true, false};
    // A gap of one run-out is remembered: the next silence takes one run-out.
    QTest::newRow("gap, beats, then one run-out")
        << "hthhht" << false << QList<bool>{true, false};
    QTest::newRow("offline again changes nothing")
        << "htttt" << false << QList<bool>{true, false};
    QTest::newRow("back online") << "htth" << true << QList<bool>{true, false, true};
    // Going offline resets the count: one run-out after returning is not enough.
    QTest::newRow("count restarts after offline")
        << "htthht" << true << QList<bool>{true, false, true};
}

void TestSearch::cellOnlineState()
{
    QFETCH(QString, events);
    QFETCH(bool, online);
    QFETCH(QList<bool>, reported);

    for (bool current : {true, false}) {
        MachineCell cell(nullptr);
        cell.setCurrent(current);
        QSignalSpy spy(&cell, &MachineCell::sigMachineOnOffLine);
        for (QChar e : events) {
            if (e == 'h')
                cell.setOnline(true);
            else
                cell.On_HeartBeatOnLine();
        }
        QCOMPARE(cell.isOnline(), online);
        // Only the current cell reports.
        QCOMPARE(reports(spy), current ? reported : QList<bool>{});
        // The border tells the state.
        const CellLook look = lookOf(cell);
        QCOMPARE(look.border, online ? QColor(0, 255, 0) : QColor(255, 0, 0));
        QCOMPARE(look.background, current ? Look::Accent() : QColor(46, 46, 46));
    }
}

void TestSearch::cellBecomingCurrentReportsState()
{
    MachineCell cell(nullptr);
    cell.setOnline(true);
    QSignalSpy spy(&cell, &MachineCell::sigMachineOnOffLine);
    cell.setCurrent(true);
    QCOMPARE(reports(spy), QList<bool>{true});
    QCOMPARE(lookOf(cell).text, QColor(16, 16, 16));
    cell.setCurrent(true);  // already current: nothing to report
    cell.setCurrent(false);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(lookOf(cell).text, QColor(235, 235, 235));

    cell.On_HeartBeatOnLine();
    cell.On_HeartBeatOnLine();
    QVERIFY(!cell.isOnline());
    cell.setCurrent(true);
    QCOMPARE(reports(spy), (QList<bool>{true, false}));
}

void TestSearch::cellClick_data()
{
    QTest::addColumn<bool>("checkButton");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("clicks");
    QTest::newRow("left") << false << int(Qt::LeftButton) << 1;
    QTest::newRow("left, check button shown") << true << int(Qt::LeftButton) << 1;
    QTest::newRow("right") << false << int(Qt::RightButton) << 0;
    QTest::newRow("middle") << true << int(Qt::MiddleButton) << 0;
}

void TestSearch::cellClick()
{
    QFETCH(bool, checkButton);
    QFETCH(int, button);
    QFETCH(int, clicks);
    MachineCell cell(nullptr);
    cell.setCheckBtnVisible(checkButton);
    cell.show();
    QSignalSpy spy(&cell, &MachineCell::sigClickMachineCell);
    MouseEvents::press(&cell, QPoint(3, 3), Qt::MouseButton(button));
    QCOMPARE(spy.count(), clicks);
    if (clicks)
        QCOMPARE(spy.at(0).at(0).value<MachineCell*>(), &cell);
}

void TestSearch::cellCheckButton()
{
    MachineCell cell(nullptr);
    cell.show();
    auto* check = cell.findChild<QPushButton*>("checkButton");
    QVERIFY(!check->isVisible());
    cell.setCheckBtnVisible(true);
    QVERIFY(check->isVisible());
    QSignalSpy spy(&cell, &MachineCell::sigMachineCheck);
    check->click();
    check->click();
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).value<MachineCell*>(), &cell);
    QCOMPARE(spy.at(0).at(1).toBool(), true);
    QCOMPARE(spy.at(1).at(1).toBool(), false);
}

void TestSearch::languageChange()
{
    DestinationDlg page(nullptr);
    QTranslator chinese;
    QVERIFY(chinese.load(QStringLiteral(LEDZ_LANGUAGE_DIR "/KSV_Z9050_Chinese.qm")));
    QCoreApplication::installTranslator(&chinese);
    QCoreApplication::processEvents();  // the language change is posted
    auto* tabs = page.tabWidget();
    const QStringList translated = {tabs->tabText(0), tabs->tabText(3),
                                    page.findChild<QPushButton*>("pushButton")->text()};
    const QString label =
        page.findChild<ProgressHelper*>(QString(), Qt::FindDirectChildrenOnly)->dialog()->labelText();
    QCoreApplication::removeTranslator(&chinese);
    QCoreApplication::processEvents();
    QCOMPARE(translated, QStringList({QString::fromUtf8("所有设备"),
                                      QString::fromUtf8("设备组-3"),
                                      QString::fromUtf8("搜索设备")}));
    QCOMPARE(label, QString::fromUtf8("正在搜索设备..."));
    QCOMPARE(tabs->tabText(3), QString("MACHINEPAGE-3"));
}

// --------------------------------------------------------- the search pages

void TestSearch::searchSelectsAndReadBackFirst()
{
    REQUIRE_PRIVATE_NETWORK();
    QVERIFY(device->start(twoDevices()));
    makePage();
    QSignalSpy online(dlg.get(), &DestinationDlg::sigMachineOnOffLine);
    QSignalSpy inquire(dlg.get(), &DestinationDlg::sigInquireMachineData);
    QSignalSpy eth(dlg.get(), &DestinationDlg::sigConnectEthBoard);
    searchAndReadBack();

    // Every page lists both, numbered in the order of announcement (sorted).
    const QStringList cells = {"Z7050-1 192.168.1.20 02-4B-53-00-00-20 192.168.1.22",
                               "Z7050-2 192.168.1.21 02-4B-53-00-00-21 "};
    for (int i = 0; i < DestinationDlg::kPageCount; ++i) {
        const MachinePageDlg* page = dlg->page(i);
        QCOMPARE(cellTexts(page), cells);
        QCOMPARE(currentCells(page), QStringList{kDeviceIp1});
        QVERIFY(page->cells().at(0)->isOnline());
        QVERIFY(page->cells().at(1)->isOnline());
        QCOMPARE(page->cells().at(0)->findChild<QPushButton*>("checkButton")->isHidden(), i == 0);
    }

    // Only "All Destinations" selected Z7050-1 and read it back with its clock.
    QCOMPARE(h->GetCurrentIp(), kDeviceIp1);
    QCOMPARE(device->frames().receivedCodes(kDeviceIp1), (QList<int>{0x0600, 0x001F}));
    QVERIFY(device->frames().receivedCodes(kDeviceIp2).isEmpty());
    QCOMPARE(inquire.count(), 1);
    QCOMPARE(eth.count(), 1);
    QCOMPARE(eth.at(0).at(0).toString(), kVideoBoard);
    QVERIFY(h->GetCurrentMData()->M_InputData.port[0].portNum > 0);
    auto* readBack = dlg->page(0)->findChild<ProgressHelper*>();
    QVERIFY(!readBack->isRunning());
    QCOMPARE(readBack->count(), ProgressHelper::kSteps);
    QCOMPARE(readBack->dialog()->labelText(), QString("Inquire Machine Data."));

    // The search ended at the first announcement, from the search address.
    QVERIFY(!dlg->isSearching());
    auto* search = dlg->findChild<ProgressHelper*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(!search->isRunning());
    // Both ended long before their dialogs were due: neither comes up later.
    QVERIFY(ProgressTest::ClosedForGood(search->dialog()));
    QVERIFY(ProgressTest::ClosedForGood(readBack->dialog()));
    QCOMPARE(SearchHostIp, kPcIp);
    QCOMPARE(device->frames().count(0x8080, "ffc0a8010a" + QString("55").repeated(27),
                                    "255.255.255.255"),
             1);
    QCOMPARE(h->GetBroadcastLocalIp(), kPcIp);

    // The step reported the old selection gone; then every page reported the
    // first device online once.
    QCOMPARE(reports(online), (QList<bool>{false, true, true, true, true, true}));
}

void TestSearch::searchStepsOverAddresses()
{
    REQUIRE_PRIVATE_NETWORK();
    // Nobody answers: the test listens to the search frames itself.
    QUdpSocket listener;
    QVERIFY(listener.bind(QHostAddress("255.255.255.255"), kDevicePort,
                          QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
    // The search frame waits for the event loop; so does the test.
    auto nextFrom = [&]() -> QString {
        if (!QTest::qWaitFor([&] { return listener.hasPendingDatagrams(); }, 5000))
            return QString();
        QHostAddress from;
        quint16 port = 0;
        QByteArray frame(int(listener.pendingDatagramSize()), 0);
        listener.readDatagram(frame.data(), frame.size(), &from, &port);
        return QString("%1:%2 %3 %4")
            .arg(from.toString())
            .arg(port)
            .arg(QString(frame.left(6).toHex()), QString(frame.mid(6, 5).toHex()));
    };

    makePage({kPcIp, kSearchAddress2});
    dlg->setSearchTimings(60000, 0);
    QSignalSpy steps(dlg.get(), &DestinationDlg::SigSearchMachine);
    int emptyListReports = 0;
    QObject listReports;  // ends the connection with the test
    connect(h, &MiddleHandler::SigMachineIPEvent, &listReports,
            [&](QString ip, BYTE*, QString) { emptyListReports += ip.isEmpty(); });
    dlg->StartSearch();
    QCOMPARE(h->GetBroadcastLocalIp(), kPcIp);
    QCOMPARE(steps.count(), 1);
    QCOMPARE(nextFrom(), QString("192.168.1.10:61215 edcb28388080 ffc0a8010a"));
    QCOMPARE(SearchHostIp, kPcIp);
    auto* progress = dlg->findChild<ProgressHelper*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(progress->isRunning());

    // The empty-list report 300 ms after the frame does not end the step.
    QTRY_COMPARE_WITH_TIMEOUT(emptyListReports, 1, 5000);
    QVERIFY(dlg->isSearching());
    QVERIFY(progress->isRunning());

    QVERIFY(QMetaObject::invokeMethod(dlg.get(), "On_SearchTimeOut"));
    QCOMPARE(h->GetBroadcastLocalIp(), kSearchAddress2);
    QCOMPARE(nextFrom(), QString("192.168.1.30:61215 edcb28388080 ffc0a8011e"));
    QCOMPARE(SearchHostIp, kSearchAddress2);

    // "Search Destinations" starts again at the first address.
    dlg->findChild<QPushButton*>("pushButton")->click();
    QCOMPARE(h->GetBroadcastLocalIp(), kPcIp);
    QCOMPARE(nextFrom(), QString("192.168.1.10:61215 edcb28388080 ffc0a8010a"));
    QVERIFY(QMetaObject::invokeMethod(dlg.get(), "On_SearchTimeOut"));
    QVERIFY(!nextFrom().isEmpty());

    // Past the last address the search ends quietly.
    QVERIFY(QMetaObject::invokeMethod(dlg.get(), "On_SearchTimeOut"));
    QVERIFY(!dlg->isSearching());
    QVERIFY(!progress->isRunning());
    QCOMPARE(progress->count(), ProgressHelper::kSteps);
    QCOMPARE(steps.count(), 4);
    for (int i = 0; i < DestinationDlg::kPageCount; ++i)
        QVERIFY(dlg->tabWidget()->isTabEnabled(i));

    // The program's own timings: a step lasts 4 s and its frame leaves after 500 ms.
    dlg->setSearchTimings(DestinationDlg::kSearchStepMs, DestinationDlg::kInquireDelayMs);
    dlg->setSearchAddresses({kPcIp});
    QElapsedTimer t;
    t.start();
    dlg->StartSearch();
    QCOMPARE(dlg->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly)->interval(), 4000);
    QVERIFY(!nextFrom().isEmpty());
    QVERIFY2(t.elapsed() >= 450, qPrintable(QString::number(t.elapsed())));
}

void TestSearch::emptyListMarker_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<bool>("withMac");
    QTest::newRow("null text, no MAC") << QString() << false;
    QTest::newRow("empty text, MAC") << QString("") << true;
    QTest::newRow("address, no MAC") << kDeviceIp1 << false;
}

void TestSearch::emptyListMarker()
{
    REQUIRE_PRIVATE_NETWORK();
    QFETCH(QString, ip);
    QFETCH(bool, withMac);
    makePage();
    dlg->setSearchTimings(60000, 60000);
    dlg->StartSearch();
    dlg->tabWidget()->setTabEnabled(2, false);
    QSignalSpy inquire(dlg.get(), &DestinationDlg::sigInquireMachineData);
    if (withMac)
        announce(ip, kMac1);
    else
        emit h->SigMachineIPEvent(ip, nullptr, QString());
    QVERIFY(dlg->isSearching());
    QVERIFY(!dlg->tabWidget()->isTabEnabled(2));
    QVERIFY(dlg->tabWidget()->isTabEnabled(1));
    for (int i = 0; i < DestinationDlg::kPageCount; ++i)
        QVERIFY(dlg->page(i)->cells().isEmpty());
    QCOMPARE(inquire.count(), 0);
    QVERIFY(!dlg->page(0)->findChild<ProgressHelper*>()->isRunning());
}

void TestSearch::tabsFollowDeviceCount_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("cells");
    QTest::addColumn<bool>("groups");
    QTest::newRow("one processor") << QStringList{"--device", kDeviceIp1 + "," + kMac1} << 1
                                   << false;
    QTest::newRow("two processors") << QStringList{"--device", kDeviceIp1 + "," + kMac1,
                                                   "--device", kDeviceIp2 + "," + kMac2}
                                    << 2 << true;
    // The video board is an entry of the list of its own.
    QTest::newRow("one processor with its video board")
        << QStringList{"--device", kDeviceIp1 + "," + kMac1 + "," + kVideoBoard} << 1 << true;
}

void TestSearch::tabsFollowDeviceCount()
{
    REQUIRE_PRIVATE_NETWORK();
    QFETCH(QStringList, args);
    QFETCH(int, cells);
    QFETCH(bool, groups);
    QVERIFY(device->start(args));
    makePage();
    // Before any announcement every tab can be chosen.
    for (int i = 0; i < DestinationDlg::kPageCount; ++i)
        QVERIFY(dlg->tabWidget()->isTabEnabled(i));
    dlg->StartSearch();
    QTRY_COMPARE_WITH_TIMEOUT(dlg->page(0)->cells().size(), cells, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!dlg->isSearching(), 5000);
    QVERIFY(dlg->tabWidget()->isTabEnabled(0));
    for (int i = 1; i < DestinationDlg::kPageCount; ++i)
        QCOMPARE(dlg->tabWidget()->isTabEnabled(i), groups);
    // A new search leaves the tabs as they are until the next announcement.
    device->stop();
    dlg->StartSearch();
    for (int i = 1; i < DestinationDlg::kPageCount; ++i)
        QCOMPARE(dlg->tabWidget()->isTabEnabled(i), groups);
}

void TestSearch::announcementOfKnownDevice()
{
    REQUIRE_PRIVATE_NETWORK();
    makePage();
    dlg->setSearchTimings(60000, 60000);
    dlg->StartSearch();
    QSignalSpy inquire(dlg.get(), &DestinationDlg::sigInquireMachineData);

    announce(kDeviceIp1, kMac1);
    QCOMPARE(inquire.count(), 1);
    QVERIFY(dlg->page(0)->findChild<ProgressHelper*>()->isRunning());
    QVERIFY(!dlg->isSearching());

    // The single device announcing itself again is selected again.
    announce(kDeviceIp1, kMac1);
    QCOMPARE(inquire.count(), 2);
    // A second device is listed but not selected.
    announce(kDeviceIp2, kMac2);
    QCOMPARE(inquire.count(), 2);
    // Announced at a new address and with its video board, its cell follows
    // and keeps its name.
    announce("192.168.1.25", kMac2, kVideoBoard);
    QCOMPARE(inquire.count(), 2);
    for (int i = 0; i < DestinationDlg::kPageCount; ++i) {
        QCOMPARE(cellTexts(dlg->page(i)),
                 (QStringList{"Z7050-1 192.168.1.20 02-4B-53-00-00-20 ",
                              "Z7050-2 192.168.1.25 02-4B-53-00-00-21 192.168.1.22"}));
        QCOMPARE(currentCells(dlg->page(i)), QStringList{kDeviceIp1});
    }

    // A search step removes every cell and reports the selection gone; the
    // numbering starts again.
    QSignalSpy online(dlg.get(), &DestinationDlg::sigMachineOnOffLine);
    dlg->StartSearch();
    QCOMPARE(reports(online), QList<bool>{false});
    for (int i = 0; i < DestinationDlg::kPageCount; ++i)
        QVERIFY(dlg->page(i)->cells().isEmpty());
    announce(kDeviceIp2, kMac2);
    QCOMPARE(cellTexts(dlg->page(3)), QStringList{"Z7050-1 192.168.1.21 02-4B-53-00-00-21 "});
}

void TestSearch::announcementDuringInquireDelay()
{
    REQUIRE_PRIVATE_NETWORK();
    makePage();
    dlg->setSearchTimings(60000, 100);
    dlg->StartSearch();
    // A device that announces itself before the search frame ends the search;
    // the frame still goes out and names the search address.
    announce(kDeviceIp1, kMac1);
    QVERIFY(!dlg->isSearching());
    QVERIFY(SearchHostIp.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(SearchHostIp, kPcIp, 5000);
}

void TestSearch::readBackTimesOut()
{
    REQUIRE_PRIVATE_NETWORK();
    makePage();
    dlg->setSearchTimings(60000, 60000);
    dlg->StartSearch();
    announce(kDeviceIp1, kMac1);  // nobody answers the read-back
    MachinePageDlg* page = dlg->page(0);
    auto* progress = page->findChild<ProgressHelper*>();
    QVERIFY(progress->isRunning());
    for (int tick = 1; tick < ProgressHelper::kSteps; ++tick)
        progress->updateProgressDialog();
    QVERIFY(page->findChildren<CustomMsgBox*>().isEmpty());
    progress->updateProgressDialog();
    QVERIFY(!progress->isRunning());
    const QList<CustomMsgBox*> boxes = page->findChildren<CustomMsgBox*>();
    QCOMPARE(boxes.size(), 1);
    QVERIFY(boxes[0]->isVisible());
    QCOMPARE(boxes[0]->findChild<QLabel*>("messageLabel")->text(),
             QString("Inquire Machine Data Timeout."));
    // The selection stays.
    QCOMPARE(currentCells(page), QStringList{kDeviceIp1});
}

void TestSearch::clickSelects_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("ok");
    QTest::newRow("All Destinations, Ok") << 0 << true;
    QTest::newRow("group tab, Ok") << 2 << true;
    QTest::newRow("group tab, Cancel") << 2 << false;
}

void TestSearch::clickSelects()
{
    REQUIRE_PRIVATE_NETWORK();
    QFETCH(int, tab);
    QFETCH(bool, ok);
    QVERIFY(device->start(twoDevices()));
    makePage();
    searchAndReadBack();
    dlg->tabWidget()->setCurrentIndex(tab);
    QSignalSpy inquire(dlg.get(), &DestinationDlg::sigInquireMachineData);
    QSignalSpy online(dlg.get(), &DestinationDlg::sigMachineOnOffLine);

    const BoxAnswer box(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
    MouseEvents::press(cellByIp(dlg->page(tab), kDeviceIp2), QPoint(3, 3));
    QCOMPARE(box.question(), QString("Tips: Inquire The Machine Data?"));

    if (!ok) {
        QCOMPARE(h->PendingShortFrames(), 0);
        QCOMPARE(inquire.count(), 0);
        QCOMPARE(h->GetCurrentIp(), kDeviceIp1);
        for (int i = 0; i < DestinationDlg::kPageCount; ++i)
            QCOMPARE(currentCells(dlg->page(i)), QStringList{kDeviceIp1});
        return;
    }

    QCOMPARE(inquire.count(), 1);
    QCOMPARE(h->GetCurrentIp(), kDeviceIp2);
    for (int i = 0; i < DestinationDlg::kPageCount; ++i)
        QCOMPARE(currentCells(dlg->page(i)), QStringList{kDeviceIp2});
    // Each page whose current cell changed reported the new one online.
    QCOMPARE(reports(online), kFiveOnline);
    QVERIFY(dlg->page(tab)->findChild<ProgressHelper*>()->isRunning());
    QVERIFY(device->frames().waitForReceived(0x0600, kDeviceIp2));
    // The PC's search address, then the request for the whole configuration.
    QCOMPARE(device->frames().receivedTexts(kDeviceIp2), (QStringList{"0401 c0a8010a", "0600"}));
    QVERIFY(WaitSenderIdle(h));
    QTRY_VERIFY_WITH_TIMEOUT(!dlg->page(tab)->findChild<ProgressHelper*>()->isRunning(), 10000);
}

void TestSearch::searchDuringConfirmation()
{
    REQUIRE_PRIVATE_NETWORK();
    QVERIFY(device->start(twoDevices()));
    makePage();
    searchAndReadBack();
    device->stop();
    QSignalSpy inquire(dlg.get(), &DestinationDlg::sigInquireMachineData);
    QPointer<MachineCell> clicked = cellByIp(dlg->page(0), kDeviceIp2);
    bool deleted = false;
    const BoxAnswer box([&](QWidget* modal) {
        // A search step while the question is open removes every cell.
        dlg->setSearchTimings(60000, 60000);
        dlg->StartSearch();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        deleted = clicked.isNull();
        QVERIFY(clickBoxButton(modal, QDialogButtonBox::Ok));
    });
    MouseEvents::press(clicked, QPoint(3, 3));
    QVERIFY(deleted);  // the clicked cell went while the question was open
    QCOMPARE(inquire.count(), 0);
    QCOMPARE(h->PendingShortFrames(), 0);
    QVERIFY(dlg->page(0)->cells().isEmpty());
}

void TestSearch::takeGroups_data()
{
    // Steps: "tab:device:tick" with device 1 (.20) or 2 (.21) and tick 1 or 0.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<QByteArray>>("groups");
    const QByteArray none;
    QTest::newRow("tick on two tabs") << QStringList{"1:2:1", "1:1:1", "3:1:1"}
                                      << QList<QByteArray>{"\x15\x14", none, "\x14", none};
    QTest::newRow("ticking twice adds once") << QStringList{"2:1:1", "2:1:1", "2:2:1"}
                                             << QList<QByteArray>{none, "\x14\x15", none, none};
    QTest::newRow("untick") << QStringList{"4:1:1", "4:2:1", "4:1:0"}
                            << QList<QByteArray>{none, none, none, "\x15"};
    QTest::newRow("untick what is not there") << QStringList{"1:1:0", "1:2:1", "1:1:0"}
                                              << QList<QByteArray>{"\x15", none, none, none};
    QTest::newRow("All Destinations has no group") << QStringList{"0:1:1"}
                                                   << QList<QByteArray>{none, none, none, none};
}

void TestSearch::takeGroups()
{
    REQUIRE_PRIVATE_NETWORK();
    QFETCH(QStringList, steps);
    QFETCH(QList<QByteArray>, groups);
    makePage();
    dlg->setSearchTimings(60000, 60000);
    dlg->StartSearch();
    announce(kDeviceIp1, kMac1);
    announce(kDeviceIp2, kMac2);
    for (const QString& step : steps) {
        const QStringList s = step.split(':');
        MachineCell* cell = dlg->page(s[0].toInt())->cells().at(s[1].toInt() - 1);
        cell->OnClickedCheckBtn(s[2] == "1");
    }
    for (int k = 0; k < kTakeGroupCount; ++k)
        QCOMPARE(CheckedMachineList[k], groups[k]);

    // A new search keeps the groups; the new cells show unticked buttons.
    dlg->StartSearch();
    announce(kDeviceIp1, kMac1);
    QVERIFY(!dlg->page(1)->cells().at(0)->findChild<QPushButton*>("checkButton")->isChecked());
    for (int k = 0; k < kTakeGroupCount; ++k)
        QCOMPARE(CheckedMachineList[k], groups[k]);
    // Only a device page is heard.
    dlg->On_sigGroupCheckMachineIp(kDeviceIp1, true);
    for (int k = 0; k < kTakeGroupCount; ++k)
        QCOMPARE(CheckedMachineList[k], groups[k]);

    // The current group follows the tab.
    for (int tab : {3, 1, 4, 0}) {
        dlg->tabWidget()->setCurrentIndex(tab);
        QCOMPARE(CheckedGroupIndex, tab - 1);
    }
}

void TestSearch::heartbeatAfterOfflineReadsAgain()
{
    REQUIRE_PRIVATE_NETWORK();
    QVERIFY(device->start(twoDevices()));
    makePage();
    searchAndReadBack();
    QSignalSpy online(dlg.get(), &DestinationDlg::sigMachineOnOffLine);
    QSignalSpy end(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    QSignalSpy eth(dlg.get(), &DestinationDlg::sigConnectEthBoard);

    // Two run-outs on every page (no heartbeat between them: the slots run
    // back to back): the selected device goes offline everywhere.
    for (int i = 0; i < DestinationDlg::kPageCount; ++i) {
        MachineCell* cell = cellByIp(dlg->page(i), kDeviceIp1);
        cell->On_HeartBeatOnLine();
        cell->On_HeartBeatOnLine();
        QVERIFY(!cell->isOnline());
    }
    QCOMPARE(reports(online), kFiveOffline);

    // Its next status frame brings it back; only "All Destinations" reads it again.
    QVERIFY(WaitReadBackEnds(h, end, 1));
    for (int i = 0; i < DestinationDlg::kPageCount; ++i)
        QVERIFY(cellByIp(dlg->page(i), kDeviceIp1)->isOnline());
    QCOMPARE(reports(online).mid(5), kFiveOnline);
    QCOMPARE(device->frames().receivedCodes(kDeviceIp1).count(0x0600), 2);
    QCOMPARE(eth.count(), 1);
    QVERIFY(!dlg->page(0)->findChild<ProgressHelper*>()->isRunning());
}

void TestSearch::mainWindowFollowsSelectedDevice()
{
    REQUIRE_PRIVATE_NETWORK();
    QVERIFY(qEnvironmentVariableIsSet("LEDZ_NO_SEARCH"));
    QVERIFY(device->start(twoDevices()));
    dropPreviews();
    auto w = std::make_unique<MainWindow>();
    // The test ticks the status timer itself.
    for (QTimer* t : w->findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly))
        t->stop();
    auto* comm = w->findChild<DestinationDlg*>();
    comm->setSearchAddresses({kPcIp});
    comm->setSearchTimings(DestinationDlg::kSearchStepMs, 50);
    const QImage tx = QPixmap(":/res/Image/netstatus-tx.png").toImage();
    const QImage rx = QPixmap(":/res/Image/netstatus-rx.png").toImage();
    const QImage error = QPixmap(":/res/Image/network-error.png").toImage();

    QSignalSpy end(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    comm->StartSearch();
    QVERIFY(WaitReadBackEnds(h, end, 1));
    w->On_StatusOnLine();
    QCOMPARE(statusIcon(w.get(), 2), tx);
    w->On_StatusOnLine();
    QCOMPARE(statusIcon(w.get(), 2), rx);
    QVERIFY(previewPlays("rtsp://192.168.1.22:654/h264"));

    // Its cell runs out twice: the icon shows the error and the preview stops.
    MachineCell* cell = comm->page(0)->cells().at(0);
    cell->On_HeartBeatOnLine();
    cell->On_HeartBeatOnLine();
    w->On_StatusOnLine();
    QCOMPARE(statusIcon(w.get(), 2), error);
    QVERIFY(!previewPlays("rtsp://192.168.1.22:654/h264"));
    QTRY_VERIFY_WITH_TIMEOUT(cell->isOnline(), 5000);  // its next status frame
    w->On_StatusOnLine();
    QCOMPARE(statusIcon(w.get(), 2), tx);

    // A new search forgets the selected device at once.
    QVERIFY(WaitSenderIdle(h));
    device->stop();
    comm->findChild<QPushButton*>("pushButton")->click();
    w->On_StatusOnLine();
    QCOMPARE(statusIcon(w.get(), 2), error);
    w.reset();
    delete currentPreview();
}

// The window builds its picture, input and preset pages after its first
// frame or when they are first wanted. Never painted here, it builds them when the
// operator opens them, after the read-back: each then shows what a page
// built before the read-back shows, and a project saved before either was
// opened holds the device's settings that they edit.
void TestSearch::unopenedPagesFollowTheReadBack()
{
    REQUIRE_PRIVATE_NETWORK();
    QVERIFY(qEnvironmentVariableIsSet("LEDZ_NO_SEARCH"));
    QTemporaryDir appDir;
    QVERIFY(appDir.isValid());
    const QByteArray oldAppDir = qgetenv("LEDZ_APP_DIR");
    qputenv("LEDZ_APP_DIR", appDir.path().toLocal8Bit());
    const QString project = appDir.filePath(QStringLiteral("exit.KPrj"));
    {
        QFile config(appDir.filePath(QStringLiteral("Config_ksv4.xml")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("<PROJECTPATH>" + project.toUtf8() + "</PROJECTPATH>");
    }
    QVERIFY(device->start(twoDevices()));
    dropPreviews();
    // As the window built them before: ahead of the read-back.
    KSV_PicSetDlg picture(nullptr);
    InputSrcSetDlg inputs(nullptr);
    PresetDlg presets(nullptr);
    auto w = std::make_unique<MainWindow>();
    for (QTimer* t : w->findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly))
        t->stop();
    searchFromWindow(w.get());
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!w->findChild<KSV_PicSetDlg*>());
    QVERIFY(!inputPage(w.get()));
    // The system page came with the selection of the device, before any of
    // its reports; the preset page, which drives the keyboard's lamps, with
    // the device's first validity report.
    QVERIFY(w->findChild<MiscDlg*>());
    auto* builtPresets = w->findChild<PresetDlg*>();
    QVERIFY(builtPresets);
    QTRY_COMPARE(shows(builtPresets), shows(&presets));

    // The device's level is the record's now. The operator names an input in
    // the layer view's input column, and the input page shows that name too.
    const MData& record = *h->GetCurrentMData();
    QCOMPARE(record.M_AllCfg.brightLevel, 17);
    auto* outputPage = w->findChild<KSV_OpSetDlg*>();
    connect(outputPage, SIGNAL(SigRenameToInputSrc(int, QString)), &inputs,
            SLOT(On_SigRenameToInputSrc(int, QString)));
    // As the column's cell hands over the text of its editor (which takes
    // keys only on screen).
    outputPage->inputList()->On_SigRenameInputSrc(1, QStringLiteral("Left Wall"));
    QCOMPARE(record.M_InputData.port[1].inputRename, QStringLiteral("Left Wall"));
    const BoxAnswer exit(QDialogButtonBox::Ok);
    QVERIFY(w->close());
    QVERIFY(exit.answered());
    QVERIFY(!w->findChild<KSV_PicSetDlg*>());
    QVERIFY(!inputPage(w.get()));
    MData saved;
    XmlStreamHelper xml;
    QCOMPARE(ProjectFile::Read(xml, project, saved), ProjectFile::ReadResult::Loaded);
    QCOMPARE(saved.M_AllCfg.brightLevel, 17);
    const auto pictureText = [](const LayerPictureCfg& p) {
        return QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
            .arg(p.brightness)
            .arg(p.contrast)
            .arg(p.saturation)
            .arg(p.colorTempMode)
            .arg(p.colorTempR)
            .arg(p.colorTempG)
            .arg(p.colorTempB);
    };
    for (int l = 0; l < MDataLimits::kMosaicLayers; ++l)
        QCOMPARE(pictureText(saved.M_MosaicLayerCfg.picture[l]),
                 pictureText(record.M_MosaicLayerCfg.picture[l]));
    for (int i = 0; i < MDataLimits::kInputs; ++i) {
        QCOMPARE(saved.M_InputData.port[i].inputRename,
                 i == 1 ? QStringLiteral("Left Wall") : record.M_InputData.port[i].inputRename);
        const InputCropCfg& a = saved.M_InputData.crop[i];
        const InputCropCfg& b = record.M_InputData.crop[i];
        for (int e = 0; e < InputCropCfg::kEntries; ++e)
            QCOMPARE(QList<int>({a.hs[e], a.hact[e], a.vs[e], a.vact[e], a.onOff[e]}),
                     QList<int>({b.hs[e], b.hact[e], b.vs[e], b.vact[e], b.onOff[e]}));
    }

    pageButton(w.get(), "PicSet_Btn")->click();
    auto* builtPicture = w->findChild<KSV_PicSetDlg*>();
    QVERIFY(builtPicture);
    QCOMPARE(builtPicture->brightLevelSlider()->findChild<QAbstractSlider*>()->value(), 17);
    QTRY_COMPARE(shows(builtPicture), shows(&picture));

    pageButton(w.get(), "pushButton_3")->click();
    InputSrcSetDlg* builtInputs = inputPage(w.get());
    QVERIFY(builtInputs);
    QTRY_COMPARE(shows(builtInputs), shows(&inputs));
    QCOMPARE(builtInputs->cell(0)->findChild<QLabel*>("IPSIGNALLABEL")->text(),
             QStringLiteral("1920 x 1080"));
    QCOMPARE(builtInputs->cell(1)->findChild<QLabel*>("IPSRCRENAMELABEL")->text(),
             QStringLiteral("Left Wall"));

    w.reset();
    delete currentPreview();
    qputenv("LEDZ_APP_DIR", oldAppDir);
}

void TestSearch::hiddenPagesShowTheReadBackWhenOpened()
{
    // The input page and the system page's schedule are opened once, then
    // left for the output page; the device is read back meanwhile.
    REQUIRE_PRIVATE_NETWORK();
    QVERIFY(device->start(twoDevices()));
    dropPreviews();
    // Followed as pages that are up.
    InputSrcSetDlg inputs(nullptr);
    ScheduleTaskDlg schedule(nullptr);
    auto w = std::make_unique<MainWindow>();
    for (QTimer* t : w->findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly))
        t->stop();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    pageButton(w.get(), "pushButton_3")->click();
    InputSrcSetDlg* builtInputs = inputPage(w.get());
    QVERIFY(builtInputs && builtInputs->isVisible());
    pageButton(w.get(), "pushButton_8")->click();
    auto* misc = w->findChild<MiscDlg*>();
    QVERIFY(misc && misc->isVisible());
    QPushButton* openSchedule = nullptr;
    for (QPushButton* b : misc->findChildren<QPushButton*>(QStringLiteral("pushButton_3")))
        if (b->isVisible())
            openSchedule = b;
    QVERIFY(openSchedule);
    openSchedule->click();
    auto* builtSchedule = misc->findChild<ScheduleTaskDlg*>();
    QVERIFY(builtSchedule && builtSchedule->isVisible());
    pageButton(w.get(), "Output_Btn")->click();
    QVERIFY(!builtInputs->isVisible() && !builtSchedule->isVisible());

    searchFromWindow(w.get());
    if (QTest::currentTestFailed())
        return;
    // The redraws that waited for the read-back's end run at the next turn
    // of the event loop: it comes while the pages are still hidden.
    QCoreApplication::sendPostedEvents();
    QCOMPARE(inputs.cell(0)->findChild<QLabel*>("IPSIGNALLABEL")->text(),
             QStringLiteral("1920 x 1080"));
    QCOMPARE(inputs.cell(6)->findChild<QLabel*>("IPSIGNALLABEL")->text(),
             QStringLiteral("Input:5L,5R,"));

    // Redrawn as it is shown, before it is painted.
    pageButton(w.get(), "pushButton_3")->click();
    QVERIFY(builtInputs->isVisible());
    QCOMPARE(shows(builtInputs), shows(&inputs));
    pageButton(w.get(), "pushButton_8")->click();
    QVERIFY(builtSchedule->isVisible());
    QTRY_COMPARE(shows(builtSchedule), shows(&schedule));
    QVERIFY(schedule.presetButton(0)->isEnabled());
    QVERIFY(schedule.taskIndicator(0)->isChecked());

    w.reset();
    delete currentPreview();
}

// The window builds the output page's layer view once its first frame is on
// screen: it ends as the page built whole, through the start's language
// switch, the read-back and the view's opening.
void TestSearch::layerViewBuiltAfterTheFirstFrameAsAtOnce()
{
    REQUIRE_PRIVATE_NETWORK();
    QVERIFY(device->start(twoDevices()));
    dropPreviews();
    QVERIFY(h->GetCurrentIp().isEmpty());
    // With the language packs beside the program, the start's switch to
    // English is a real one.
    QTemporaryDir appDir;
    QVERIFY(appDir.isValid());
    const QByteArray oldAppDir = qgetenv("LEDZ_APP_DIR");
    qputenv("LEDZ_APP_DIR", appDir.path().toLocal8Bit());
    QVERIFY(QDir(appDir.path()).mkdir(QStringLiteral("Language")));
    for (const char* pack : {"English"}) {
        const QString name = QStringLiteral("Language/KSV_Z9050_%1.qm").arg(QLatin1String(pack));
        QVERIFY(QFile::copy(QStringLiteral(LEDZ_LANGUAGE_DIR "/") + name.mid(9),
                            appDir.filePath(name)));
    }
    KSV_OpSetDlg atOnce(nullptr);
    atOnce.setMode(0);
    auto w = std::make_unique<MainWindow>();
    for (QTimer* t : w->findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly))
        t->stop();
    auto* page = w->findChild<KSV_OpSetDlg*>();
    QVERIFY(page);
    // Not before the first frame.
    QVERIFY(!w->findChild<LayerSettingDlg*>());
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTRY_VERIFY(w->findChild<LayerSettingDlg*>());
    QCOMPARE(shows(page), shows(&atOnce));

    searchFromWindow(w.get());
    if (QTest::currentTestFailed())
        return;
    pageButton(w.get(), "pushButton_4")->click();
    atOnce.setMode(1);
    QTRY_COMPARE(shows(page), shows(&atOnce));
    QVERIFY(page->layerPanel()->isVisible() && page->inputList()->isVisible());
    w.reset();
    qputenv("LEDZ_APP_DIR", oldAppDir);
}

void TestSearch::pagesBuiltInStepsAsAtOnce_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("picture") << 0;
    QTest::newRow("input") << 1;
    QTest::newRow("system") << 2;
}

void TestSearch::pagesBuiltInStepsAsAtOnce()
{
    // The main window spreads these pages' building over turns of the event
    // loop, and a language switch may come in between: the page it ends with
    // is the one built at once, part for part.
    QFETCH(int, page);
    const auto switchLanguage = [](QWidget* w) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(w, &change);
    };
    const auto make = [page](Page::BuildSteps* later) -> std::unique_ptr<QWidget> {
        switch (page) {
        case 0:
            return std::make_unique<KSV_PicSetDlg>(nullptr, later);
        case 1:
            return std::make_unique<InputSrcSetDlg>(nullptr, later);
        default:
            return std::make_unique<MiscDlg>(nullptr, later);
        }
    };
    Page::BuildSteps steps;
    const std::unique_ptr<QWidget> stepped = make(&steps);
    int count = 0;
    do {
        switchLanguage(stepped.get());
        ++count;
    } while (steps.runNext());
    QVERIFY(count > 2);
    const std::unique_ptr<QWidget> atOnce = make(nullptr);
    switchLanguage(atOnce.get());
    QCOMPARE(shows(stepped.get()), shows(atOnce.get()));
}

void TestSearch::silentDeviceGoesOffline()
{
    // Real time, with the cells' own 6000 ms timer: a device that stops answering
    // turns offline 6 to 12 s after its last heartbeat.
    REQUIRE_PRIVATE_NETWORK();
    QVERIFY(device->start(twoDevices()));
    makePage();
    searchAndReadBack();
    QElapsedTimer sinceBeat;
    sinceBeat.start();
    int beatsHeard = 0;
    QObject beats;  // ends the connection with the test
    connect(h, &MiddleHandler::SigHpsEvent, &beats, [&](QString ip) {
        if (ip == kDeviceIp1) {
            sinceBeat.restart();
            ++beatsHeard;
        }
    });
    QSignalSpy online(dlg.get(), &DestinationDlg::sigMachineOnOffLine);
    // The silence counts from a heartbeat that the program has heard.
    QTRY_VERIFY_WITH_TIMEOUT(beatsHeard > 0, 5000);
    device->stop();
    MachineCell* cell = dlg->page(0)->cells().at(0);
    QVERIFY(cell->isOnline());
    // Qt may fire a 6000 ms timer up to 5 % early or late, and a loaded
    // machine adds its own delay: the bounds leave room for both, and still
    // tell the second run-out (12 s) from the third (18 s).
    QTRY_VERIFY_WITH_TIMEOUT(!cell->isOnline(), 16000);
    const qint64 silence = sinceBeat.elapsed();
    QVERIFY2(silence >= 5700 && silence <= 14500, qPrintable(QString::number(silence)));
    // Every page reports it, each from its own cell.
    QTRY_COMPARE_WITH_TIMEOUT(reports(online), kFiveOffline, 5000);
}

// The selected device comes back at another address with the same MAC (DHCP,
// or a change on its own panel) and announces itself there: its cell follows
// it, goes online with the heartbeats from there, and the device is selected
// and read back at its new address.
void TestSearch::movedDeviceIsFollowed_data()
{
    QTest::addColumn<bool>("withSecond");
    QTest::newRow("the only device") << false;
    QTest::newRow("one of two devices") << true;
}

void TestSearch::movedDeviceIsFollowed()
{
    REQUIRE_PRIVATE_NETWORK();
    QFETCH(bool, withSecond);
    const QString moved = kDeviceIp3;
    auto devices = [&](const QString& firstIp, const QString& statusMs) {
        QStringList args = {"--device", firstIp + "," + kMac1, "--state",
                            ProcSim::stateFile("z7050-1.json"), "--status-interval", statusMs};
        if (withSecond)
            args << "--device" << kDeviceIp2 + "," + kMac2;
        return args;
    };
    const int cellCount = withSecond ? 2 : 1;
    // No status frames at the old address: once the last command is
    // acknowledged nothing more comes from there, so a late heartbeat cannot
    // bring the cell back there.
    QVERIFY(device->start(devices(kDeviceIp1, "0")));
    makePage();
    QSignalSpy end(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    dlg->StartSearch();
    QTRY_COMPARE_WITH_TIMEOUT(dlg->page(0)->cells().size(), cellCount, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(end.count() > 0, 5000);
    QVERIFY(WaitSenderIdle(h));
    QCOMPARE(h->GetCurrentIp(), kDeviceIp1);

    // It falls silent at its old address and comes back at the new one.
    device->stop();
    for (int i = 0; i < DestinationDlg::kPageCount; ++i) {
        MachineCell* cell = cellByIp(dlg->page(i), kDeviceIp1);
        QVERIFY(cell);
        cell->On_HeartBeatOnLine();
        cell->On_HeartBeatOnLine();
        QVERIFY(!cell->isOnline());
    }
    QVERIFY(device->start(devices(moved, "200")));
    end.clear();
    MacAddress mac;
    const QByteArray macBytes = QByteArray::fromHex(kMac1.toLatin1().replace(':', ""));
    std::copy(macBytes.begin(), macBytes.end(), mac.begin());
    Announcer comeback(moved, kPcIp);
    QVERIFY(comeback.isBound());
    QVERIFY(comeback.announce(mac, moved));

    // Read back at its new address.
    QVERIFY2(device->frames().waitForReceived(0x0600, moved),
             "no read-back request reached the device at its new address");
    QTRY_VERIFY_WITH_TIMEOUT(end.count() > 0, 5000);
    QCOMPARE(h->GetCurrentIp(), moved);

    // Every page shows it there, current and online, under its old name; the
    // other device keeps its cell.
    for (int i = 0; i < DestinationDlg::kPageCount; ++i) {
        const MachinePageDlg* page = dlg->page(i);
        QCOMPARE(page->cells().size(), cellCount);
        QCOMPARE(page->cells().at(0)->name() + " " + page->cells().at(0)->ipAddr() + " " +
                     page->cells().at(0)->macAddr(),
                 QString("Z7050-1 192.168.1.22 02-4B-53-00-00-20"));
        QCOMPARE(currentCells(page), QStringList{moved});
        QVERIFY(page->cells().at(0)->isOnline());
        if (withSecond)
            QCOMPARE(page->cells().at(1)->ipAddr(), kDeviceIp2);
    }

    // Its heartbeats now come from there: silent again for two run-outs, the
    // next status frame brings it back online.
    MachineCell* cell = dlg->page(0)->cells().at(0);
    cell->On_HeartBeatOnLine();
    cell->On_HeartBeatOnLine();
    QVERIFY(!cell->isOnline());
    QTRY_VERIFY_WITH_TIMEOUT(cell->isOnline(), 3000);
    QVERIFY(WaitSenderIdle(h));
}

LEDZ_GUI_TEST_MAIN(TestSearch)
#include "test_search.moc"
