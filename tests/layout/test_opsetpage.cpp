// The output and layer page on a real X server against a simulated
// processor: after the read-back its canvas shows the device's outputs and
// layers as each working mode and output mode wants them; its cell and zoom
// buttons, drops beside the canvas and Escape; and a look at both views.
#include "AppPaths.h"
#include "CellGeometry.h"
#include "GuiTest.h"
#include "InputDragInfo.h"
#include "InputSrcCell.h"
#include "InputSrcSetDlg.h"
#include "KSV_OpSetDlg.h"
#include "LayerSettingDlg.h"
#include "MiddleHandler.h"
#include "MouseEvents.h"
#include "OpParamSet.h"
#include "PaintCellCtrl.h"
#include "PicVideoCell.h"
#include "ProcSim.h"
#include "SelectedSim.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
QRect R(int l, int t, int r, int b)
{
    return QRect(QPoint(l, t), QPoint(r, b));
}

// "1" or "0" per item, for comparing several flags at once.
template <typename F>
QString Flags(int n, F f)
{
    QString s;
    for (int i = 0; i < n; ++i)
        s += f(i) ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

QJsonObject ReadState(const QString& name)
{
    QFile f(ProcSim::stateFile(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

// Sets obj[path] (dotted keys, "[n]" for array elements) to value.
void Set(QJsonObject& obj, const QString& path, const QJsonValue& value)
{
    const int dot = path.indexOf(QLatin1Char('.'));
    const QString head = dot < 0 ? path : path.left(dot);
    const QString rest = dot < 0 ? QString() : path.mid(dot + 1);
    const int bracket = head.indexOf(QLatin1Char('['));
    if (bracket < 0) {
        if (rest.isEmpty()) {
            obj[head] = value;
        } else {
            QJsonObject child = obj[head].toObject();
            Set(child, rest, value);
            obj[head] = child;
        }
        return;
    }
    const QString key = head.left(bracket);
    const int index = head.mid(bracket + 1, head.size() - bracket - 2).toInt();
    QJsonArray array = obj[key].toArray();
    if (rest.isEmpty()) {
        array[index] = value;
    } else {
        QJsonObject child = array[index].toObject();
        Set(child, rest, value);
        array[index] = child;
    }
    obj[key] = array;
}
}  // namespace

class TestOpSetPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void outputView();
    void layerView();
    void dragAndDropOnThePage();
    void cellButtons();
    void zoomSteps();
    void dropsBesideTheCanvas();
    void escapeIsSwallowed();
    void returnClicksNoButton();
    void resetCellsThenRefresh();
    void unknownWorkingModeLeavesTheLayers();
    void onOffOfAWindowWithoutACell();
    void relaysOfTheInputPage();
    void redrawFromTheDevice_data();
    void redrawFromTheDevice();

private:
    QImage shot(const QString& name, const std::function<bool(const QImage&)>& ready);
    bool startWith(const QJsonObject& state);

    MiddleHandler* h = nullptr;
    std::unique_ptr<ProcSim> sim;
    std::unique_ptr<KSV_OpSetDlg> page;
    QTemporaryDir dir;
};

void TestOpSetPage::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    InitAppResources();
    h = MiddleHandler::GetInstance();
    page = std::make_unique<KSV_OpSetDlg>(nullptr);
    page->setGeometry(50, 50, 1100, 900);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    sim = SelectedSim::Start(h, ProcSim::stateFile("z7050-1.json"));
    QVERIFY(sim);
}

void TestOpSetPage::cleanupTestCase()
{
    page.reset();
    sim.reset();
    if (h)
        h->ShutdownForTest();
}

// procsim playing the state given, selected and read back, in place of the
// one before.
bool TestOpSetPage::startWith(const QJsonObject& state)
{
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    f.write(QJsonDocument(state).toJson());
    f.close();
    sim.reset();
    sim = SelectedSim::Start(h, path);
    return sim != nullptr;
}

// The page as the X server shows it, once ready holds (at most 10 s).
QImage TestOpSetPage::shot(const QString& name, const std::function<bool(const QImage&)>& ready)
{
    QImage img;
    // The caller checks the picture; a time-out leaves the last one.
    (void)QTest::qWaitFor(
        [&] {
            img = page->screen()
                      ->grabWindow(0, page->x(), page->y(), page->width(), page->height())
                      .toImage()
                      .convertToFormat(QImage::Format_RGB32);
            return ready(img);
        },
        10000);
    img.save(QStringLiteral(LEDZ_SHOT_DIR "/") + name);
    return img;
}

void TestOpSetPage::outputView()
{
    page->setMode(0);
    PaintCellCtrl* c = page->canvas();
    QCOMPARE(page->stackedWidget()->currentWidget(), page->outputPanel());
    QVERIFY(!page->inputList()->isVisible());
    // The device's four output windows of 1920 x 1080 in a 2 x 2 wall.
    const QList<QRect> outputs = {R(0, 0, 1919, 1079), R(1920, 0, 3839, 1079),
                                  R(0, 1080, 1919, 2159), R(1920, 1080, 3839, 2159)};
    QTRY_VERIFY(c->outputCells().at(3)->on);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(c->outputCells().at(i)->deviceRect(), outputs[i]);
        QVERIFY(c->outputCells().at(i)->isVisible());
        QCOMPARE(c->outputCells().at(i)->caption, QString("Output%1").arg(i + 1));
    }
    for (const PicVideoCell* l : c->layerCells())
        QVERIFY(!l->isVisible());
    const QPoint inOutput4 = c->mapTo(page.get(), QPoint(300, 250));
    const QImage img = shot("page-output-view.png", [&](const QImage& i) {
        return i.pixelColor(inOutput4) == QColor(255, 187, 0);
    });
    QCOMPARE(img.pixelColor(inOutput4), QColor(255, 187, 0));
}

