#include "KSV_PicSetDlg.h"

#include "ColorManagementDlg.h"
#include "CustomMsgBox.h"
#include "DeviceLog.h"
#include "Look.h"
#include "MiddleHandler.h"
#include "NeoSliderComb.h"
#include "PageHelper.h"
#include "SendCommand.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kBrightLevelMax = 17;  // shown as "OFF"
constexpr uint8_t kResetPicture = 50;

// EdgeBtn images are not among the program's resources; the page buttons'
// images stand in for them.
const char* const kTabStyle =
    "QTabWidget::pane { border: 2px solid " LOOK_ACCENT "; border-radius: 5px; }"
    "QTabWidget::tab-bar { alignment: center; }"
    "QTabBar::tab { background-image: url(:/res/Image/PageOff.png); color: #fafafa;"
    " padding: 8px 16px; }"
    "QTabBar::tab:selected, QTabBar::tab:hover { background-image: url(:/res/Image/PageOn.png);"
    " color: " LOOK_ACCENT "; }"
    "QTabBar::tab:disabled { background-image: url(:/res/Image/PageOff.png);"
    " color: rgb(128,128,128); }";

QString LayerTitle(int t)
{
    return QStringLiteral("layer-%1").arg(t + 1);
}

}  // namespace

std::optional<std::array<uint8_t, 3>> PictureAddressOf(const MData& data, int tab)
{
    const int mode = data.M_AllCfg.workMode;
    if (tab < 0 || tab >= PictureLayerCount(mode))
        return std::nullopt;
    const auto t = static_cast<uint8_t>(tab);
    switch (mode) {
    case MOSAIC_MODE:
        return std::array<uint8_t, 3>{MOSAIC_MODE, t, data.M_MosaicLayerCfg.layer[tab].bMain};
    case SWITCHER_MODE:
        return std::array<uint8_t, 3>{SWITCHER_MODE, t, 1};
    case BACKUP_MODE:
        return std::array<uint8_t, 3>{BACKUP_MODE, t, data.M_BackupLayerCfg.layer[tab].bMain};
    default:
        return std::nullopt;
    }
}

bool SetPictureValue(LayerPictureCfg& entry, int slider, float value)
{
    if (slider < 0 || slider >= kPicSliders)
        return false;
    uint8_t* const bytes[kPicSliders] = {&entry.brightness, &entry.contrast,   &entry.saturation,
                                         &entry.colorTempR, &entry.colorTempG, &entry.colorTempB};
    *bytes[slider] = static_cast<uint8_t>(static_cast<int>(value));
    return true;
}

std::optional<QString> PictureTabTitle(int workMode, int tab, int bMain)
{
    if (tab < 0 || tab >= kPictureTabs)
        return std::nullopt;
    switch (workMode) {
    case MOSAIC_MODE:
    case SWITCHER_MODE:
        return LayerTitle(tab);
    case BACKUP_MODE:
        if (tab >= MDataLimits::kBackupLayers)
            return LayerTitle(tab);
        if (bMain == 0)
            return QStringLiteral("Main Layer");
        if (bMain == 1)
            return QStringLiteral("Backup Layer");
        return QString();
    default:
        return std::nullopt;
    }
}

KSV_PicSetDlg::KSV_PicSetDlg(QWidget* parent, Page::BuildSteps* later) : QWidget(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("KSV_PicSetDlg"));
    resize(840, 700);
    setMinimumSize(800, 700);
    setFont(QFont(QStringLiteral("Arial Black"), 10, 75));
    Page::Setup(this, [this] { retranslate(); });
    setAttribute(Qt::WA_TranslucentBackground);
    const QFont font = PictureLook::Font();

    tabWidget_ = new QTabWidget(this);
    tabWidget_->setObjectName(QStringLiteral("tabWidget"));
    tabWidget_->setFont(font);
    tabWidget_->setStyleSheet(QString::fromLatin1(kTabStyle));
    pushButton_ = new QPushButton(this);
    pushButton_->setObjectName(QStringLiteral("pushButton"));
    pushButton_->setMinimumSize(160, 32);
    pushButton_->setFont(font);
    pushButton_->setStyleSheet(PictureLook::ButtonStyle());
    // Connected by hand, not by name: every tab has a "pushButton" of its own.
    connect(pushButton_, &QPushButton::clicked, this, &KSV_PicSetDlg::on_pushButton_clicked);

    colorPanel_ = new ColorManagementDlg(this);
    colorPanel_->setFixedSize(550, 530);

    brightLevel_ = new NeoSliderComb(this);
    brightLevel_->setObjectName(QStringLiteral("0"));
    brightLevel_->setAllFont(font);
    brightLevel_->setLabelFixedSize(100, 28);
    brightLevel_->setRange(0, kBrightLevelMax);
    brightLevel_->setSpecialText(QStringLiteral("OFF"), true);
    brightLevel_->setValue(kBrightLevelMax, false);
    connect(brightLevel_, SIGNAL(SliderValueChange(float)), this,
            SLOT(SetSliderValueChange(float)));

    // The tabs, the page's heaviest parts, are a step each.
    Page::BuildSteps now;
    Page::BuildSteps& steps = later ? *later : now;
    for (int t = 0; t < kPictureTabs; ++t)
        steps.add([this, t] { addTab(t); });
    steps.add([this] { finishBuild(); });
    now.runAll();
}

