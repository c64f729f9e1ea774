// The input cell on its own: what a press, a release, a double-click and a
// sub-cell press report, the split and tile states, Clear and Apply.
#include "AppPaths.h"
#include "GuiTest.h"
#include "InputDragInfo.h"
#include "InputLook.h"
#include "InputSrcCell.h"
#include "Look.h"
#include "MouseEvents.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
QString look(const QWidget* frame)
{
    return frame->property(InputLook::kFrameLook).toString();
}

// Counts the style changes of a widget and everything in it: a new style
// sheet gives each of them one.
class StyleChanges : public QObject {
public:
    explicit StyleChanges(QWidget* top)
    {
        top->installEventFilter(this);
        for (QWidget* w : top->findChildren<QWidget*>())
            w->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        count += e->type() == QEvent::StyleChange;
        return false;
    }
};
}  // namespace

class TestInputCell : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void clickUnderDragDistance();
    void doubleClickRenames();
    void destroyedWhileRenamingReportsNothing();
    void splitRightPart();
    void invalidTileIgnoresPresses();
    void subCellPresses();
    void selectionLook();
    void labelsAndClear();
    void lookFollowsTheProperty();

private:
    QPoint inMain(int dx = 0) const
    {
        return QPoint(cell->mainFrame()->geometry().left() + 20 + dx,
                      cell->mainFrame()->geometry().center().y());
    }
    QPoint centerOf(QWidget* w) const { return w->mapTo(cell, w->rect().center()); }

    InputSrcCell* cell = nullptr;
};

void TestInputCell::initTestCase()
{
    InitAppResources();
}

// An input cell with three ports, as the page builds inputs 1 to 4.
void TestInputCell::init()
{
    cell = new InputSrcCell;
    cell->index = 2;
    cell->SetTileMode(false);
    cell->SetSubCount(3);
    cell->SetSrcLabel("Input 3:HDMI ");
    cell->SetRenameLabel("Input 3");
    cell->resize(900, 80);
    cell->show();
    QVERIFY(QTest::qWaitForWindowExposed(cell));
}

void TestInputCell::cleanup()
{
    delete cell;
}

void TestInputCell::clickUnderDragDistance()
{
    QSignalSpy clicks(cell, &InputSrcCell::ClickInputSrcEvent);
    const int d = QApplication::startDragDistance();
    MouseEvents::press(cell, inMain());
    MouseEvents::move(cell, inMain(d - 1));
    MouseEvents::release(cell, inMain(d - 1));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks[0][0].toInt(), 2);
    QCOMPARE(clicks[0][1].toInt(), 0);
    // A release without its own arming press reports nothing.
    MouseEvents::release(cell, inMain());
    QCOMPARE(clicks.count(), 1);
    // Not clickable: nothing.
    cell->clickable = false;
    MouseEvents::press(cell, inMain());
    MouseEvents::release(cell, inMain());
    QCOMPARE(clicks.count(), 1);
}

void TestInputCell::doubleClickRenames()
{
    QLabel* label = cell->findChild<QLabel*>("IPSRCRENAMELABEL");
    const QPoint at = centerOf(label);
    QSignalSpy clicks(cell, &InputSrcCell::ClickInputSrcEvent);
    QSignalSpy renames(cell, &InputSrcCell::SigRenameInputSrc);
    MouseEvents::press(cell, at);
    MouseEvents::release(cell, at);
    MouseEvents::send(cell, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton,
                      cell->mapToGlobal(at));
    MouseEvents::release(cell, at);
    QCOMPARE(clicks.count(), 1);
    QLineEdit* editor = cell->renameEditor();
    QVERIFY(editor && editor->isVisible());
    QVERIFY(!label->isVisible());
    QCOMPARE(editor->text(), QStringLiteral("Input 3"));
    // Ending with an empty editor reports the empty text.
    editor->clear();
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(renames.count(), 1);
    QCOMPARE(renames[0][1].toString(), QString());
    QCOMPARE(label->text(), QString());
    QVERIFY(label->isVisible());
    QCOMPARE(cell->findChild<QLabel*>("IPSRCLABEL")->text(), QStringLiteral("Input 3:HDMI "));
}

// The editor loses the focus while the cell is being destroyed: nothing of
// the cell may run then, and no rename may be reported.
void TestInputCell::destroyedWhileRenamingReportsNothing()
{
    QVERIFY(QTest::qWaitForWindowActive(cell));
    const QPoint at = centerOf(cell->findChild<QLabel*>("IPSRCRENAMELABEL"));
    MouseEvents::send(cell, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton,
                      cell->mapToGlobal(at));
    QLineEdit* editor = cell->renameEditor();
    QVERIFY(editor && editor->isVisible());
    QTRY_VERIFY(editor->hasFocus());
    editor->setText(QStringLiteral("Half"));
    QSignalSpy renames(cell, &InputSrcCell::SigRenameInputSrc);
    delete cell;
    cell = nullptr;
    QCOMPARE(renames.count(), 0);
}