void TestOpSetPage::layerView()
{
    page->setMode(1);
    PaintCellCtrl* c = page->canvas();
    QVERIFY(c->inLayerView());
    QCOMPARE(page->stackedWidget()->currentWidget(), page->layerPanel());
    QVERIFY(page->inputList()->isVisible());
    QCOMPARE(c->maxLayers(), 4);
    const QList<QRect> layers = {R(0, 0, 3839, 2159), R(160, 120, 1119, 659),
                                 R(1920, 1080, 3839, 2159)};
    for (int i = 0; i < 3; ++i) {
        QTRY_COMPARE(c->layerCells().at(i)->deviceRect(), layers[i]);
        QVERIFY(c->layerCells().at(i)->isVisible());
        QVERIFY(c->layerCells().at(i)->closeButton()->isVisible());
    }
    QTRY_VERIFY(!c->layerCells().at(3)->on);
    QCOMPARE(c->layerCells().at(1)->caption.left(15), QString("Layer 2: Input "));
    for (const PicVideoCell* o : c->outputCells())
        QVERIFY(!o->isVisible());
    // Layer 2's block, lit (0.12, 0.61, 0.57).
    const QPoint inLayer2 = c->mapTo(page.get(), QPoint(60, 22));
    const QImage img = shot("page-layer-view.png", [&](const QImage& i) {
        return i.pixelColor(inLayer2) == QColor(37, 187, 174);
    });
    QCOMPARE(img.pixelColor(inLayer2), QColor(37, 187, 174));
}

void TestOpSetPage::dragAndDropOnThePage()
{
    page->setMode(1);
    PaintCellCtrl* c = page->canvas();
    PicVideoCell* layer = c->layerCells().at(1);
    QSignalSpy moved(c, &PaintCellCtrl::SigMouseMoveLayerCell);
    const QPoint start(40, 40);
    const QPoint g = layer->mapToGlobal(start);
    MouseEvents::press(layer, start);
    QCOMPARE(layer->region(), CellGeometry::kMoveRegion);
    for (int d : {8, 16, 24})
        MouseEvents::moveGlobal(layer, g + QPoint(d, d));
    MouseEvents::release(layer, layer->mapFromGlobal(g + QPoint(24, 24)));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0).at(0).toRect(), R(352, 312, 1311, 851));

    // An input dropped on the canvas fills the free layer 4.
    InputDragInfo info;
    info.source = 2;
    info.type = 2;
    std::unique_ptr<QMimeData> mime(info.toMime());
    QDragEnterEvent enter(QPoint(500, 100), Qt::MoveAction, mime.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(c, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(500, 100), Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c, &drop);
    QVERIFY(drop.isAccepted());
    QVERIFY(c->layerCells().at(3)->on);
    QCOMPARE(c->layerCells().at(3)->caption, QString("Layer 4: Input  3HDMI"));
}

