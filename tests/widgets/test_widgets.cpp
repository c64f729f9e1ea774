// The widgets that every page shares: title bar, slider with value box,
// message box, resizable rectangle and the progress dialog pattern.

#include "AppPaths.h"
#include "CustomMsgBox.h"
#include "GuiTest.h"
#include "MouseEvents.h"
#include "NeoSliderComb.h"
#include "ProgressHelper.h"
#include "ProgressTest.h"
#include "ResizeShowComponent.h"
#include "TitleBar.h"

#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QTranslator>
#include <QtTest>
#include <functional>

using namespace MouseEvents;

namespace {
QList<CustomMsgBox*> visibleBoxes(QWidget* owner)
{
    QList<CustomMsgBox*> boxes;
    for (CustomMsgBox* box : owner->findChildren<CustomMsgBox*>())
        if (box->isVisible())
            boxes << box;
    return boxes;
}
}  // namespace

class TestWidgets : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitAppResources(); }

    void titleBarRemoveButton_data();
    void titleBarRemoveButton();
    void titleBarDrag_data();
    void titleBarDrag();
    void titleBarDragRestoresMaximised();
    void titleBarButtons();
    void titleBarTextsAndIcons();

    void slider_data();
    void slider();

    void msgBoxResult_data();
    void msgBoxResult();
    void msgBoxConfirmationIsModal();
    void msgBoxNoticeDoesNotBlock();
    void msgBoxDrag_data();
    void msgBoxDrag();
    void msgBoxLanguageChange();

    void rectDrag_data();
    void rectDrag();
    void rectDragPastBorderThenBack();
    void rectEmptyCanvasKeepsScale();
    void rectEmptyWidgetKeepsScale();
    void rectResizeCoversWidget();

    void progressTimeOut_data();
    void progressTimeOut();
    void progressCancelThenCompletion_data();
    void progressCancelThenCompletion();
    void progressCompletionBeforeItAppears();
    void progressRestart();
    void progressCancelledThenStartedShows_data();
    void progressCancelledThenStartedShows();
    void progressStopWhenIdle_data();
    void progressStopWhenIdle();
    void progressTimeOutNoticeGoesWhenClosed();
    void progressEndsBeforeItsFirstTick_data();
    void progressEndsBeforeItsFirstTick();
    void progressCancelledStaysHidden_data();
    void progressCancelledStaysHidden();
    void progressTakeOverKeepsTheDialogOnScreen();
    void progressTakeOverCountsNoTickOfTheOldRun();
    void progressFollowsALanguageSwitch();
};

// ---------------------------------------------------------------- title bar

void TestWidgets::titleBarRemoveButton_data()
{
    QTest::addColumn<QList<int>>("removals");
    QTest::addColumn<QStringList>("remaining");
    const QStringList all{"minButton", "maxButton", "closeButton"};
    QTest::newRow("maximise") << QList<int>{0} << QStringList{"minButton", "closeButton"};
    QTest::newRow("minimise") << QList<int>{1} << QStringList{"maxButton", "closeButton"};
    QTest::newRow("close") << QList<int>{2} << QStringList{"minButton", "maxButton"};
    QTest::newRow("both") << QList<int>{3} << QStringList{"closeButton"};
    QTest::newRow("sub-panel: 1 then 3") << QList<int>{1, 3} << QStringList{"closeButton"};
    QTest::newRow("twice the same") << QList<int>{0, 0} << QStringList{"minButton", "closeButton"};
    QTest::newRow("4 does nothing") << QList<int>{4} << all;
    QTest::newRow("-1 does nothing") << QList<int>{-1} << all;
}

void TestWidgets::titleBarRemoveButton()
{
    QFETCH(QList<int>, removals);
    QFETCH(QStringList, remaining);
    QWidget owner;
    TitleBar* bar = new TitleBar(&owner);
    for (int which : removals)
        bar->removeButton(which);
    QStringList names;
    for (QPushButton* b : bar->findChildren<QPushButton*>())
        names << b->objectName();
    names.sort();
    remaining.sort();
    QCOMPARE(names, remaining);
}

void TestWidgets::titleBarDrag_data()
{
    QTest::addColumn<bool>("movable");
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("expected");
    // The owner starts at (100, 100); the press is at global (150, 110) and
    // the move goes to global (250, 160).
    QTest::newRow("left drag moves") << true << int(Qt::LeftButton) << QPoint(200, 150);
    QTest::newRow("right drag does not") << true << int(Qt::RightButton) << QPoint(100, 100);
    QTest::newRow("not movable") << false << int(Qt::LeftButton) << QPoint(100, 100);
}