void KSV_PicSetDlg::addTab(int t)
{
    // The tabs are built in the tab widget's own stack: moving a built tab
    // into it restyles every widget of the tab once more. (Should the toolkit
    // name its stack otherwise, the tabs are built without parent and moved.)
    auto* tabStack = tabWidget_->findChild<QStackedWidget*>(
        QStringLiteral("qt_tabwidget_stackedwidget"), Qt::FindDirectChildrenOnly);
    auto* tab = new LayerPicSetTabDlg(tabStack);
    tab->setObjectName(QString::number(t));
    tabWidget_->insertTab(t, tab, LayerTitle(t));
    // Only now: what a tab raised while it built itself reached no one.
    connect(tab, SIGNAL(FindSliderValueChange(float, PicSlider)), this,
            SLOT(TabSliderValueChange(float, PicSlider)));
    connect(tab, SIGNAL(ColorTempComboxIndexChange(int)), this,
            SLOT(SetComBoxSliderIndexChnage(int)));
    connect(tab, SIGNAL(ClickColorTempResetBtn()), this, SLOT(ColorTemResetBtn()));
    connect(tab, SIGNAL(ClickResetBtn()), this, SLOT(LayerPicTabResetBtn()));
    tabs_[t] = tab;
}

void KSV_PicSetDlg::finishBuild()
{
    tabWidget_->setCurrentIndex(0);

    auto* column = new QVBoxLayout;
    column->addWidget(brightLevel_, 0, Qt::AlignHCenter);
    column->addWidget(tabWidget_, 0, Qt::AlignHCenter);
    column->addWidget(pushButton_, 0, Qt::AlignHCenter);
    auto* row = new QHBoxLayout(this);
    row->addLayout(column);
    row->addWidget(colorPanel_);
    retranslate();

    // The tabs' pictures, their titles and enabling, the level and the colour
    // panel all follow these reports; a read-back's hundreds of replies cost
    // one redraw.
    redraw_ = new RedrawCoalescer(this, [this] { UiRefreshAll(); });
    MiddleHandler* handler = MiddleHandler::GetInstance();
    redraw_->follow(handler, &MiddleHandler::SigUIRefreshAllCfg);
    redraw_->follow(handler, &MiddleHandler::SigUIRefreshLayerData);
    redraw_->follow(handler, &MiddleHandler::SigUIRefreshPictureData);
}

LayerPicSetTabDlg* KSV_PicSetDlg::tab(int t) const
{
    return t >= 0 && t < kPictureTabs ? tabs_[t] : nullptr;
}

void KSV_PicSetDlg::UiRefreshAll()
{
    On_SigUIRefreshAllCfg();
    MData* record = MiddleHandler::GetInstance()->GetCurrentMData();
    const int layers = PictureLayerCount(record->M_AllCfg.workMode);
    for (int t = 0; t < kPictureTabs; ++t) {
        On_SigUIRefreshLayerData(t);
        if (t < layers)
            tabs_[t]->On_SigUIRefreshPictureData(t);
    }
    // Also after a project load: a panel left showing the old scene and
    // gamma would send those stale values with the operator's next click.
    colorPanel_->On_SigUIRefreshAllCfg();
}

void KSV_PicSetDlg::SetSliderValueChange(float Value)
{
    auto* s = qobject_cast<NeoSliderComb*>(sender());
    if (!s)
        return;
    const int n = IndexFromName(s->objectName()).value_or(-1);
    if (n == 0) {
        MData* record = MiddleHandler::GetInstance()->GetCurrentMData();
        record->M_AllCfg.brightLevel = static_cast<int32_t>(Value);
        SendCommand(&record->M_AllCfg, SEND_ALLCFGCMD, nullptr, QString());
    }
    DeviceLog("SliderValueChange:%d Value:%f", n, static_cast<double>(Value));
}

void KSV_PicSetDlg::TabSliderValueChange(float Value, PicSlider Index)
{
    const std::optional<int> t = senderTab();
    if (!t)
        return;
    // Sent even for an index that changed nothing, as the device expects.
    editPicture(*t, [&](LayerPictureCfg& e) { SetPictureValue(e, Index, Value); });
    DeviceLog("tableIndex:%d SliderValueChange:%d Value:%f", *t, static_cast<int>(Index),
              static_cast<double>(Value));
}