// A cell button selects that cell of the view shown; a click on a cell
// checks its button.
void TestOpSetPage::cellButtons()
{
    PaintCellCtrl* c = page->canvas();
    for (int mode : {0, 1}) {
        page->setMode(mode);
        QSignalSpy op(page.get(), SIGNAL(SigSelectOpCell(int)));
        QSignalSpy layer(page.get(), SIGNAL(SigSelectLayerCell(int)));
        const QList<PicVideoCell*>& cells = mode == 0 ? c->outputCells() : c->layerCells();
        for (int i : {1, 0, 2}) {
            QPushButton* b = page->cellButton(i);
            QCOMPARE(b->text(), QString::number(i + 1));
            b->click();
            QVERIFY(b->isChecked());
            QCOMPARE(Flags(3, [&](int k) { return cells.at(k)->selected; }),
                     Flags(3, [&](int k) { return k == i; }));
        }
        QCOMPARE((mode == 0 ? op : layer).count(), 3);
        QCOMPARE((mode == 0 ? layer : op).count(), 0);
        QCOMPARE((mode == 0 ? op : layer).at(0).at(0).toInt(), 1);

        MouseEvents::press(cells.at(1), QPoint(30, 30));
        MouseEvents::release(cells.at(1), QPoint(30, 30));
        QVERIFY(page->cellButton(1)->isChecked());
        QCOMPARE(Flags(4, [&](int k) { return page->cellButton(k)->isChecked(); }),
                 QString("0100"));
    }
    // A cell number beyond the buttons checks none of them anew.
    page->On_SigClickLayerCell(4);
    page->On_SigClickOutputCell(-1);
    QCOMPARE(Flags(4, [&](int k) { return page->cellButton(k)->isChecked(); }), QString("0100"));
}

// Zooming in goes down by half steps and starts over at 4.0 instead of
// reaching 0; zooming out stops at 25.
void TestOpSetPage::zoomSteps()
{
    PaintCellCtrl* c = page->canvas();
    QCOMPARE(page->scale(), 8.0);
    QList<double> in;
    for (int i = 0; i < 16; ++i) {
        page->zoomInButton()->click();
        in << c->scaleX();
        QCOMPARE(c->scaleY(), c->scaleX());
    }
    QCOMPARE(in, (QList<double>{7.5, 7.0, 6.5, 6.0, 5.5, 5.0, 4.5, 4.0, 3.5, 3.0, 2.5, 2.0, 1.5,
                                1.0, 0.5, 4.0}));
    for (int i = 0; i < 41; ++i)
        page->zoomOutButton()->click();
    QCOMPARE(c->scaleX(), 24.5);
    page->zoomOutButton()->click();
    QCOMPARE(c->scaleX(), 25.0);
    page->zoomOutButton()->click();
    QCOMPARE(c->scaleX(), 25.0);
    QCOMPARE(page->scale(), 25.0);
    // Back to the scale the other cases were drawn at.
    for (int i = 0; i < 34; ++i)
        page->zoomInButton()->click();
    QCOMPARE(c->scaleX(), 8.0);
}