void TestWidgets::titleBarDrag()
{
    QFETCH(bool, movable);
    QFETCH(int, button);
    QFETCH(QPoint, expected);
    QWidget owner;
    owner.setGeometry(100, 100, 400, 300);
    TitleBar* bar = new TitleBar(&owner);
    bar->movable = movable;
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    const QPoint start = owner.pos();
    const auto b = static_cast<Qt::MouseButton>(button);
    const QPoint pressAt = start + QPoint(50, 10);
    send(bar, QEvent::MouseButtonPress, bar->mapFromGlobal(pressAt), b, b, pressAt);
    moveGlobal(bar, start + QPoint(150, 60), b);
    QCOMPARE(owner.pos() - start, expected - QPoint(100, 100));
    release(bar, QPoint(10, 10), b);
    // After the release further moves do nothing.
    const QPoint after = owner.pos();
    moveGlobal(bar, start + QPoint(300, 200), b);
    QCOMPARE(owner.pos(), after);
}

void TestWidgets::titleBarDragRestoresMaximised()
{
    QWidget owner;
    owner.setGeometry(100, 100, 400, 300);
    TitleBar* bar = new TitleBar(&owner);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    auto* maxButton = bar->findChild<QPushButton*>("maxButton");
    maxButton->click();
    QTRY_VERIFY(owner.windowState() & Qt::WindowMaximized);
    const QPoint offset = QPoint(50, 10);
    const QPoint pressAt = owner.pos() + offset;
    send(bar, QEvent::MouseButtonPress, bar->mapFromGlobal(pressAt), Qt::LeftButton, Qt::LeftButton,
         pressAt);
    moveGlobal(bar, pressAt + QPoint(80, 40));
    QVERIFY(!maxButton->isChecked());
    QVERIFY(!(owner.windowState() & Qt::WindowMaximized));
    QTRY_COMPARE(owner.pos(), pressAt + QPoint(80, 40) - offset);
}

void TestWidgets::titleBarButtons()
{
    QWidget owner;
    owner.resize(400, 300);
    TitleBar* bar = new TitleBar(&owner);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    QCOMPARE(bar->width(), 400);

    auto* maxButton = bar->findChild<QPushButton*>("maxButton");
    maxButton->click();
    QTRY_VERIFY(owner.windowState() & Qt::WindowMaximized);
    maxButton->click();
    QTRY_VERIFY(!(owner.windowState() & Qt::WindowMaximized));

    bar->findChild<QPushButton*>("minButton")->click();
    QTRY_VERIFY(owner.windowState() & Qt::WindowMinimized);
    owner.showNormal();

    bar->findChild<QPushButton*>("closeButton")->click();
    QVERIFY(!owner.isVisible());
}

void TestWidgets::titleBarTextsAndIcons()
{
    QWidget owner;
    TitleBar* bar = new TitleBar(&owner);
    bar->setLabelText(2, QStringLiteral("spare"));
    QCOMPARE(bar->findChild<QLabel*>("titleText2")->text(), QStringLiteral("spare"));
    bar->setStatusIcon(1, QStringLiteral(":/res/Image/tongbu.png"));
    auto* icon = bar->findChild<QLabel*>("statusIcon1");
    QVERIFY(!icon->pixmap(Qt::ReturnByValue).isNull());
    bar->setStatusIcon(1, QString());
    QVERIFY(icon->pixmap(Qt::ReturnByValue).isNull());
}

// ------------------------------------------------------ slider with value box

// Each row is a script of steps and checks, separated by ';':
//   div=D  range=MIN,MAX  special=TEXT,min|max  set=POS,0|1 (setValue)
//   type=TEXT (typed into the value box, then Return)  step=POS (keyboard or
//   wheel step)  press  drag=POS  release
//   box=TEXT  pos=N  min=N  max=N  emits=V1,V2... (reports since the last check)
void TestWidgets::slider_data()
{
    QTest::addColumn<QString>("script");
    QTest::newRow("set without report") << "div=10;range=0,30;set=25,0;box=2.5;pos=25;emits=";
    QTest::newRow("typed value above the range is clamped")
        << "div=10;range=0,30;type=7;box=3;pos=30;emits=3";
    QTest::newRow("typed value between steps")
        << "div=10;range=0,30;set=10,0;type=2.57;pos=25;box=2.5;emits=2.57";
    QTest::newRow("typed value on the slider's step keeps the text")
        << "div=10;range=0,30;set=25,0;type=2.57;pos=25;box=2.57;emits=2.57";
    QTest::newRow("typing the current value")
        << "div=10;range=0,30;set=25,0;type=2.5;pos=25;emits=";
    QTest::newRow("special text at the minimum")
        << "range=0,100;special=OFF,min;set=50,0;set=0,0;box=OFF;emits=;"
           "set=50,0;type=OFF;pos=0;box=OFF;emits=0;"
           "set=50,0;type=abc;pos=0;box=OFF;emits=0";
    QTest::newRow("special text at the maximum")
        << "range=0,10;special=MAX,max;step=10;box=MAX;step=9;box=9;emits=10,9";
    QTest::newRow("a drag reports once, on release")
        << "range=0,100;set=10,0;press;drag=20;drag=30;drag=40;box=40;emits=;"
           "release;emits=40;pos=40";
    QTest::newRow("a pending report of set goes out in the next drag")
        << "range=0,100;set=10,0;set=10,1;emits=;press;drag=20;drag=30;release;emits=20,30";
    QTest::newRow("range bounds are truncated") << "range=0.9,100.7;min=0;max=100";
}

