// The look as the operator reads it, under the application style sheet:
// texts stand out from what is drawn behind them, the message box can be
// closed from its title row, a ticked device is told from an unticked one,
// the search button's text fits inside the button, and the sub-panels and
// sub-pages show their own pictures, frames and colours, not those of the
// panel or page that holds them.
#include "AppPaths.h"
#include "ChromaKeyDlg.h"
#include "CustomMsgBox.h"
#include "DestinationDlg.h"
#include "GuiTest.h"
#include "KSV_LayerGroupDlg.h"
#include "LayerSettingDlg.h"
#include "LayerZoomDlg.h"
#include "Look.h"
#include "MachineCell.h"
#include "MiscDlg.h"
#include "ProgressHelper.h"
#include "StatusInfoDlg.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
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

// Pixels of the area where the widget's picture differs from the image (by
// more than rounding) where the image is opaque.
int countUnlike(const QImage& shot, const QImage& image, const QRect& area)
{
    return countWhere(area, [&](int x, int y) {
        const QColor want = image.pixelColor(x, y);
        const QColor got = shot.pixelColor(x, y);
        return want.alpha() == 255 &&
               (std::abs(want.red() - got.red()) > 2 || std::abs(want.green() - got.green()) > 2 ||
                std::abs(want.blue() - got.blue()) > 2);
    });
}

const QColor kPercentText(255, 255, 0);
const QColor kTitleRow(46, 46, 46);
const QColor kFrame(0xef, 0x9c, 0x00);

// Which of the layer panel's sub-panels a row looks at, by the layer panel's
// button that opens it.
QWidget* openSubPanel(LayerSettingDlg* panel, const QString& button)
{
    auto* b = panel->findChild<QPushButton*>(button);
    if (!b)
        return nullptr;
    b->click();
    for (QWidget* sub :
         {static_cast<QWidget*>(panel->zoomPanel()), static_cast<QWidget*>(panel->chromaKeyPanel()),
          static_cast<QWidget*>(panel->layerGroupPanel())})
        if (sub->isVisible())
            return sub;
    return nullptr;
}
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
    void subPanelSwitchesShowOnOff_data();
    void subPanelSwitchesShowOnOff();
    void subPanelButtonsArePageButtons_data();
    void subPanelButtonsArePageButtons();
    void subPanelGroupsHaveAccentFrames_data();
    void subPanelGroupsHaveAccentFrames();
    void zoomEditsInTheEditLook();
    void statusVersionsInTheAccent();

private:
    // The layer panel as the page holds it, with its sub-panels inside: the
    // panel's own rules are in effect around them.
    void showLayerPanel();
    QWidget host_;
    LayerSettingDlg* layerPanel_ = nullptr;
};

void TestLook::showLayerPanel()
{
    if (!layerPanel_) {
        layerPanel_ = new LayerSettingDlg(&host_);
        (new QHBoxLayout(&host_))->addWidget(layerPanel_);
        host_.resize(1240, 260);
    }
    // Each row opens its sub-panel from the layer controls.
    for (QWidget* sub : {static_cast<QWidget*>(layerPanel_->zoomPanel()),
                         static_cast<QWidget*>(layerPanel_->chromaKeyPanel()),
                         static_cast<QWidget*>(layerPanel_->layerGroupPanel())})
        if (sub->isVisible())
            sub->close();
    host_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host_));
}

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

void TestLook::subPanelSwitchesShowOnOff_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("name");
    QTest::newRow("zoom on/off") << "ZoomSetBtn"
                                 << "ZoomOnoffBtn";
    QTest::newRow("chroma key on/off") << "ColorKeyerBtn"
                                       << "pushButton";
}

// The switch is the on/off picture, at its own size, in both states.
void TestLook::subPanelSwitchesShowOnOff()
{
    QFETCH(QString, opener);
    QFETCH(QString, name);
    showLayerPanel();
    QWidget* sub = openSubPanel(layerPanel_, opener);
    QVERIFY(sub);
    auto* onOff = sub->findChild<QPushButton*>(name, Qt::FindDirectChildrenOnly);
    QVERIFY(onOff && onOff->isCheckable());
    QCOMPARE(onOff->size(), QSize(70, 32));
    for (const bool on : {false, true}) {
        onOff->setChecked(on);
        const QImage image(on ? ":/res/Image/OnOff_on.png" : ":/res/Image/OnOff_off.png");
        QCOMPARE(image.size(), onOff->size());
        const QImage shot = onOff->grab().toImage();
        const int unlike = countUnlike(shot, image, image.rect());
        QVERIFY2(unlike == 0, qPrintable(QStringLiteral("%1 pixels unlike").arg(unlike)));
    }
}

void TestLook::subPanelButtonsArePageButtons_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("name");
    // The zoom panel's buttons share their names with the layer panel's
    // rotation buttons.
    QTest::newRow("zoom Reset") << "ZoomSetBtn" << QString() << "pushButton";
    QTest::newRow("zoom Match To Input") << "ZoomSetBtn" << QString() << "pushButton_2";
    QTest::newRow("chroma quick set") << "ColorKeyerBtn"
                                      << "quickSetGroupBox"
                                      << "13";
    QTest::newRow("layer group") << "LayerGroupBtn"
                                 << "*"
                                 << "3";
}