void TestInputCell::splitRightPart()
{
    cell->index = 4;
    cell->SetSplit(true);
    QApplication::processEvents();
    QWidget* right = cell->rightPart();
    QVERIFY(right->isVisible());
    QCOMPARE(cell->findChild<QLabel*>("IPSRCLABEL")->text(), QStringLiteral("Input 3:HDMI -L"));
    QCOMPARE(cell->findChild<QLabel*>("IPSRCLABELR")->text(), QStringLiteral("Input 3:HDMI -R"));
    QSignalSpy clicks(cell, &InputSrcCell::ClickInputSrcEvent);
    MouseEvents::press(cell, centerOf(right));
    MouseEvents::release(cell, centerOf(right));
    QCOMPARE(clicks[0][1].toInt(), 1);
    QCOMPARE(InputDragInfo::fromBytes(cell->DragPayload(centerOf(right)))->half, 1);
    QCOMPARE(InputDragInfo::fromBytes(cell->DragPayload(inMain()))->half, 0);
    // A new label on a split cell shows no "-L" until the split is set again.
    cell->SetSrcLabel("Input 5:HDMI 2.0");
    QCOMPARE(cell->findChild<QLabel*>("IPSRCLABEL")->text(), QStringLiteral("Input 5:HDMI 2.0"));
    const QPoint where = centerOf(right);
    cell->SetSplit(false);
    MouseEvents::press(cell, where);
    MouseEvents::release(cell, where);
    QCOMPARE(clicks[1][1].toInt(), 0);
    QCOMPARE(InputDragInfo::fromBytes(cell->DragPayload(where))->half, 0);
}

void TestInputCell::invalidTileIgnoresPresses()
{
    cell->index = 6;
    cell->SetTileMode(true);
    cell->SetSubCount(4);
    cell->clickable = true;  // as in the compact column
    cell->SetTileValid(false);
    QCOMPARE(look(cell->mainFrame()), InputLook::kFrameInvalid);
    QSignalSpy clicks(cell, &InputSrcCell::ClickInputSrcEvent);
    MouseEvents::press(cell, inMain());
    MouseEvents::release(cell, inMain());
    QCOMPARE(clicks.count(), 0);
    cell->SetTileValid(true);
    QCOMPARE(look(cell->mainFrame()), InputLook::kFrameDark);
    MouseEvents::press(cell, inMain());
    MouseEvents::release(cell, inMain());
    QCOMPARE(clicks.count(), 1);
    // A tile's drag carries only its index.
    const auto info = InputDragInfo::fromBytes(cell->DragPayload(inMain()));
    QCOMPARE(info->source, 6);
    QCOMPARE(info->half, 0);
    QCOMPARE(int(info->split), 0);
}

void TestInputCell::subCellPresses()
{
    QSignalSpy subs(cell, &InputSrcCell::SigClickInputSubSrc);
    // Hidden sub-cell 3 and a disabled sub-cell report nothing.
    MouseEvents::press(cell, centerOf(cell->subFrame(3)));
    cell->SetSubEnabled(2, false);
    MouseEvents::press(cell, centerOf(cell->subFrame(2)));
    QCOMPARE(subs.count(), 0);
    MouseEvents::press(cell, centerOf(cell->subFrame(1)));
    MouseEvents::release(cell, centerOf(cell->subFrame(1)));
    QCOMPARE(subs.count(), 1);
    QCOMPARE(subs[0][1].toInt(), 1);
    QVERIFY(cell->isSubSelected(1));
    QVERIFY(!cell->isSubSelected(0));
    QCOMPARE(look(cell->subFrame(1)), InputLook::kFrameAccent);
    QCOMPARE(look(cell->subFrame(0)), InputLook::kFrameDark);
    QCOMPARE(look(cell->subFrame(2)), InputLook::kFrameDisabled);
    // The highlighted one reports again; a press on a sub-cell arms no click.
    QSignalSpy clicks(cell, &InputSrcCell::ClickInputSrcEvent);
    MouseEvents::press(cell, centerOf(cell->subFrame(1)));
    MouseEvents::release(cell, centerOf(cell->subFrame(1)));
    QCOMPARE(subs.count(), 2);
    QCOMPARE(clicks.count(), 0);
    // Out-of-range numbers change nothing.
    cell->SelectSub(4, true);
    cell->SelectSub(-1, true);
    cell->SetSubText(7, "X");
    QCOMPARE(subs.count(), 2);
}