void TestWidgets::slider()
{
    QFETCH(QString, script);
    NeoSliderComb comb(nullptr);
    auto* slider = comb.findChild<QSlider*>("slider");
    auto* box = comb.findChild<QLineEdit*>("valueBox");
    QSignalSpy spy(&comb, SIGNAL(SliderValueChange(float)));

    for (const QString& step : script.split(';', Qt::SkipEmptyParts)) {
        const QString key = step.section('=', 0, 0);
        const QString arg = step.section('=', 1);
        const QStringList args = arg.split(',', Qt::SkipEmptyParts);
        if (key == "div") {
            comb.divisor = arg.toFloat();
        } else if (key == "range") {
            comb.setRange(args[0].toFloat(), args[1].toFloat());
        } else if (key == "special") {
            comb.setSpecialText(args[0], args[1] == "max");
        } else if (key == "set") {
            comb.setValue(args[0].toFloat(), args[1] == "1");
        } else if (key == "type") {
            box->setText(arg);
            QTest::keyClick(box, Qt::Key_Return);
        } else if (key == "step") {
            slider->setValue(arg.toInt());
        } else if (key == "press") {
            slider->setSliderDown(true);
        } else if (key == "drag") {
            slider->setSliderPosition(arg.toInt());
        } else if (key == "release") {
            slider->setSliderDown(false);
        } else if (key == "box") {
            QCOMPARE(box->text(), arg);
        } else if (key == "pos") {
            QCOMPARE(slider->value(), arg.toInt());
        } else if (key == "min") {
            QCOMPARE(slider->minimum(), arg.toInt());
        } else if (key == "max") {
            QCOMPARE(slider->maximum(), arg.toInt());
        } else if (key == "emits") {
            QList<float> got;
            for (const QList<QVariant>& call : spy)
                got << call.at(0).toFloat();
            QList<float> want;
            for (const QString& v : args)
                want << v.toFloat();
            QCOMPARE(got, want);
            spy.clear();
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
    }
}

// --------------------------------------------------------------- message box

void TestWidgets::msgBoxResult_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("result");
    QTest::newRow("Ok") << "ok" << int(QDialogButtonBox::Ok);
    QTest::newRow("Cancel") << "cancel" << int(QDialogButtonBox::Cancel);
    QTest::newRow("close button") << "close" << 0;
    QTest::newRow("double click on the icon") << "icon" << 0;
}

void TestWidgets::msgBoxResult()
{
    QFETCH(QString, action);
    QFETCH(int, result);
    QWidget owner;
    CustomMsgBox box(&owner, "Tips", "Exit System?",
                     QDialogButtonBox::Ok | QDialogButtonBox::Cancel, QDialogButtonBox::Ok);
    const GuiTest::BoxAnswer answer([&](QWidget* modal) {
        if (action == "ok")
            QVERIFY(GuiTest::clickBoxButton(modal, QDialogButtonBox::Ok));
        else if (action == "cancel")
            QVERIFY(GuiTest::clickBoxButton(modal, QDialogButtonBox::Cancel));
        else if (action == "close")
            QVERIFY(GuiTest::clickBoxButton(modal, QDialogButtonBox::NoButton));
        else
            send(modal->findChild<QLabel*>("iconLabel"), QEvent::MouseButtonDblClick, QPoint(5, 5),
                 Qt::LeftButton, Qt::LeftButton, QPoint());
    });
    QCOMPARE(box.exec(), result);
    QVERIFY(answer.answered());
    QVERIFY(!box.isVisible());
}

void TestWidgets::msgBoxConfirmationIsModal()
{
    QWidget owner;
    owner.show();
    CustomMsgBox box(&owner, "Tips", "Exit System?",
                     QDialogButtonBox::Ok | QDialogButtonBox::Cancel, QDialogButtonBox::Ok);
    // Not on screen before exec(): shown there, it is modal from the start.
    QVERIFY(!box.isVisible());
    QWidget* modal = nullptr;
    const GuiTest::BoxAnswer answer([&](QWidget* w) {
        modal = w;
        QVERIFY(GuiTest::clickBoxButton(w, QDialogButtonBox::Ok));
    });
    QCOMPARE(box.exec(), int(QDialogButtonBox::Ok));
    QCOMPARE(modal, static_cast<QWidget*>(&box));
    QCOMPARE(answer.title(), QStringLiteral("Tips"));
    QCOMPARE(answer.text(), QStringLiteral("Exit System?"));
}

