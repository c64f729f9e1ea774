#include "LayerPicSetTabDlg.h"

#include "DeviceLog.h"
#include "Look.h"
#include "MiddleHandler.h"
#include "NeoSliderComb.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const ColorTempRow kFixedRows[ColorTempTable::kRows] = {
    {0, 128, 107, 81},  // 4000K
    {1, 128, 114, 103},  // 5000K
    {2, 128, 128, 128},  // 6500K
    {3, 119, 120, 128},  // 7500K
    {4, 114, 116, 128},  // 8200K
    {5, 107, 112, 128},  // 9300K
    {6, 104, 109, 128},  // 10000K
    {7, 99, 106, 128},  // 11500K
    {8, 128, 128, 128},  // Custom, until the operator or the device sets it
};

const char* const kFixedTexts[ColorTempTable::kCustom] = {"4000K", "5000K", "6500K",  "7500K",
                                                          "8200K", "9300K", "10000K", "11500K"};

const char* const kGroupStyle =
    "QGroupBox { border: 2px solid " LOOK_ACCENT
    "; border-radius: 5px; margin-top: 14px; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top center;"
    " padding: 0 4px; color: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
    " stop:0 #FFFFFE, stop:1 " LOOK_ACCENT
    "); }"
    "QGroupBox QLabel { color: white; font-weight: bold; font-size: 14px; }";

const char* const kWhiteLabel = "color: white; font-weight: bold; font-size: 14px;";

const char* const kButtonStyle =
    "QPushButton { border-image: url(:/res/Image/HPageOff.png); color: rgb(235, 235, 235);"
    " border-radius: 5px; }"
    "QPushButton:checked, QPushButton:hover { border-image: url(:/res/Image/HPageOn.png);"
    " color: " LOOK_ACCENT
    "; }"
    "QPushButton:disabled { color: rgb(128, 128, 128); }"
    "QPushButton:pressed { padding-left: 2px; padding-top: 2px; }";

// The box's own colours are its palette's, not a style sheet rule's: under a
// rule with colours the style sheet gives each paint a palette of its own,
// and the base style caches the box's picture per palette, so every visit to
// the page kept another picture (about 13 kB) in the pixmap cache.
const char* const kListStyle =
    "QComboBox QAbstractItemView { color: rgb(16, 16, 16); background: " LOOK_ACCENT "; }";
const QColor kListBackground(64, 64, 64);

}  // namespace

QFont PictureLook::Font()
{
    return Look::Font(12);
}

QString PictureLook::ButtonStyle()
{
    return QString::fromLatin1(kButtonStyle);
}

QGroupBox* PictureLook::SetUpPanel(QWidget* panel, const QString& name)
{
    if (panel->objectName().isEmpty())
        panel->setObjectName(name);
    panel->resize(400, 300);
    panel->setWindowFlags(panel->windowFlags() | Qt::FramelessWindowHint);
    panel->setAttribute(Qt::WA_TranslucentBackground);
    auto* box = new QGroupBox(panel);
    box->setObjectName(QStringLiteral("groupBox"));
    box->setFont(Font());
    box->setStyleSheet(QString::fromLatin1(kGroupStyle));
    return box;
}

void PictureLook::WhiteLabel(NeoSliderComb* slider)
{
    // The slider colours its own label; its label's own style wins over the box's.
    if (auto* label = slider->findChild<QLabel*>(QStringLiteral("label")))
        label->setStyleSheet(QString::fromLatin1(kWhiteLabel));
}

int PictureLayerCount(int workMode)
{
    switch (workMode) {
    case MOSAIC_MODE:
        return MDataLimits::kMosaicLayers;
    case SWITCHER_MODE:
        return MDataLimits::kSwitchGroupLayers;
    case BACKUP_MODE:
        return MDataLimits::kBackupLayers;
    default:
        return 0;
    }
}

LayerPictureCfg* PictureEntryOf(MData& data, int layer)
{
    const int mode = data.M_AllCfg.workMode;
    if (layer < 0 || layer >= PictureLayerCount(mode))
        return nullptr;
    switch (mode) {
    case MOSAIC_MODE:
        return &data.M_MosaicLayerCfg.picture[layer];
    case SWITCHER_MODE:
        // The pages edit group 1 of the switch set.
        return &data.M_SwitchLayerCfg.picture[MDataLimits::kSwitchGroupLayers + layer];
    case BACKUP_MODE:
        return &data.M_BackupLayerCfg.picture[layer];
    default:
        return nullptr;
    }
}

std::optional<int> IndexFromName(const QString& objectName)
{
    bool ok = false;
    const int n = objectName.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return n;
}

ColorTempTable::ColorTempTable()
{
    for (int i = 0; i < kRows; ++i)
        rows_[i] = kFixedRows[i];
}