// Unchecked, the button shows the page button's picture: its lit left edge
// beside the text, from the picture's top left corner.
void TestLook::subPanelButtonsArePageButtons()
{
    QFETCH(QString, opener);
    QFETCH(QString, parent);
    QFETCH(QString, name);
    showLayerPanel();
    QWidget* sub = openSubPanel(layerPanel_, opener);
    QVERIFY(sub);
    QWidget* holder = sub;
    if (parent == QLatin1String("*"))
        holder = sub->findChild<QGroupBox*>();
    else if (!parent.isEmpty())
        holder = sub->findChild<QGroupBox*>(parent);
    QVERIFY(holder);
    auto* button = holder->findChild<QPushButton*>(name);
    QVERIFY(button && button->isVisible());
    button->setChecked(false);
    QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(235, 235, 235));
    const QImage image(QStringLiteral(":/res/Image/HPageOff.png"));
    QVERIFY(image.width() >= button->width() && image.height() >= button->height());
    const QImage shot = button->grab().toImage();
    // Clear of the rounded corners and of the text.
    const QRect edge(0, 6, 4, button->height() - 12);
    QVERIFY(!edge.isEmpty());
    const int unlike = countUnlike(shot, image, edge);
    QVERIFY2(unlike == 0, qPrintable(QStringLiteral("%1 pixels unlike").arg(unlike)));
}

void TestLook::subPanelGroupsHaveAccentFrames_data()
{
    QTest::addColumn<QString>("opener");
    QTest::newRow("zoom") << "ZoomSetBtn";
    QTest::newRow("chroma key") << "ColorKeyerBtn";
    QTest::newRow("layer group") << "LayerGroupBtn";
}

// Every group of the sub-panel is framed in the accent.
void TestLook::subPanelGroupsHaveAccentFrames()
{
    QFETCH(QString, opener);
    showLayerPanel();
    QWidget* sub = openSubPanel(layerPanel_, opener);
    QVERIFY(sub);
    const QList<QGroupBox*> groups = sub->findChildren<QGroupBox*>();
    QVERIFY(!groups.isEmpty());
    for (QGroupBox* group : groups) {
        const QImage shot = group->grab().toImage();
        const int y = shot.height() * 2 / 3;
        QVERIFY2(shot.pixelColor(0, y) == kFrame || shot.pixelColor(1, y) == kFrame,
                 qPrintable(group->title()));
        QVERIFY2(shot.pixelColor(shot.width() - 1, y) == kFrame ||
                     shot.pixelColor(shot.width() - 2, y) == kFrame,
                 qPrintable(group->title()));
    }
}

// HRange and VRange look like the other four edits of the zoom window, dark
// with the accent text.
void TestLook::zoomEditsInTheEditLook()
{
    showLayerPanel();
    QWidget* sub = openSubPanel(layerPanel_, QStringLiteral("ZoomSetBtn"));
    QVERIFY(sub);
    for (const char* name :
         {"lineEdit", "lineEdit_2", "lineEdit_3", "lineEdit_4", "lineEdit_5", "lineEdit_6"}) {
        auto* edit = sub->findChild<QLineEdit*>(QLatin1String(name));
        QVERIFY2(edit, name);
        QCOMPARE(edit->palette().color(QPalette::Text), Look::Accent());
        QCOMPARE(edit->palette().color(QPalette::Base), QColor(0x24, 0x24, 0x24));
    }
}

// The status sub-page inside the system page: the version texts in the
// accent at 12 points, not in the page's white bold captions, over the whole
// voltage table.
void TestLook::statusVersionsInTheAccent()
{
    MiscDlg page(nullptr);
    page.resize(1180, 700);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    auto* open =
        page.findChild<QPushButton*>(QStringLiteral("pushButton"), Qt::FindDirectChildrenOnly);
    QVERIFY(open);
    open->click();
    auto* status = page.findChild<StatusInfoDlg*>();
    QVERIFY(status && status->isVisible());
    for (const char* name : {"label", "label_2", "label_3", "label_4"}) {
        auto* label = status->findChild<QLabel*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
        QVERIFY2(label, name);
        QCOMPARE(label->palette().color(QPalette::WindowText), Look::Accent());
        QCOMPARE(label->font().pointSize(), 12);
        QCOMPARE(label->font().weight(), Look::kWeight);
    }
    // All seven voltage rows in view.
    auto* table = status->findChild<QTableView*>();
    QVERIFY(table);
    QCOMPARE(table->model()->rowCount(), 7);
    QTRY_COMPARE(table->verticalScrollBar()->maximum(), 0);
    // The page's own groups keep their captions.
    auto* group = page.findChild<QGroupBox*>(QStringLiteral("groupBox_3"));
    QVERIFY(group);
    auto* sliderLabel = group->findChild<QLabel*>(QStringLiteral("label"));
    QVERIFY(sliderLabel);
    QCOMPARE(sliderLabel->palette().color(QPalette::WindowText), QColor(Qt::white));
    status->close();
}

LEDZ_GUI_TEST_MAIN(TestLook)
#include "test_look.moc"
