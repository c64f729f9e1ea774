// The look as the operator reads it, under the application style sheet:
// texts stand out from what is drawn behind them, the message box can be
// closed from its title row, a ticked device is told from an unticked one and
// the search button's text fits inside the button.
#include "GuiTest.h"
#include "AppPaths.h"
#include "CustomMsgBox.h"
#include "DestinationDlg.h"
#include "Look.h"
#include "MachineCell.h"
#include "ProgressHelper.h"

#include <QFrame>
#include <QImage>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>
#include <cmath>
#include <functional>

namespace {
// Relative luminance and contrast ratio as the accessibility guidelines
// define them: 4.5 is their minimum for text, 3 for graphics.
double luminance(const QColor& c)
{
    const auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Pixels of the area for which the test holds.
int countWhere(const QRect& area, const std::function<bool(int x, int y)>& test)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(x, y);
    return n;
}

// Pixels of the area that contrast with the colour at least by ratio.
int countContrasting(const QImage& image, const QRect& area, const QColor& color, double ratio)
{
    return countWhere(
        area, [&](int x, int y) { return contrast(image.pixelColor(x, y), color) >= ratio; });
}

// The same within the disc of the radius around centre (pixel centres count).
int countContrastingInDisc(const QImage& image, QPointF centre, double radius, const QColor& color,
                           double ratio)
{
    return countWhere(image.rect(), [&](int x, int y) {
        return std::hypot(x + 0.5 - centre.x(), y + 0.5 - centre.y()) <= radius &&
               contrast(image.pixelColor(x, y), color) >= ratio;
    });
}

const QColor kPercentText(255, 255, 0);
const QColor kTitleRow(46, 46, 46);
}  // namespace

class TestLook : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void progressPercentReadable_data();
    void progressPercentReadable();
    void msgBoxCloseButtonVisible();
    void cellTickVisible_data();
    void cellTickVisible();
    void searchButtonTextFits();
};

void TestLook::initTestCase()
{
    InitAppResources();
    QVERIFY(Look::ApplyStyleSheet());
}

void TestLook::progressPercentReadable_data()
{
    QTest::addColumn<int>("value");
    QTest::newRow("bar empty") << 0;
    QTest::newRow("text on the edge of the chunk") << 50;
    QTest::newRow("text on the chunk") << 80;
    QTest::newRow("bar full") << 99;
}

void TestLook::progressPercentReadable()
{
    QFETCH(int, value);
    // What the yellow percentage is drawn over: the bar without its text.
    QWidget owner;
    ProgressHelper progress(&owner, 1000, QStringLiteral("Inquire Machine Data."));
    QProgressBar* bar = progress.dialog()->findChild<QProgressBar*>();
    QVERIFY(bar);
    progress.dialog()->setValue(value);
    bar->setTextVisible(false);
    const QImage image = bar->grab().toImage();
    // Inside the 2 px white border and clear of its rounded corners.
    const QRect inner = image.rect().adjusted(10, 3, -10, -3);
    QVERIFY(!inner.isEmpty());
    QCOMPARE(countContrasting(image, inner, kPercentText, 4.5), inner.width() * inner.height());

    // Every pixel of the bar's images, wherever they fall under the text.
    for (const char* name : {":/res/Image/Chnl_BK.png", ":/res/Image/PrograssBkg.png"}) {
        const QImage tile{QString::fromLatin1(name)};
        QVERIFY2(!tile.isNull(), name);
        QCOMPARE(countContrasting(tile, tile.rect(), kPercentText, 4.5),
                 tile.width() * tile.height());
    }
}

void TestLook::msgBoxCloseButtonVisible()
{
    QWidget owner;
    auto* box = new CustomMsgBox(&owner, QStringLiteral("Tips"), QStringLiteral("Exit System?"),
                                 QDialogButtonBox::Ok, QDialogButtonBox::Ok);
    QVERIFY(QTest::qWaitForWindowExposed(box));
    auto* row = box->findChild<QWidget*>(QStringLiteral("titleRow"));
    auto* close = box->findChild<QPushButton*>(QStringLiteral("closeButton"));
    QVERIFY(row && close);
    QCOMPARE(row->size(), QSize(430, 33));
    const QRect button(close->mapTo(row, QPoint(0, 0)), close->size());
    QVERIFY(row->rect().contains(button));
    QVERIFY(button.left() > row->width() / 2);  // on the right of the row

    const QImage image = row->grab().toImage();
    QCOMPARE(image.pixelColor(2, 2), kTitleRow);
    // The cross: a clear mark on the row, not a few faint pixels.
    QVERIFY2(countContrasting(image, button, kTitleRow, 3.0) >= 40,
             qPrintable(QString::number(countContrasting(image, button, kTitleRow, 3.0))));
}

void TestLook::cellTickVisible_data()
{
    QTest::addColumn<bool>("current");
    QTest::newRow("current device (accent cell)") << true;
    QTest::newRow("other device (dark cell)") << false;
}

void TestLook::cellTickVisible()
{
    QFETCH(bool, current);
    MachineCell cell(nullptr);
    cell.setCurrent(current);
    cell.setOnline(true);
    cell.setCheckBtnVisible(true);
    cell.resize(240, 135);
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    auto* frame = cell.findChild<QFrame*>(QStringLiteral("frame"));
    auto* check = cell.findChild<QPushButton*>(QStringLiteral("checkButton"));
    QVERIFY(frame && check);
    const QColor cellColour = current ? Look::Accent() : QColor(46, 46, 46);
    const QRect area(check->mapTo(frame, QPoint(0, 0)), check->size());
    const QPointF centre = QRectF(area).center();

    check->setChecked(false);
    const QImage unticked = frame->grab().toImage();
    check->setChecked(true);
    const QImage ticked = frame->grab().toImage();

    // Unticked is an empty ring: the cell's own colour fills its middle, and
    // the ring stands out from the cell. Ticked fills the middle with a mark
    // that stands out from the cell.
    QCOMPARE(countContrastingInDisc(unticked, centre, 5, cellColour, 3.0), 0);
    QVERIFY(countContrasting(unticked, area, cellColour, 3.0) >= 20);
    const int mark = countContrastingInDisc(ticked, centre, 5, cellColour, 3.0);
    QVERIFY2(mark >= 20, qPrintable(QString::number(mark)));
    const int differing = countWhere(area, [&](int x, int y) {
        return contrast(ticked.pixelColor(x, y), unticked.pixelColor(x, y)) >= 3.0;
    });
    QVERIFY2(differing >= 30, qPrintable(QString::number(differing)));
}

void TestLook::searchButtonTextFits()
{
    DestinationDlg page(nullptr);
    page.resize(800, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    auto* button = page.findChild<QPushButton*>(QStringLiteral("pushButton"));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("Search Destinations"));
    QCOMPARE(button->maximumSize(), QSize(180, 32));
    QCOMPARE(button->width(), 180);
    // The button's images cover it without repeating their left edge inside it.
    for (const char* image : {":/res/Image/HPageOff.png", ":/res/Image/HPageOn.png"})
        QVERIFY2(QImage(QString::fromLatin1(image)).width() >= button->width(), image);
    // A margin of at least 8 px to either edge.
    const int textWidth = QFontMetrics(button->font()).horizontalAdvance(button->text());
    QVERIFY2(textWidth <= button->width() - 2 * 8, qPrintable(QString::number(textWidth)));
}

LEDZ_GUI_TEST_MAIN(TestLook)
#include "test_look.moc"