const ColorTempRow* ColorTempTable::row(int i) const
{
    if (i < 0 || i >= kRows)
        return nullptr;
    return &rows_[i];
}

void ColorTempTable::setCustom(uint8_t red, uint8_t green, uint8_t blue)
{
    rows_[kCustom].red = red;
    rows_[kCustom].green = green;
    rows_[kCustom].blue = blue;
}

bool ColorTempTable::setCustomChannel(int slider, uint8_t value)
{
    if (slider < SLIDER_RED || slider > SLIDER_BLUE)
        return false;
    ColorTempRow& custom = rows_[kCustom];
    uint8_t* const channel[] = {&custom.red, &custom.green, &custom.blue};
    *channel[slider - SLIDER_RED] = value;
    return true;
}

QString ColorTempTable::fixedText(int i)
{
    if (i < 0 || i >= kCustom)
        return QString();
    return QString::fromLatin1(kFixedTexts[i]);
}

LayerPicSetTabDlg::LayerPicSetTabDlg(QWidget* parent) : QWidget(parent)
{
    groupBox_ = PictureLook::SetUpPanel(this, QStringLiteral("LayerPicSetTabDlg"));
    const QFont font = PictureLook::Font();
    comboBox_ = new QComboBox(groupBox_);
    comboBox_->setObjectName(QStringLiteral("comboBox"));
    comboBox_->setFixedWidth(100);
    comboBox_->setFont(font);
    comboBox_->setView(new QListView(comboBox_));
    QPalette listColours = comboBox_->palette();
    listColours.setColor(QPalette::ButtonText, Look::Accent());
    listColours.setColor(QPalette::Text, Look::Accent());
    listColours.setColor(QPalette::Button, kListBackground);
    listColours.setColor(QPalette::Base, kListBackground);
    comboBox_->setPalette(listColours);
    comboBox_->setStyleSheet(QString::fromLatin1(kListStyle));
    label_ = new QLabel(groupBox_);
    label_->setObjectName(QStringLiteral("label"));
    label_->setFont(font);
    pushButton_ = new QPushButton(groupBox_);
    pushButton_->setObjectName(QStringLiteral("pushButton"));
    pushButton_->setMaximumHeight(32);
    resetBtn_ = new QPushButton(this);
    resetBtn_->setObjectName(QStringLiteral("Reset_Btn"));
    resetBtn_->setMinimumSize(160, 32);
    for (QPushButton* b : {pushButton_, resetBtn_}) {
        b->setFont(font);
        b->setStyleSheet(PictureLook::ButtonStyle());
    }
    connect(pushButton_, &QPushButton::clicked, this, &LayerPicSetTabDlg::on_pushButton_clicked);
    connect(resetBtn_, &QPushButton::clicked, this, &LayerPicSetTabDlg::on_Reset_Btn_clicked);

    for (int k = 0; k < kPicSliders; ++k) {
        const bool colour = k >= SLIDER_RED;
        auto* s = new NeoSliderComb(colour ? static_cast<QWidget*>(groupBox_) : this);
        s->setObjectName(QString::number(k));
        s->setAllFont(font);
        s->setRange(0, colour ? 255 : 100);
        if (colour) {
            PictureLook::WhiteLabel(s);
            s->setLabelFixedSize(80, 28);
            s->setSliderFixedSize(90, 28);
        } else {
            s->setLabelFixedSize(100, 28);
        }
        s->setValue(colour ? 128 : 10, false);
        connect(s, SIGNAL(SliderValueChange(float)), this, SLOT(SetSliderValueChange(float)));
        sliders_[k] = s;
    }

    auto* grid = new QGridLayout(groupBox_);
    grid->addWidget(label_, 1, 0);
    grid->addWidget(comboBox_, 1, 1);
    grid->addWidget(sliders_[SLIDER_RED], 1, 2);
    grid->addWidget(sliders_[SLIDER_GREEN], 2, 2);
    grid->addWidget(sliders_[SLIDER_BLUE], 3, 2);
    grid->addWidget(pushButton_, 3, 0, 1, 2);

    auto* column = new QVBoxLayout(this);
    for (int k = SLIDER_BRIGHTNESS; k <= SLIDER_SATURATION; ++k)
        column->addWidget(sliders_[k], 0, Qt::AlignHCenter);
    column->addWidget(groupBox_, 0, Qt::AlignHCenter);
    column->addWidget(resetBtn_, 0, Qt::AlignHCenter);

    for (int i = 0; i < ColorTempTable::kRows; ++i)
        comboBox_->addItem(ColorTempTable::fixedText(i));
    connect(comboBox_, SIGNAL(currentIndexChanged(int)), this, SLOT(SetComboxIndexChange(int)));
    // The tab starts at 6500K with the colour sliders locked, as the device
    // does after a factory reset; no one listens yet, so nothing is sent.
    suppressListChange_ = true;
    comboBox_->setCurrentIndex(ColorTempTable::kDefault);
    suppressListChange_ = false;
    applyRow(ColorTempTable::kDefault);
    setColorSlidersEnabled(false);
    retranslate();
}