// An input let go on the page beside the canvas is taken and changes
// nothing; other data is refused.
void TestOpSetPage::dropsBesideTheCanvas()
{
    page->setMode(1);
    PaintCellCtrl* c = page->canvas();
    const QString before =
        Flags(4, [&](int i) { return c->layerCells().at(i)->on; });
    QMimeData other;
    other.setText(QStringLiteral("Input 1"));
    InputDragInfo info;
    info.source = 1;
    std::unique_ptr<QMimeData> input(info.toMime());
    const QPoint beside(page->width() / 2, page->height() - 20);
    for (QMimeData* mime : {static_cast<QMimeData*>(&other), input.get()}) {
        const bool carriesInput = mime == input.get();
        QDragEnterEvent enter(beside, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(page.get(), &enter);
        QCOMPARE(enter.isAccepted(), carriesInput);
        QDragMoveEvent move(beside, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton,
                            Qt::NoModifier);
        QApplication::sendEvent(page.get(), &move);
        QCOMPARE(move.isAccepted(), carriesInput);
        if (carriesInput)
            QCOMPARE(move.dropAction(), Qt::MoveAction);
        QDropEvent drop(beside, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(page.get(), &drop);
        QCOMPARE(drop.isAccepted(), carriesInput);
        if (carriesInput)
            QCOMPARE(drop.dropAction(), Qt::MoveAction);
    }
    QCOMPARE(Flags(4, [&](int i) { return c->layerCells().at(i)->on; }), before);
}

void TestOpSetPage::escapeIsSwallowed()
{
    QTest::keyClick(page.get(), Qt::Key_Escape);
    QTest::keyClick(page->canvas(), Qt::Key_Escape);
    QVERIFY(page->isVisible());
    QCOMPARE(page->result(), 0);
}

// A push button that had the focus is the page's default button; Return that
// ends an edit must not click it (here: close output 1 and switch it off).
void TestOpSetPage::returnClicksNoButton()
{
    page->setMode(0);
    page->UiRefreshAll();
    page->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(page.get()));
    PicVideoCell* output = page->canvas()->outputCells().at(0);
    QVERIFY(output->on);
    output->closeButton()->setFocus();
    QTRY_VERIFY(output->closeButton()->isDefault());
    QSignalSpy switched(page->canvas(), &PaintCellCtrl::SigOutputCellOnOff);
    auto* edit = page->outputPanel()->findChild<QLineEdit*>("lineEdit");
    QVERIFY(edit);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(page.get(), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(output->on);
    QCOMPARE(switched.count(), 0);
}

// Before a read-back of another device every cell goes off, keeping its
// place; the refresh after it brings them back from the record.
void TestOpSetPage::resetCellsThenRefresh()
{
    PaintCellCtrl* c = page->canvas();
    page->setMode(0);
    page->UiRefreshAll();
    const QRect output2 = c->outputCells().at(1)->deviceRect();
    const QRect layer1 = c->layerCells().at(0)->deviceRect();
    QSignalSpy layerOff(c, &PaintCellCtrl::SigLayerCellOnOff);
    QSignalSpy outputOff(c, &PaintCellCtrl::SigOutputCellOnOff);
    page->ResetCells();
    QCOMPARE(Flags(4, [&](int i) { return c->outputCells().at(i)->on; }), QString("0000"));
    QCOMPARE(Flags(4, [&](int i) { return c->layerCells().at(i)->on; }), QString("0000"));
    QCOMPARE(c->outputCells().at(1)->deviceRect(), output2);
    QCOMPARE(c->layerCells().at(0)->deviceRect(), layer1);
    // Silently: the panels would otherwise turn the device's layers off.
    QCOMPARE(layerOff.count() + outputOff.count(), 0);

    page->UiRefreshAll();
    QCOMPARE(Flags(4, [&](int i) { return c->outputCells().at(i)->on; }), QString("1111"));
    QCOMPARE(Flags(4, [&](int i) { return c->layerCells().at(i)->on; }).left(3), QString("111"));
}

// A layer report while the record holds a working mode the page does not
// know has no layer set to show: the layer cells stay as they are.
void TestOpSetPage::unknownWorkingModeLeavesTheLayers()
{
    PaintCellCtrl* c = page->canvas();
    page->setMode(1);
    page->UiRefreshAll();
    auto layers = [&] {
        QStringList s;
        for (int i = 0; i < 4; ++i) {
            const PicVideoCell* l = c->layerCells().at(i);
            s << QString("%1 %2 %3").arg(l->on).arg(l->subtitle).arg(
                     QString::number(l->deviceRect().x()));
        }
        return s;
    };
    QTRY_COMPARE(Flags(3, [&](int i) { return c->layerCells().at(i)->on; }), QString("111"));
    const QStringList before = layers();
    MData& d = *h->GetCurrentMData();
    const int workMode = d.M_AllCfg.workMode;
    d.M_AllCfg.workMode = 3;
    for (int i = 0; i < 4; ++i)
        page->On_SigUIRefreshLayerData(i);
    const QStringList after = layers();
    d.M_AllCfg.workMode = workMode;
    page->UiRefreshAll();
    QCOMPARE(after, before);
}

// Right after a switch to DVI the panel still edits HDMI window 4 (the
// device's answer moves it to window 0). Turning that window on or off
// reaches the device, but the canvas has no cell for it: none is made.
void TestOpSetPage::onOffOfAWindowWithoutACell()
{
    PaintCellCtrl* c = page->canvas();
    page->setMode(0);
    MData& d = *h->GetCurrentMData();
    OutputResoCfg& reso = d.M_OutputData.M_OutputResoCfg;
    const MData saved = d;
    reso.outputMode = HDMI_MODE;
    page->outputPanel()->On_SigUIRefreshOutputReso();
    QCOMPARE(page->outputPanel()->currentOutput(), 4);
    reso.outputMode = DVI_MODE;
    auto* onOff = page->outputPanel()->findChild<QPushButton*>(QStringLiteral("pushButton_10"));
    QVERIFY(onOff);
    onOff->click();
    onOff->click();
    const int cells = c->outputCells().size();
    d = saved;
    page->UiRefreshAll();
    QCOMPARE(cells, 4);
}

// What the input page reports reaches the input list and the layer panel;
// a rename in the input list goes to the input page.
void TestOpSetPage::relaysOfTheInputPage()
{
    page->On_SigRenameInputSrc(2, QStringLiteral("Stage left"));
    QCOMPARE(page->inputList()->cell(2)->findChild<QLabel*>("IPSRCRENAMELABEL")->text(),
             QStringLiteral("Stage left"));

    QSignalSpy toInputPage(page.get(), SIGNAL(SigRenameToInputSrc(int, QString)));
    emit page->inputList()->SigRenameInputSrc(3, QStringLiteral("Camera"));
    QCOMPARE(toInputPage.count(), 1);
    QCOMPARE(toInputPage.at(0).at(0).toInt(), 3);
    QCOMPARE(toInputPage.at(0).at(1).toString(), QStringLiteral("Camera"));

    // A tile switched off or on: its entry in the layer panel's source box
    // follows.
    auto* combo = page->layerPanel()->findChild<QComboBox*>("comboBox");
    QVERIFY(combo);
    auto* model = qobject_cast<QStandardItemModel*>(combo->model());
    QVERIFY(model);
    const int entry = combo->findData(6);
    QVERIFY(entry >= 0);
    for (bool on : {false, true}) {
        page->On_SigInputTileEnable(6, on);
        QCOMPARE(bool(model->item(entry)->flags() & Qt::ItemIsEnabled), on);
    }
}

// What the page shows after reading back a device in each working mode and
// output mode. Window records are given as on/off for records 0..5; HDMI
// windows 4 and 5 lie at (100, 50) and (2020, 50).
void TestOpSetPage::redrawFromTheDevice_data()
{
    QTest::addColumn<int>("workMode");
    QTest::addColumn<int>("outputMode");
    QTest::addColumn<int>("hact");
    QTest::addColumn<int>("vact");
    QTest::addColumn<QString>("windows");
    QTest::addColumn<QString>("outputCellsOn");
    QTest::addColumn<QString>("outputCellsShown");
    QTest::addColumn<QString>("outputButtons");
    QTest::addColumn<QString>("layerCellsOn");
    QTest::addColumn<int>("maxLayers");
    QTest::addColumn<QString>("layerButtons");
    QTest::addColumn<bool>("closeButtons");

    QTest::newRow("mosaic DVI, windows 2 and 4 off")
        << 0 << 0 << 1920 << 1080 << "101011" << "1010" << "1010" << "1111" << "1110" << 4 << "1111"
        << true;
    QTest::newRow("mosaic HDMI: windows 4 and 5")
        << 0 << 1 << 1920 << 1080 << "000011" << "1100" << "1100" << "1100" << "1110" << 4 << "1111"
        << true;
    QTest::newRow("switcher DVI") << 2 << 0 << 1920 << 1080 << "111111" << "1000" << "0000" << "1111"
                                  << "1100" << 3 << "1111" << true;
    QTest::newRow("switcher HDMI 1920 x 1080") << 2 << 1 << 1920 << 1080 << "111111" << "1000"
                                               << "0000" << "1000" << "1100" << 3 << "1110" << true;
    QTest::newRow("switcher HDMI 3840 x 2160") << 2 << 1 << 3840 << 2160 << "111111" << "1000"
                                               << "0000" << "1000" << "1100" << 1 << "1000" << true;
    QTest::newRow("backup DVI: the main layer's stand-in hidden")
        << 4 << 0 << 1920 << 1080 << "111100" << "1111" << "1111" << "1111" << "1000" << 1 << "1100"
        << false;
    QTest::newRow("backup HDMI") << 4 << 1 << 1920 << 1080 << "000010" << "1000" << "1000" << "1100"
                                 << "1000" << 1 << "1100" << false;
}

void TestOpSetPage::redrawFromTheDevice()
{
    QFETCH(int, workMode);
    QFETCH(int, outputMode);
    QFETCH(int, hact);
    QFETCH(int, vact);
    QFETCH(QString, windows);

    QJsonObject state = ReadState(QStringLiteral("z7050-1.json"));
    QVERIFY(!state.isEmpty());
    Set(state, "M_AllCfg.workMode", workMode);
    Set(state, "M_OutputData.M_OutputResoCfg.outputMode", outputMode);
    Set(state, "M_OutputData.M_OutputResoCfg.hact", hact);
    Set(state, "M_OutputData.M_OutputResoCfg.vact", vact);
    for (int i = 0; i < 6; ++i)
        Set(state, QString("M_OutputData.M_OPDisplayCfg[%1].onOff").arg(i),
            windows[i] == QLatin1Char('1') ? 1 : 0);
    for (int i : {4, 5}) {
        const QString w = QString("M_OutputData.M_OPDisplayCfg[%1].").arg(i);
        Set(state, w + "mosaicHs", i == 4 ? 100 : 2020);
        Set(state, w + "mosaicVs", 50);
    }
    // Group 1 of the switch set: layers 1 and 2 on, 3 off.
    for (int i = 0; i < 3; ++i)
        Set(state, QString("M_SwitchLayerCfg.layer[%1].onOff").arg(3 + i), i < 2 ? 1 : 0);
    page->setMode(1);
    QVERIFY(startWith(state));

    PaintCellCtrl* c = page->canvas();
    auto on = [](const QList<PicVideoCell*>& cells) {
        return Flags(4, [&](int i) { return cells.at(i)->on; });
    };
    auto buttons = [&] { return Flags(4, [&](int i) { return page->cellButton(i)->isEnabled(); }); };

    QFETCH(QString, outputCellsOn);
    QFETCH(QString, outputCellsShown);
    QFETCH(QString, outputButtons);
    QFETCH(QString, layerCellsOn);
    QFETCH(int, maxLayers);
    QFETCH(QString, layerButtons);
    QFETCH(bool, closeButtons);

    page->setMode(0);
    QTRY_COMPARE(on(c->outputCells()), outputCellsOn);
    QCOMPARE(Flags(4, [&](int i) { return c->outputCells().at(i)->isVisible(); }),
             outputCellsShown);
    QCOMPARE(buttons(), outputButtons);
    QCOMPARE(Flags(4, [&](int i) { return c->layerCells().at(i)->isVisible(); }), QString("0000"));
    // The output panel reports the output mode on every refresh: in DVI mode
    // the cells still follow the window records, not all of them on.
    if (outputMode == DVI_MODE) {
        page->On_SigOuputMode(DVI_MODE);
        QCOMPARE(on(c->outputCells()), outputCellsOn);
    }
    if (workMode == SWITCHER_MODE) {
        // One raster: output cell 0 covers it, drawn as a frame.
        QCOMPARE(c->outputCells().at(0)->deviceRect(), R(0, 0, hact - 1, vact - 1));
        QVERIFY(c->inLayerView());
    } else if (outputMode == HDMI_MODE) {
        QCOMPARE(c->outputCells().at(0)->deviceRect(), R(100, 50, 2019, 1129));
        if (windows[5] == QLatin1Char('1'))
            QCOMPARE(c->outputCells().at(1)->deviceRect(), R(2020, 50, 3939, 1129));
    }

    page->setMode(1);
    QCOMPARE(on(c->layerCells()), layerCellsOn);
    QCOMPARE(Flags(4, [&](int i) { return c->layerCells().at(i)->isVisible(); }), layerCellsOn);
    QCOMPARE(c->maxLayers(), maxLayers);
    QCOMPARE(buttons(), layerButtons);
    QCOMPARE(Flags(4, [&](int i) { return c->outputCells().at(i)->isVisible(); }), QString("0000"));
    for (int i = 0; i < 4; ++i)
        QCOMPARE(c->layerCells().at(i)->closeButton()->isVisibleTo(c->layerCells().at(i)),
                 closeButtons);
    if (workMode == BACKUP_MODE)
        QCOMPARE(c->layerCells().at(0)->subtitle, QString("MAIN Layer"));
}

LEDZ_GUI_TEST_MAIN(TestOpSetPage)
#include "test_opsetpage.moc"