void TestWidgets::msgBoxNoticeDoesNotBlock()
{
    QWidget owner;
    owner.show();
    auto* notice =
        new CustomMsgBox(&owner, "Tips", "Time out", QDialogButtonBox::Ok, QDialogButtonBox::Ok);
    // Construction returned, the notice is on screen and nothing is modal.
    QVERIFY(notice->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(notice->findChild<QLabel*>("messageLabel")->text(), QStringLiteral("Time out"));
    QCOMPARE(notice->findChild<QLabel*>("titleLabel")->text(), QStringLiteral("Tips"));
    QCOMPARE(notice->size(), QSize(432, 200));
    notice->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    QVERIFY(!notice->isVisible());
}

void TestWidgets::msgBoxDrag_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("moves");
    QTest::newRow("title row, left") << "titleRow" << int(Qt::LeftButton) << true;
    QTest::newRow("body, left") << "body" << int(Qt::LeftButton) << true;
    QTest::newRow("title row, right") << "titleRow" << int(Qt::RightButton) << false;
}

void TestWidgets::msgBoxDrag()
{
    QFETCH(QString, where);
    QFETCH(int, button);
    QFETCH(bool, moves);
    CustomMsgBox box(nullptr, "Tips", "Text", QDialogButtonBox::Ok, QDialogButtonBox::Ok);
    box.move(200, 200);
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QPoint start = box.pos();
    QWidget* part = box.findChild<QWidget*>(where);
    const QPoint local = part->mapTo(&box, QPoint(100, 20));
    const auto b = static_cast<Qt::MouseButton>(button);
    send(&box, QEvent::MouseButtonPress, local, b, b, box.mapToGlobal(local));
    send(&box, QEvent::MouseMove, local + QPoint(30, 20), Qt::NoButton, b,
         box.mapToGlobal(local) + QPoint(30, 20));
    send(&box, QEvent::MouseButtonRelease, local, b, Qt::NoButton, box.mapToGlobal(local));
    QCOMPARE(box.pos() - start, moves ? QPoint(30, 20) : QPoint(0, 0));
}

void TestWidgets::msgBoxLanguageChange()
{
    CustomMsgBox box(nullptr, "Tips", "Exit System?",
                     QDialogButtonBox::Ok | QDialogButtonBox::Cancel, QDialogButtonBox::Ok);
    auto* buttons = box.findChild<QDialogButtonBox*>();
    QCOMPARE(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("Ok"));
    QTranslator chinese;
    QVERIFY(chinese.load(QStringLiteral(LEDZ_LANGUAGE_DIR "/KSV_Z9050_Chinese.qm")));
    qApp->installTranslator(&chinese);  // the language change is posted
    QTRY_COMPARE(buttons->button(QDialogButtonBox::Ok)->text(), QString::fromUtf8("确定"));
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8("取消"));
    QCOMPARE(box.findChild<QLabel*>("titleLabel")->text(), QStringLiteral("Tips"));
    qApp->removeTranslator(&chinese);
    QTRY_COMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
}

// ------------------------------------------------------- resizable rectangle

namespace {
// A 192 x 108 widget for a 1920 x 1080 canvas (10 device pixels per widget
// pixel) with the rectangle (100, 100)-(1099, 599), which is the frame
// (10, 10)-(109, 59), and a minimum of 256 x 256 (25.6 widget pixels).
// A child of a shown window, so that resizing it takes effect at once.
struct RectFixture {
    QWidget host;
    ResizeShowComponent& widget = *new ResizeShowComponent(&host);
    RectFixture()
    {
        host.resize(400, 300);
        host.show();
        widget.setGeometry(0, 0, 192, 108);
        widget.setRealCanvas(0, 0, 1919, 1079);
        widget.setRealRect(100, 100, 1099, 599);
        widget.setMinimumRealSize(256, 256);
    }
};
}  // namespace

void TestWidgets::rectDrag_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("to");  // no move when equal to press
    QTest::addColumn<QRect>("real");  // reported at the last move and at the release

    QTest::newRow("click without movement")
        << QPoint(50, 30) << QPoint(50, 30) << QRect(100, 100, 1000, 500);
    QTest::newRow("move inside") << QPoint(50, 30) << QPoint(70, 35) << QRect(300, 150, 1000, 500);
    QTest::newRow("move past the left border grows")
        << QPoint(50, 30) << QPoint(20, 30) << QRect(0, 100, 1100, 500);
    QTest::newRow("press outside every region")
        << QPoint(150, 80) << QPoint(170, 100) << QRect(100, 100, 1000, 500);
    QTest::newRow("left edge") << QPoint(12, 30) << QPoint(32, 30) << QRect(300, 100, 800, 500);
    QTest::newRow("left edge past the right one stops at the minimum")
        << QPoint(12, 30) << QPoint(200, 30) << QRect(850, 100, 256, 500);
    QTest::newRow("top edge past the border")
        << QPoint(50, 12) << QPoint(50, -18) << QRect(100, 0, 1000, 600);
    QTest::newRow("right edge past the widget")
        << QPoint(106, 30) << QPoint(306, 30) << QRect(100, 100, 1820, 500);
    QTest::newRow("bottom edge to the minimum")
        << QPoint(50, 56) << QPoint(50, 0) << QRect(100, 100, 1000, 256);
    QTest::newRow("bottom-right corner to the minimum")
        << QPoint(106, 56) << QPoint(0, 0) << QRect(100, 100, 256, 256);
    // The inside region reaches L + R - 1 = 118, past the right edge at 109.
    QTest::newRow("inside region beyond the right edge")
        << QPoint(115, 30) << QPoint(125, 30) << QRect(200, 100, 1000, 500);
}