NeoSliderComb* LayerPicSetTabDlg::slider(int k) const
{
    return k >= 0 && k < kPicSliders ? sliders_[k] : nullptr;
}

void LayerPicSetTabDlg::SetSliderValueChange(float Value)
{
    auto* s = qobject_cast<NeoSliderComb*>(sender());
    if (!s)
        return;
    const std::optional<int> k = IndexFromName(s->objectName());
    if (!k || *k < 0 || *k >= kPicSliders)
        return;
    // The custom row follows the colour sliders, which work only while
    // Custom is chosen: choosing Custom again shows what was set last.
    table_.setCustomChannel(*k, static_cast<uint8_t>(static_cast<int>(Value)));
    DeviceLog("SliderValueChange:%d Value:%f", *k, static_cast<double>(Value));
    emit FindSliderValueChange(Value, static_cast<PicSlider>(*k));
}

void LayerPicSetTabDlg::SetComboxIndexChange(int Id)
{
    if (suppressListChange_)
        return;
    setColorSlidersEnabled(Id == ColorTempTable::kCustom);
    applyRow(Id);
    emit ColorTempComboxIndexChange(Id);
}

void LayerPicSetTabDlg::On_SigUIRefreshPictureData(int idx)
{
    const std::optional<int> n = IndexFromName(objectName());
    if (!n || idx != *n)
        return;
    const LayerPictureCfg* entry =
        PictureEntryOf(*MiddleHandler::GetInstance()->GetCurrentMData(), *n);
    if (!entry)
        return;
    sliders_[SLIDER_BRIGHTNESS]->setValue(entry->brightness, false);
    sliders_[SLIDER_CONTRAST]->setValue(entry->contrast, false);
    sliders_[SLIDER_SATURATION]->setValue(entry->saturation, false);
    const int m = entry->colorTempMode;
    setColorSlidersEnabled(m == ColorTempTable::kCustom);
    if (m == ColorTempTable::kCustom)
        table_.setCustom(entry->colorTempR, entry->colorTempG, entry->colorTempB);
    // A mode outside the list (from the device or a file) shows no item and
    // indexes nothing.
    const int item = table_.row(m) ? m : -1;
    if (comboBox_->currentIndex() != item) {
        suppressListChange_ = true;
        comboBox_->setCurrentIndex(item);
        suppressListChange_ = false;
    }
    applyRow(m);
}

void LayerPicSetTabDlg::on_Reset_Btn_clicked()
{
    applyRow(ColorTempTable::kDefault);
    emit ClickResetBtn();
}

void LayerPicSetTabDlg::on_pushButton_clicked()
{
    applyRow(ColorTempTable::kDefault);
    emit ClickColorTempResetBtn();
}

void LayerPicSetTabDlg::applyRow(int i)
{
    const ColorTempRow* row = table_.row(i);
    if (!row)
        return;
    sliders_[SLIDER_RED]->setValue(row->red, false);
    sliders_[SLIDER_GREEN]->setValue(row->green, false);
    sliders_[SLIDER_BLUE]->setValue(row->blue, false);
}

void LayerPicSetTabDlg::setColorSlidersEnabled(bool enabled)
{
    for (int k = SLIDER_RED; k <= SLIDER_BLUE; ++k)
        sliders_[k]->setSliderEnabled(enabled);
}

void LayerPicSetTabDlg::retranslate()
{
    setWindowTitle(tr("Form"));
    groupBox_->setTitle(tr("Color Temperature Setting"));
    label_->setText(tr("Color Temperature"));
    pushButton_->setText(tr("Reset"));
    resetBtn_->setText(tr("Reset"));
    const char* const labels[kPicSliders] = {QT_TR_NOOP("Brightness"), QT_TR_NOOP("Contranst"),
                                             QT_TR_NOOP("Saturation"), QT_TR_NOOP("Red"),
                                             QT_TR_NOOP("Green"),      QT_TR_NOOP("Blue")};
    for (int k = 0; k < kPicSliders; ++k)
        sliders_[k]->setLabelText(tr(labels[k]));
    comboBox_->setItemText(ColorTempTable::kCustom, tr("Custom"));
    for (int k = SLIDER_RED; k <= SLIDER_BLUE; ++k)
        sliders_[k]->setRange(0, 255);
}

void LayerPicSetTabDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