void KSV_PicSetDlg::SetComBoxSliderIndexChnage(int Id)
{
    if (Id < 0)
        return;  // the list was emptied
    const std::optional<int> t = senderTab();
    if (!t)
        return;
    // The frame carries the record's own red, green and blue, whatever the
    // tab's sliders show for a fixed temperature.
    editPicture(*t, [Id](LayerPictureCfg& e) { e.colorTempMode = Id; });
    DeviceLog("tableIndex:%d ComBoxSliderIndex:%d", *t, Id);
}

void KSV_PicSetDlg::ColorTemResetBtn()
{
    const std::optional<int> t = senderTab();
    if (!t)
        return;
    editPicture(*t, [](LayerPictureCfg& e) { e.colorTempMode = ColorTempTable::kDefault; });
    tabs_[*t]->On_SigUIRefreshPictureData(*t);
    DeviceLog("ColorTemResetBtn:%d", *t);
}

void KSV_PicSetDlg::LayerPicTabResetBtn()
{
    const std::optional<int> t = senderTab();
    if (!t)
        return;
    // Red, green and blue stay: they are the layer's custom colours.
    editPicture(*t, [](LayerPictureCfg& e) {
        e.brightness = kResetPicture;
        e.contrast = kResetPicture;
        e.saturation = kResetPicture;
        e.colorTempMode = ColorTempTable::kDefault;
    });
    tabs_[*t]->On_SigUIRefreshPictureData(*t);
    DeviceLog("LayerPicTabResetBtn:%d", *t);
}

void KSV_PicSetDlg::On_SigUIRefreshAllCfg()
{
    const AllCfg& cfg = MiddleHandler::GetInstance()->GetCurrentMData()->M_AllCfg;
    brightLevel_->setValue(cfg.brightLevel, false);
    switch (cfg.workMode) {
    case MOSAIC_MODE:
    case SWITCHER_MODE:
    case BACKUP_MODE: {
        // A disabled tab disables its page too: only existing layers can be reached.
        const int layers = PictureLayerCount(cfg.workMode);
        for (int t = 0; t < kPictureTabs; ++t)
            tabWidget_->setTabEnabled(t, t < layers);
        break;
    }
    default:
        break;
    }
}

void KSV_PicSetDlg::On_SigUIRefreshLayerData(int idx)
{
    const MData* record = MiddleHandler::GetInstance()->GetCurrentMData();
    const int mode = record->M_AllCfg.workMode;
    // Mosaic and switcher titles do not depend on the reported layer.
    const bool allTabs = mode == MOSAIC_MODE || mode == SWITCHER_MODE;
    const int first = allTabs ? 0 : idx;
    const int last = allTabs ? kPictureTabs - 1 : idx;
    for (int t = first; t <= last; ++t) {
        const int bMain = mode == BACKUP_MODE && t >= 0 && t < MDataLimits::kBackupLayers
                              ? record->M_BackupLayerCfg.layer[t].bMain
                              : 0;
        const std::optional<QString> title = PictureTabTitle(mode, t, bMain);
        if (title && tabWidget_->tabText(t) != *title)
            tabWidget_->setTabText(t, *title);
    }
}

void KSV_PicSetDlg::on_pushButton_clicked()
{
    CustomMsgBox box(this, tr("Tips"), tr("Reset All Layers Parameters?"),
                     QDialogButtonBox::Ok | QDialogButtonBox::Cancel, QDialogButtonBox::Ok);
    if (box.exec() != QDialogButtonBox::Ok)
        return;
    const int layers =
        PictureLayerCount(MiddleHandler::GetInstance()->GetCurrentMData()->M_AllCfg.workMode);
    for (int t = 0; t < layers; ++t)
        tabs_[t]->on_Reset_Btn_clicked();
    // Sends the level only when the slider moves.
    brightLevel_->setValue(kBrightLevelMax, true);
}

std::optional<int> KSV_PicSetDlg::senderTab() const
{
    auto* tab = qobject_cast<LayerPicSetTabDlg*>(sender());
    if (!tab)
        return std::nullopt;
    const std::optional<int> t = IndexFromName(tab->objectName());
    if (!t || *t < 0 || *t >= kPictureTabs || tabs_[*t] != tab)
        return std::nullopt;
    return t;
}

void KSV_PicSetDlg::editPicture(int t, const std::function<void(LayerPictureCfg&)>& write)
{
    // Read afresh: another page may have switched the working mode since the
    // tabs were last enabled.
    MData* record = MiddleHandler::GetInstance()->GetCurrentMData();
    LayerPictureCfg* entry = PictureEntryOf(*record, t);
    const auto addr = PictureAddressOf(*record, t);
    if (!entry || !addr)
        return;
    write(*entry);
    SendCommand(entry, SEND_LAYERPICTURECMD, addr->data(), QString());
}

void KSV_PicSetDlg::retranslate()
{
    setWindowTitle(tr("Dialog"));
    pushButton_->setText(tr("Reset Layer Param"));
    brightLevel_->setLabelText(tr("BrightLevel"));
}