void TestWidgets::rectDrag()
{
    QFETCH(QPoint, press);
    QFETCH(QPoint, to);
    QFETCH(QRect, real);
    RectFixture f;
    QSignalSpy spy(&f.widget, SIGNAL(SigRealSize(QRect, bool)));
    MouseEvents::press(&f.widget, press);
    if (to != press)
        move(&f.widget, to);
    release(&f.widget, to);

    QCOMPARE(spy.count(), to == press ? 1 : 2);
    if (to != press) {
        QCOMPARE(spy.at(0).at(0).toRect(), real);
        QCOMPARE(spy.at(0).at(1).toBool(), false);
    }
    QCOMPARE(spy.last().at(0).toRect(), real);
    QCOMPARE(spy.last().at(1).toBool(), true);
    QCOMPARE(f.widget.cursor().shape(), Qt::ArrowCursor);
}

void TestWidgets::rectDragPastBorderThenBack()
{
    RectFixture f;
    QSignalSpy spy(&f.widget, SIGNAL(SigRealSize(QRect, bool)));
    press(&f.widget, QPoint(50, 30));
    move(&f.widget, QPoint(20, 30));  // frame 0..109
    move(&f.widget, QPoint(40, 30));  // moves on with the larger width
    release(&f.widget, QPoint(40, 30));
    QCOMPARE(spy.last().at(0).toRect(), QRect(200, 100, 1100, 500));
}

void TestWidgets::rectEmptyCanvasKeepsScale()
{
    RectFixture f;
    f.widget.setRealCanvas(0, 0, -1, -1);
    f.widget.setRealCanvas(0, 0, 1919, -5);
    f.widget.setRealRect(100, 100, 1099, 599);
    QSignalSpy spy(&f.widget, SIGNAL(SigRealSize(QRect, bool)));
    press(&f.widget, QPoint(50, 30));
    release(&f.widget, QPoint(50, 30));
    QCOMPARE(spy.last().at(0).toRect(), QRect(100, 100, 1000, 500));
}

void TestWidgets::rectEmptyWidgetKeepsScale()
{
    // Hidden, so that no resize event moves the rectangle.
    ResizeShowComponent widget(nullptr);
    widget.resize(0, 0);
    widget.setRealCanvas(0, 0, 1919, 1079);  // the scale stays at 10 x 10
    widget.resize(192, 108);
    widget.setRealRect(0, 0, 99, 199);
    QSignalSpy spy(&widget, SIGNAL(SigRealSize(QRect, bool)));
    press(&widget, QPoint(5, 5));
    release(&widget, QPoint(5, 5));
    QCOMPARE(spy.last().at(0).toRect(), QRect(0, 0, 100, 200));
}

void TestWidgets::rectResizeCoversWidget()
{
    RectFixture f;
    f.widget.resize(300, 200);
    QSignalSpy spy(&f.widget, SIGNAL(SigRealSize(QRect, bool)));
    press(&f.widget, QPoint(500, 500));
    release(&f.widget, QPoint(500, 500));
    // The scale of the last canvas stays: 300 x 200 widget pixels are 3000 x 2000.
    QCOMPARE(spy.last().at(0).toRect(), QRect(0, 0, 3000, 2000));
}

// ---------------------------------------------------------- progress pattern

namespace {
constexpr int kLongPeriod = 3600 * 1000;  // the test ticks by hand
}

void TestWidgets::progressTimeOut_data()
{
    QTest::addColumn<QString>("timeOutText");
    QTest::addColumn<bool>("cancelFirst");
    QTest::newRow("with a text") << "Inquire Machine Data TimeOut!" << false;
    QTest::newRow("silent") << "" << false;
    QTest::newRow("cancelled, with a text") << "Inquire Machine Data TimeOut!" << true;
}