void TestInputCell::selectionLook()
{
    cell->SetSplit(true);
    cell->SetSelected(true, 1);
    QCOMPARE(look(cell->mainFrame()), InputLook::kFrameDark);
    QCOMPARE(look(cell->rightPart()), InputLook::kFrameAccent);
    // Area 2 changes only the flag.
    cell->SetSelected(true, 2);
    QCOMPARE(look(cell->rightPart()), InputLook::kFrameAccent);
    cell->SetSelected(false, 0);
    QVERIFY(!cell->isSelected());
    QCOMPARE(look(cell->mainFrame()), InputLook::kFrameDark);
    QCOMPARE(look(cell->rightPart()), InputLook::kFrameRight);
    // Apply on a cell selected on its right part highlights the main frame.
    cell->SetSelected(true, 1);
    cell->OnClickConfirmBtn();
    QCOMPARE(look(cell->mainFrame()), InputLook::kFrameAccent);
    QCOMPARE(look(cell->rightPart()), InputLook::kFrameRight);
}

void TestInputCell::labelsAndClear()
{
    cell->index = 7;
    cell->SetTileMode(true);
    cell->SetSubCount(4);
    for (int i = 0; i < 4; ++i) {
        cell->SetSubSource(i, i);
        cell->SetSubText(i, QString("Input %1").arg(i + 1));
    }
    cell->SetApplyEnabled(true);
    QVERIFY(cell->findChild<QPushButton*>("INPUTCONFIRM")->isVisible());
    QVERIFY(!cell->findChild<QPushButton*>("INPUTSIGNAL")->isVisible());
    QSignalSpy cleared(cell, &InputSrcCell::SigInputClearBtn);
    QTest::mouseClick(cell->findChild<QPushButton*>("INPUTCLEAR"), Qt::LeftButton);
    QCOMPARE(cleared.count(), 1);
    QCOMPARE(cleared[0][0].toInt(), 7);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(cell->SubSource(i), InputSrcCell::kNoSource);
        QCOMPARE(cell->findChild<QLabel*>(QString("SubCell%1").arg(i))->text(),
                 QStringLiteral("NONE"));
    }
    QVERIFY(!cell->findChild<QPushButton*>("INPUTCONFIRM")->isEnabled());
    QVERIFY(!cell->isTileValid());
    // No sub-cells: Clear and Apply go too.
    cell->SetSubCount(0);
    QVERIFY(!cell->findChild<QPushButton*>("INPUTCLEAR")->isVisible());
    QVERIFY(!cell->subFrame(0)->isVisible());
}

// With the application's style sheet the frames show their looks as the
// cell's state changes them, without a new style sheet for anything.
void TestInputCell::lookFollowsTheProperty()
{
    QVERIFY(Look::ApplyStyleSheet());
    const QColor dark(16, 16, 16), accent(239, 156, 0), right(64, 64, 64);
    // A pixel of the frame's own background: its top margin, mid-way.
    auto colour = [this](QWidget* frame) {
        const QImage img = cell->grab().toImage();
        return img.pixelColor(frame->mapTo(cell, QPoint(frame->width() / 2, 1)));
    };
    cell->SetSplit(true);
    cell->SetSelected(false, 0);
    QCOMPARE(colour(cell->mainFrame()), dark);
    QCOMPARE(colour(cell->rightPart()), right);

    StyleChanges changes(cell);
    cell->SetSelected(true, 0);
    QCOMPARE(colour(cell->mainFrame()), accent);
    cell->SetSelected(true, 1);
    QCOMPARE(colour(cell->mainFrame()), dark);
    QCOMPARE(colour(cell->rightPart()), accent);
    cell->SelectSub(1, false);
    QCOMPARE(colour(cell->subFrame(1)), accent);
    QCOMPARE(colour(cell->subFrame(0)), dark);
    QCOMPARE(cell->findChild<QLabel*>("SubCell1")->property(InputLook::kTextLook).toString(),
             InputLook::kLabelDark);
    cell->SetSelected(false, 0);
    QCOMPARE(colour(cell->rightPart()), right);
    QCOMPARE(changes.count, 0);
    QVERIFY(cell->mainFrame()->styleSheet().isEmpty());
    qApp->setStyleSheet(QString());
}

LEDZ_GUI_TEST_MAIN(TestInputCell)
#include "test_inputcell.moc"