void TestWidgets::progressTimeOut()
{
    QFETCH(QString, timeOutText);
    QFETCH(bool, cancelFirst);
    QWidget owner;
    owner.show();
    ProgressHelper progress(&owner, kLongPeriod, "Working...", timeOutText);
    progress.showProgressDialog();
    QVERIFY(progress.isRunning());
    if (cancelFirst)
        progress.dialog()->cancel();
    for (int i = 0; i < 99; ++i)
        progress.updateProgressDialog();
    QCOMPARE(progress.count(), 99);
    QVERIFY(progress.isRunning());
    QVERIFY(visibleBoxes(&owner).isEmpty());
    if (cancelFirst)
        QVERIFY(!progress.dialog()->isVisible());

    progress.updateProgressDialog();
    QVERIFY(!progress.isRunning());
    QVERIFY(!progress.dialog()->isVisible());
    const QList<CustomMsgBox*> boxes = visibleBoxes(&owner);
    QCOMPARE(boxes.size(), timeOutText.isEmpty() ? 0 : 1);
    if (!boxes.isEmpty()) {
        QCOMPARE(boxes[0]->findChild<QLabel*>("messageLabel")->text(), timeOutText);
        QCOMPARE(boxes[0]->findChild<QLabel*>("titleLabel")->text(), QStringLiteral("Tips"));
    }
}

void TestWidgets::progressCancelThenCompletion_data()
{
    QTest::addColumn<bool>("completeWhenHidden");
    QTest::addColumn<int>("count");
    QTest::newRow("most owners keep the count") << false << 11;
    QTest::newRow("an owner that completes anyway") << true << 100;
}

void TestWidgets::progressCancelThenCompletion()
{
    QFETCH(bool, completeWhenHidden);
    QFETCH(int, count);
    QWidget owner;
    owner.show();
    ProgressHelper progress(&owner, kLongPeriod, "Working...", "Time out");
    progress.setCompleteWhenHidden(completeWhenHidden);
    progress.showProgressDialog();
    for (int i = 0; i < 10; ++i)
        progress.updateProgressDialog();
    progress.dialog()->cancel();
    progress.updateProgressDialog();
    QVERIFY(!progress.dialog()->isVisible());
    progress.stopProgressDialog();
    QVERIFY(!progress.isRunning());
    QCOMPARE(progress.count(), count);
    QVERIFY(visibleBoxes(&owner).isEmpty());
}

void TestWidgets::progressCompletionBeforeItAppears()
{
    QWidget owner;
    owner.show();
    ProgressHelper progress(&owner, kLongPeriod, "Working...");
    progress.dialog()->setMinimumDuration(50);
    // The dialog's own show timer, started with the progress.
    const auto showPending = [&progress] {
        for (const QTimer* t : progress.dialog()->findChildren<QTimer*>())
            if (t->isActive())
                return true;
        return false;
    };
    progress.showProgressDialog();
    QVERIFY(showPending());
    progress.stopProgressDialog();
    QCOMPARE(progress.count(), 100);
    // Stopped or run out, the show timer must not have brought it up.
    QTRY_VERIFY_WITH_TIMEOUT(!showPending(), 5000);
    QVERIFY(!progress.dialog()->isVisible());
}

void TestWidgets::progressRestart()
{
    QWidget owner;
    ProgressHelper progress(&owner, kLongPeriod, "Working...");
    progress.showProgressDialog(QStringLiteral("Searching"));
    for (int i = 0; i < 5; ++i)
        progress.updateProgressDialog();
    progress.showProgressDialog();
    QCOMPARE(progress.count(), 0);
    QCOMPARE(progress.dialog()->labelText(), QStringLiteral("Searching"));
    QVERIFY(progress.isRunning());
    progress.stopProgressDialog();
}

void TestWidgets::progressCancelledThenStartedShows_data()
{
    QTest::addColumn<QString>("endOfCancelledRun");
    QTest::newRow("completed") << "completed";
    QTest::newRow("timed out") << "timed out";
    QTest::newRow("restarted while running") << "restarted";
}

void TestWidgets::progressCancelledThenStartedShows()
{
    QFETCH(QString, endOfCancelledRun);
    QWidget owner;
    owner.show();
    ProgressHelper progress(&owner, kLongPeriod, "Working...");
    // Shown at its first step, so that the test need not wait for it.
    progress.dialog()->setMinimumDuration(0);
    progress.showProgressDialog();
    QTRY_VERIFY(progress.dialog()->isVisible());
    progress.dialog()->cancel();
    progress.updateProgressDialog();
    QVERIFY(!progress.dialog()->isVisible());
    if (endOfCancelledRun == "completed") {
        progress.stopProgressDialog();
    } else if (endOfCancelledRun == "timed out") {
        while (progress.isRunning())
            progress.updateProgressDialog();
    }
    QVERIFY(!progress.dialog()->isVisible());

    progress.showProgressDialog();
    progress.updateProgressDialog();
    QTRY_VERIFY(progress.dialog()->isVisible());
    QCOMPARE(progress.count(), 1);
    progress.stopProgressDialog();
    QVERIFY(!progress.dialog()->isVisible());
}

namespace {
// Counts the show and hide events of every progress dialog: each pair is a
// map and an unmap of a window on the screen.
class ShowHideCounter : public QObject {
public:
    ShowHideCounter() { qApp->installEventFilter(this); }
    ~ShowHideCounter() override { qApp->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) &&
            qobject_cast<QProgressDialog*>(watched))
            ++count;
        return false;
    }
};
}  // namespace

void TestWidgets::progressStopWhenIdle_data()
{
    QTest::addColumn<bool>("built");
    QTest::addColumn<QString>("before");
    QTest::newRow("never built") << false << "";
    QTest::newRow("built, never started") << true << "";
    QTest::newRow("after a completed run") << true << "completed";
    QTest::newRow("after a time-out") << true << "timed out";
}

void TestWidgets::progressStopWhenIdle()
{
    QFETCH(bool, built);
    QFETCH(QString, before);
    QWidget owner;
    owner.show();
    ProgressHelper progress(&owner, kLongPeriod, "Working...");
    // With no minimum duration a completion counts as overdue at once: the
    // toolkit would show the dialog for it.
    if (built)
        progress.dialog()->setMinimumDuration(0);
    if (!before.isEmpty()) {
        progress.showProgressDialog();
        if (before == "completed")
            progress.stopProgressDialog();
        while (progress.isRunning())
            progress.updateProgressDialog();
        QTRY_VERIFY(!progress.dialog()->isVisible());
    }

    ShowHideCounter showHide;
    progress.stopProgressDialog();
    QCoreApplication::processEvents();
    QCOMPARE(showHide.count, 0);
    QCOMPARE(progress.hasDialog(), built);
    QCOMPARE(owner.findChild<QProgressDialog*>() != nullptr, built);
    QVERIFY(!progress.isRunning());
    QCOMPARE(progress.count(), ProgressHelper::kSteps);
}

void TestWidgets::progressTimeOutNoticeGoesWhenClosed()
{
    QWidget owner;
    owner.show();
    ProgressHelper progress(&owner, kLongPeriod, "Working...", "Time out");
    for (int run = 0; run < 3; ++run) {
        progress.showProgressDialog();
        while (progress.isRunning())
            progress.updateProgressDialog();
        const QList<CustomMsgBox*> boxes = visibleBoxes(&owner);
        QCOMPARE(boxes.size(), 1);
        QTest::mouseClick(boxes[0]->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
        QTRY_COMPARE(owner.findChildren<CustomMsgBox*>().size(), 0);
    }
}

// However the run ends before its first tick, the dialog's own show timer
// must not bring it up later.
void TestWidgets::progressEndsBeforeItsFirstTick_data()
{
    QTest::addColumn<QString>("end");
    QTest::newRow("completed") << "completed";
    QTest::newRow("completed after a cancel, by an owner that completes anyway")
        << "cancelled, completed anyway";
    QTest::newRow("taken over, then completed") << "taken over";
    QTest::newRow("owner-reported value, then completed") << "reported";
    QTest::newRow("restarted after a cancelled run, then completed") << "restarted";
}

void TestWidgets::progressEndsBeforeItsFirstTick()
{
    QFETCH(QString, end);
    QWidget owner;
    owner.show();
    ProgressHelper progress(&owner, kLongPeriod, "Working...");
    const ProgressHelper::Operation reported = {"Reported", nullptr, 0};
    const ProgressHelper::Operation other = {"Other", "Other timeout", kLongPeriod};
    if (end == "restarted") {
        progress.showProgressDialog();
        progress.dialog()->cancel();
        progress.stopProgressDialog();
    }
    if (end == "reported")
        progress.startOperation(reported);
    else
        progress.showProgressDialog();
    QVERIFY(!ProgressTest::ClosedForGood(progress.dialog()));  // armed: it would come
    if (end == "cancelled, completed anyway") {
        progress.dialog()->cancel();
        progress.setCompleteWhenHidden(true);
    } else if (end == "taken over") {
        progress.startOperation(other);
    } else if (end == "reported") {
        progress.setProgressValue(40);
    }
    progress.stopProgressDialog();
    QVERIFY(!progress.isRunning());
    QVERIFY(ProgressTest::ClosedForGood(progress.dialog()));
}

// Cancel hides the dialog for the rest of the run: neither the ticks nor
// the end bring it back, not even for a moment.
void TestWidgets::progressCancelledStaysHidden_data()
{
    QTest::addColumn<bool>("completeWhenHidden");
    QTest::addColumn<bool>("ownerReports");
    QTest::newRow("ticks, then the end") << false << false;
    QTest::newRow("ticks, then the end of an owner that completes anyway") << true << false;
    QTest::newRow("owner-reported values, then the end") << false << true;
}

void TestWidgets::progressCancelledStaysHidden()
{
    QFETCH(bool, completeWhenHidden);
    QFETCH(bool, ownerReports);
    QWidget owner;
    owner.show();
    ProgressHelper progress(&owner, kLongPeriod, "Working...");
    progress.setCompleteWhenHidden(completeWhenHidden);
    // With no minimum duration every value finds the run long enough to show.
    progress.dialog()->setMinimumDuration(0);
    if (ownerReports)
        progress.startOperation({"Reported", nullptr, 0});
    else
        progress.showProgressDialog();
    progress.setProgressValue(1);
    QTRY_VERIFY(progress.dialog()->isVisible());
    progress.dialog()->cancel();
    QTRY_VERIFY(!progress.dialog()->isVisible());

    ShowHideCounter showHide;
    for (int i = 0; i < 20; ++i) {
        if (ownerReports)
            progress.setProgressValue(10 + i);
        else
            progress.updateProgressDialog();
    }
    QVERIFY(progress.isRunning());
    progress.stopProgressDialog();
    QCoreApplication::processEvents();
    QCOMPARE(showHide.count, 0);
    QVERIFY(ProgressTest::ClosedForGood(progress.dialog()));
}

void TestWidgets::progressTakeOverKeepsTheDialogOnScreen()
{
    QWidget owner;
    owner.show();
    ProgressHelper progress(&owner, kLongPeriod, QString());
    progress.dialog()->setMinimumDuration(0);
    progress.startOperation({"First...", "First Timeout", kLongPeriod});
    for (int i = 0; i < 30; ++i)
        progress.updateProgressDialog();
    QTRY_VERIFY(progress.dialog()->isVisible());

    ShowHideCounter showHide;
    progress.startOperation({"Second...", nullptr, 0});
    QCoreApplication::processEvents();
    QCOMPARE(showHide.count, 0);
    QVERIFY(progress.dialog()->isVisible());
    QCOMPARE(owner.findChildren<QProgressDialog*>().size(), 1);
    QCOMPARE(progress.dialog()->labelText(), QStringLiteral("Second..."));
    QCOMPARE(progress.count(), 0);
    QCOMPARE(progress.dialog()->value(), 0);
    // The first operation's time-out is gone with it.
    QCOMPARE(progress.timeOutText(), QString());
    progress.setProgressValue(60);
    QCOMPARE(progress.dialog()->value(), 60);
    progress.stopProgressDialog();
    QVERIFY(ProgressTest::ClosedForGood(progress.dialog()));
}

// A run that takes over while a tick of the run it replaces is due starts
// from 0: setting a modal dialog's value processes events, and that tick
// must not count for the new run.
void TestWidgets::progressTakeOverCountsNoTickOfTheOldRun()
{
    QWidget owner;
    owner.show();
    ProgressHelper progress(&owner, kLongPeriod, QString());
    progress.dialog()->setMinimumDuration(0);
    constexpr int kTickMs = 50;
    progress.startOperation({"First...", nullptr, kTickMs});
    for (int i = 0; i < 30; ++i)
        progress.updateProgressDialog();
    QTRY_VERIFY(progress.dialog()->isVisible());
    QElapsedTimer due;
    due.start();
    while (due.elapsed() <= kTickMs) {
    }
    progress.startOperation({"Second...", nullptr, 0});
    QCOMPARE(progress.count(), 0);
    QCOMPARE(progress.dialog()->value(), 0);
    progress.stopProgressDialog();
    QVERIFY(ProgressTest::ClosedForGood(progress.dialog()));
}

// The texts of a running operation come from the owner's translation
// context, again after every language change; the cancel text too.
void TestWidgets::progressFollowsALanguageSwitch()
{
    QWidget owner;
    owner.show();
    ProgressHelper progress(&owner, kLongPeriod, QString());
    progress.startOperation({"Switch Work Mode...", "Switch Work Mode Timeout", kLongPeriod});
    QCOMPARE(progress.dialog()->labelText(), QStringLiteral("Switch Work Mode..."));

    ProgressTest::MarkingTranslator marking;
    qApp->installTranslator(&marking);
    progress.retranslate();
    qApp->removeTranslator(&marking);
    using ProgressTest::MarkingTranslator;
    QCOMPARE(progress.dialog()->labelText(),
             MarkingTranslator::mark("QWidget", "Switch Work Mode..."));
    QCOMPARE(progress.timeOutText(),
             MarkingTranslator::mark("QWidget", "Switch Work Mode Timeout"));
    auto* cancel = progress.dialog()->findChild<QPushButton*>();
    QVERIFY(cancel);
    QCOMPARE(cancel->text(), MarkingTranslator::mark("ProgressHelper", "Cancel"));

    // Back in the source language, and a time-out shows that text.
    progress.retranslate();
    QCOMPARE(progress.timeOutText(), QStringLiteral("Switch Work Mode Timeout"));
    while (progress.isRunning())
        progress.updateProgressDialog();
    const QList<CustomMsgBox*> boxes = visibleBoxes(&owner);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0]->findChild<QLabel*>("messageLabel")->text(),
             QStringLiteral("Switch Work Mode Timeout"));
}

LEDZ_GUI_TEST_MAIN(TestWidgets)
#include "test_widgets.moc"
