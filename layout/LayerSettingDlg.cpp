#include "LayerSettingDlg.h"

#include "ChromaKeyDlg.h"
#include "CommandEncoder.h"
#include "CustomMsgBox.h"
#include "InputNames.h"
#include "KSV_LayerGroupDlg.h"
#include "KeyLamps.h"
#include "LayerPlacementRules.h"
#include "LayerZoomDlg.h"
#include "Look.h"
#include "MiddleHandler.h"
#include "NeoSliderComb.h"
#include "PageHelper.h"
#include "ProgressHelper.h"
#include "SendCommand.h"
#include "TakeControl.h"
#include "Unchanged.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QVBoxLayout>

using LayerPlacement::WorkingLayer;

namespace {

// The rotation buttons in the form's order and the value each one sets.
const char* const kRotationNames[8] = {"pushButton",   "pushButton_2", "pushButton_3",
                                       "pushButton_4", "pushButton_5", "pushButton_6",
                                       "pushButton_7", "pushButton_8"};
const RoationType kRotationValue[8] = {ROTATE_NONE, ROTATE_90,  ROTATE_180,  ROTATE_270,
                                       ROTATE_H,    ROTATE_H90, ROTATE_H180, ROTATE_H270};

const char* const kEditNames[4] = {"lineEdit", "lineEdit_2", "lineEdit_3", "lineEdit_4"};

// The alpha and duration sliders are told apart by these object names.
const QString kAlphaSlider = QStringLiteral("0");
const QString kDurationSlider = QStringLiteral("1");

// Keys of the input list: source index in the low byte (inputs 0..5, tiles
// 6 and 7), 1 in the high byte for the right half of a two-half input.
constexpr int kRightHalf = 256;
constexpr int kTileBase = MDataLimits::kInputs;
constexpr int kSources = MDataLimits::kInputs + MDataLimits::kTiles;
// The position and size edits take five digits: the canvas reaches beyond
// 65535 device units, and the record's fields are 32-bit.
constexpr int kMaxRectEdit = 99999;

MData& Record()
{
    return Page::CurrentRecord();
}

bool IsLayerMode(int mode)
{
    return mode == MOSAIC_MODE || mode == SWITCHER_MODE || mode == BACKUP_MODE;
}

int SourceKey(const LayerRecord& l)
{
    return l.tileEnable ? l.tileId + kTileBase : l.inputId + kRightHalf * l.halfId;
}

// The active port of input, -1 when the input or the port the device
// reported is out of range.
int ActivePort(const MData& d, int input)
{
    if (input < 0 || input >= MDataLimits::kInputs)
        return -1;
    const int port = d.M_InputData.port[input].actId;
    return port < MDataLimits::kPorts ? port : -1;
}

// Input delivers two halves on port.
bool TwoHalves(const MData& d, int input, int port)
{
    if (input < 0 || input >= MDataLimits::kInputs || port < 0 || port >= MDataLimits::kPorts)
        return false;
    const InputSignalInfo& s = d.M_InputData.signal[input];
    return s.width[1][port] != 0 && s.height[1][port] != 0;
}

// The label of input shown on port.
QString LabelOn(const MData& d, int input, int port)
{
    const InputPortCfg& p = d.M_InputData.port[input];
    return InputLabel(input, p.inputType[port], p.chnlId[port]);
}

// The two-halves flag and port type name that go with a source choice; for a
// tile or an input without a valid port they carry nothing.
void SourceTraits(const MData& d, int source, bool* bLR, QString* type)
{
    *bLR = false;
    type->clear();
    const int port = ActivePort(d, source);
    if (port < 0)
        return;
    *bLR = TwoHalves(d, source, port);
    *type = InputTypeName(d.M_InputData.port[source].inputType[port]);
}

}  // namespace

LayerSettingDlg::LayerSettingDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LayerSettingDlg"));
    resize(1081, 245);
    InitWidgets();

    connect(take_, &TakeControl::SigFreezeChanged, freezeBtn_, &QPushButton::setChecked);
    connect(take_, &TakeControl::SigDurationChanged, this,
            [this](int d) { duration_->setValue(float(d), false); });
    // Take data, take status and freeze reach the take controls directly.
    MiddleHandler* h = MiddleHandler::GetInstance();
    connect(h, SIGNAL(SigUIRefreshAllCfg()), this, SLOT(On_SigUIRefreshAllCfg()));
    connect(h, SIGNAL(SigUIRefreshLayerData(int)), this, SLOT(On_SigUIRefreshLayerData(int)));
    connect(h, SIGNAL(SigUIRefreshInputCfg()), this, SLOT(On_SigUIRefreshInputCfg()));
    connect(h, SIGNAL(SigUIRefreshInputSignal(int, int)), this,
            SLOT(On_SigUIRefreshInputSignal(int, int)));
}

LayerSettingDlg::~LayerSettingDlg() = default;

void LayerSettingDlg::InitWidgets()
{
    const QFont font = Look::Font(12);

    // The layer controls.
    layerGroup_ = new QGroupBox(this);
    layerGroup_->setObjectName(QStringLiteral("groupBox"));
    const char* const labelNames[8] = {"label_5", "label_3", "label_2",      "label_4",
                                       "label",   "label_6", "Freeze_Label", "AutoBack_label"};
    for (int i = 0; i < 8; ++i) {
        labels_[i] = new QLabel(this);
        labels_[i]->setObjectName(QLatin1String(labelNames[i]));
        labels_[i]->setFont(font);
    }
    for (int i = 0; i < 4; ++i)
        labels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* validator = new QIntValidator(0, kMaxRectEdit, this);
    for (int i = 0; i < 4; ++i) {
        edits_[i] = new QLineEdit(layerGroup_);
        edits_[i]->setObjectName(QLatin1String(kEditNames[i]));
        edits_[i]->setAlignment(Qt::AlignCenter);
        edits_[i]->setMaximumSize(50, 28);
        edits_[i]->setFont(font);
        edits_[i]->setValidator(validator);
    }
    layerOnOff_ = Page::MakeButton(layerGroup_, "LayerOnOffBtn", true);
    reset_ = Page::MakeButton(layerGroup_, "pushButton_9", false);
    logoOnOff_ = Page::MakeButton(layerGroup_, "LOGOOnOffBtn", true);
    for (QPushButton* b : {layerOnOff_, reset_, logoOnOff_})
        b->setFixedSize(70, 32);
    combo_ = new QComboBox(layerGroup_);
    combo_->setObjectName(QStringLiteral("comboBox"));
    combo_->setView(new QListView(combo_));
    combo_->setFont(font);

    auto* grid = new QGridLayout;
    grid->addWidget(labels_[5], 0, 0);
    grid->addWidget(combo_, 0, 1, 1, 3);
    grid->addWidget(layerOnOff_, 1, 0);
    grid->addWidget(labels_[4], 1, 1);
    grid->addWidget(logoOnOff_, 1, 2);
    grid->addWidget(reset_, 1, 3);
    grid->addWidget(labels_[2], 2, 0);
    grid->addWidget(edits_[0], 2, 1);
    grid->addWidget(labels_[3], 2, 2);
    grid->addWidget(edits_[2], 2, 3);
    grid->addWidget(labels_[1], 3, 0);
    grid->addWidget(edits_[1], 3, 1);
    grid->addWidget(labels_[0], 3, 2);
    grid->addWidget(edits_[3], 3, 3);

    propsGroup_ = new QGroupBox(layerGroup_);
    propsGroup_->setObjectName(QStringLiteral("groupBox_2"));
    propsGroup_->setMaximumWidth(280);
    colorKeyer_ = Page::MakeButton(propsGroup_, "ColorKeyerBtn", false);
    colorKeyer_->setMaximumHeight(32);
    alpha_ = new NeoSliderComb(propsGroup_);
    alpha_->setObjectName(kAlphaSlider);
    alpha_->setRange(0, 64);
    alpha_->setValue(10, false);
    alpha_->setLabelFixedSize(50, 28);
    alpha_->setSliderFixedSize(100, 28);
    alpha_->setEditFixedSize(38, 28);
    alpha_->setAllFont(font);
    auto* propsGrid = new QGridLayout(propsGroup_);
    propsGrid->addWidget(colorKeyer_, 0, 0);
    propsGrid->addWidget(alpha_, 2, 0);

    rotationGroup_ = new QGroupBox(layerGroup_);
    rotationGroup_->setObjectName(QStringLiteral("groupBox_3"));
    rotationGroup_->setMaximumWidth(240);
    auto* rotationGrid = new QGridLayout(rotationGroup_);
    for (int i = 0; i < 8; ++i) {
        rotation_[i] = Page::MakeButton(rotationGroup_, kRotationNames[i], true);
        rotation_[i]->setAutoExclusive(true);
        rotation_[i]->setMaximumSize(48, 32);
        rotation_[i]->setMinimumSize(40, 28);
        rotationGrid->addWidget(rotation_[i], i / 4, i % 4);
    }

    zoomBtn_ = Page::MakeButton(layerGroup_, "ZoomSetBtn", false);
    layerGroupBtn_ = Page::MakeButton(layerGroup_, "LayerGroupBtn", false);
    fadeIn_ = Page::MakeButton(layerGroup_, "FadeInBtn", true);
    fadeOut_ = Page::MakeButton(layerGroup_, "FadeOutBtn", true);
    fadeGroup_ = new QButtonGroup(this);
    fadeGroup_->setObjectName(QStringLiteral("buttonGroup_2"));
    fadeGroup_->addButton(fadeIn_);
    fadeGroup_->addButton(fadeOut_);
    auto* fades = new QHBoxLayout;
    fades->addWidget(fadeIn_);
    fades->addWidget(fadeOut_);
    auto* subPanels = new QVBoxLayout;
    subPanels->addWidget(zoomBtn_);
    subPanels->addWidget(layerGroupBtn_);
    subPanels->addLayout(fades);

    auto* layerRow = new QHBoxLayout(layerGroup_);
    layerRow->addLayout(grid, 4);
    layerRow->addWidget(propsGroup_, 3);
    layerRow->addWidget(rotationGroup_, 2);
    layerRow->addLayout(subPanels);

    // The take controls.
    duration_ = new NeoSliderComb(this);
    duration_->setObjectName(kDurationSlider);
    duration_->setRange(0, 3);
    duration_->setSpecialText(QStringLiteral("CUT"), false);
    duration_->setValue(0, false);
    duration_->setLabelFixedSize(80, 28);
    duration_->setSliderFixedSize(80, 28);
    duration_->setAllFont(font);
    takeBtn_ = Page::MakeButton(this, "TakeBtn", false);
    takeBtn_->setFixedSize(220, 32);
    freezeGroup_ = new QGroupBox(this);
    freezeGroup_->setObjectName(QStringLiteral("FreezeGBox"));
    freezeBtn_ = Page::MakeButton(freezeGroup_, "Freeze_Btn", true);
    autoBackGroup_ = new QGroupBox(this);
    autoBackGroup_->setObjectName(QStringLiteral("AutoBackGBox"));
    autoBackupBtn_ = Page::MakeButton(autoBackGroup_, "AutoBackupBtn", true);
    for (QPushButton* b : {freezeBtn_, autoBackupBtn_})
        b->setFixedSize(70, 22);
    labels_[6]->setParent(freezeGroup_);
    labels_[7]->setParent(autoBackGroup_);
    auto* freezeRow = new QHBoxLayout(freezeGroup_);
    freezeRow->addWidget(labels_[6]);
    freezeRow->addWidget(freezeBtn_);
    auto* autoBackRow = new QHBoxLayout(autoBackGroup_);
    autoBackRow->addWidget(labels_[7]);
    autoBackRow->addWidget(autoBackupBtn_);
    auto* takeColumn = new QVBoxLayout;
    takeColumn->setSpacing(2);
    takeColumn->addWidget(duration_);
    takeColumn->addWidget(takeBtn_);
    takeColumn->addWidget(freezeGroup_);
    takeColumn->addWidget(autoBackGroup_);

    for (QPushButton* b : findChildren<QPushButton*>())
        b->setFont(font);
    for (QGroupBox* g : {layerGroup_, propsGroup_, rotationGroup_})
        g->setFont(font);

    // The input list: inputs 1..6 and tiles 1 and 2, keyed by source.
    for (int k = 0; k < kSources; ++k)
        combo_->addItem(QString(), k);
    combo_->setCurrentIndex(0);

    retranslate();
    // The form's slots by name, before the sub-panels exist: their own
    // buttons and edits share some of the form's object names.
    QMetaObject::connectSlotsByName(this);
    connect(combo_, SIGNAL(currentIndexChanged(int)), this, SLOT(SetComboxIndexChange(int)));
    connect(alpha_, SIGNAL(SliderValueChange(float)), this, SLOT(SetSliderValueChange(float)));
    connect(duration_, SIGNAL(SliderValueChange(float)), this, SLOT(SetSliderValueChange(float)));

    zoom_ = new LayerZoomDlg(this);
    chroma_ = new ChromaKeyDlg(this);
    group_ = new KSV_LayerGroupDlg(this);
    for (QWidget* w : {static_cast<QWidget*>(zoom_), static_cast<QWidget*>(chroma_),
                       static_cast<QWidget*>(group_)})
        w->hide();
    connect(zoom_, SIGNAL(DlgClose()), this, SLOT(On_ZoomSetDlgCLose()));
    connect(chroma_, SIGNAL(DlgClose()), this, SLOT(On_ChromaKeyDlgClose()));
    connect(group_, SIGNAL(DlgClose()), this, SLOT(On_LayerGroupDlgCLose()));
    connect(chroma_, SIGNAL(SigChromakeyOnOff(bool)), this, SLOT(On_SigChromakeyOnOff(bool)));

    auto* row = new QHBoxLayout(this);
    row->addWidget(zoom_);
    row->addWidget(chroma_);
    row->addWidget(group_);
    row->addWidget(layerGroup_, 2);
    row->addLayout(takeColumn);

    // The take controls with their progress, which starts completed and
    // hidden.
    take_ = new TakeControl(this);
}

void LayerSettingDlg::retranslate()
{
    setWindowTitle(tr("Form"));
    layerGroup_->setTitle(tr("Layer Setting"));
    propsGroup_->setTitle(tr("图层属性"));
    rotationGroup_->setTitle(tr("旋转"));
    const char* const texts[8] = {
        QT_TR_NOOP("Vact"),  QT_TR_NOOP("Vpos"),   QT_TR_NOOP("Hpos"),   QT_TR_NOOP("Hact"),
        QT_TR_NOOP("LOGO:"), QT_TR_NOOP("Input:"), QT_TR_NOOP("Freeze"), QT_TR_NOOP("Auto Backup")};
    for (int i = 0; i < 8; ++i)
        labels_[i]->setText(tr(texts[i]));
    reset_->setText(tr("Reset"));
    colorKeyer_->setText(tr("Color Keyer"));
    zoomBtn_->setText(tr("Zoom Setting"));
    takeBtn_->setText(tr("Take"));
    fadeIn_->setText(tr("Fade In"));
    fadeOut_->setText(tr("Fade Out"));
    layerGroupBtn_->setText(tr("Layer Group"));
    alpha_->setLabelText(tr("Alpha"));
    duration_->setLabelText(tr("Duration"));
    // The input entries keep their names (the device's); only the defaults
    // of the construction are set here.
    for (int k = 0; k < kSources; ++k) {
        const int i = findEntry(k);
        if (i >= 0 && combo_->itemText(i).isEmpty())
            combo_->setItemText(i, k < kTileBase
                                       ? tr("Input ") + QString::number(k + 1)
                                       : tr("Tile ") + QString::number(k - kTileBase + 1));
    }
    // Kept for a dialog not built yet as well: the first take after a
    // language change shows it.
    if (take_)
        take_->progress()->setCancelButtonText(tr("Cancel"));
}

void LayerSettingDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

// ---------------------------------------------------------------------------
// Current layer

LayerRecord* LayerSettingDlg::current()
{
    syncWorkMode();
    return WorkingLayer(Record(), layer_);
}

void LayerSettingDlg::syncWorkMode()
{
    // A layer index of the old mode may lie past the new mode's smaller set
    // (mosaic 4, switcher 3, backup 2): the panel starts again at layer 0.
    const int mode = Record().M_AllCfg.workMode;
    if (mode == lastWorkMode_)
        return;
    const bool first = lastWorkMode_ < 0;
    lastWorkMode_ = mode;
    if (first && layer_ == 0)
        return;
    layer_ = 0;
    zoom_->setLayerIndex(0);
    chroma_->setLayerIndex(0);
}

void LayerSettingDlg::sendLayer(int sub, int layer)
{
    const LayerRecord* rec = WorkingLayer(Record(), layer);
    if (!rec)
        return;
    const uint8_t addr[2] = {uint8_t(sub), uint8_t(layer)};
    SendCommand(rec, SEND_LAYERCMD, addr, QString());
}

void LayerSettingDlg::showMessage(const LayerPlacement::RuleMessage& message)
{
    if (message.isEmpty())
        return;
    lastMessage_ = message.translatedText();
    // Not waited for: the edit has ended (or goes on) whatever the answer.
    auto* box = new CustomMsgBox(this, message.translatedTitle(), lastMessage_,
                                 QDialogButtonBox::Ok, QDialogButtonBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
}

// ---------------------------------------------------------------------------
// Redraw

void LayerSettingDlg::On_SigUIRefreshAllCfg()
{
    syncWorkMode();
    const MData& d = Record();
    const int mode = d.M_AllCfg.workMode;
    if (IsLayerMode(mode)) {
        const bool mosaic = mode == MOSAIC_MODE;
        {
            // Narrowing the range pulls a larger value down to the new top:
            // that is a redraw, not the operator's choice, and sends nothing.
            const QSignalBlocker quiet(duration_);
            duration_->setRange(0, float(TakeControl::DurationMaximum(mode)));
        }
        rotationGroup_->setEnabled(mosaic);
        SetFadeEnable(mosaic);
        propsGroup_->setEnabled(mosaic);
        layerOnOff_->setEnabled(mode != BACKUP_MODE);
        autoBackGroup_->setVisible(mode == BACKUP_MODE && layerGroup_->isVisibleTo(this));
        layerGroupBtn_->setVisible(mosaic);
    }
    autoBackupBtn_->setChecked(d.M_AllCfg.autoBackup != 0);
    freezeBtn_->setChecked(d.M_AllCfg.freeze != 0);
    SetFreezeLamp(d.M_AllCfg.freeze != 0, false);
}

void LayerSettingDlg::RefreshLayerPanel()
{
    const LayerRecord* l = current();
    if (!l)
        return;
    const int mode = Record().M_AllCfg.workMode;
    Unchanged::SetText(edits_[0], QString::number(l->hs));
    Unchanged::SetText(edits_[1], QString::number(l->vs));
    Unchanged::SetText(edits_[2],
                       QString::number(l->logoOnOff ? qint64(l->logoWidth) : qint64(l->hact)));
    Unchanged::SetText(edits_[3],
                       QString::number(l->logoOnOff ? qint64(l->logoHeight) : qint64(l->vact)));
    layerOnOff_->setChecked(l->onOff != 0);
    logoOnOff_->setChecked(l->logoOnOff != 0);
    // Only the backup partner rule disables these; out of backup mode they
    // are editable again.
    if (mode != BACKUP_MODE) {
        logoOnOff_->setEnabled(true);
        edits_[0]->setEnabled(true);
        edits_[1]->setEnabled(true);
    }
    SetSizeEditEnable(l->logoOnOff == 0);
    alpha_->setValue(float(l->alpha), false);
    // A rotation this tool does not know checks no button.
    if (l->rotation >= ROTATE_NONE && l->rotation <= ROTATE_H90)
        CheckRotationButton(RoationType(l->rotation));
    if (mode == BACKUP_MODE)
        UpdateBackupEditEnable(layer_);
    else if (mode == MOSAIC_MODE)
        rotationGroup_->setEnabled(IsRotationAvailable(layer_));
    selectEntry(SourceKey(*l));
}

void LayerSettingDlg::CheckRotationButton(RoationType type)
{
    for (int i = 0; i < 8; ++i)
        if (kRotationValue[i] == type)
            rotation_[i]->setChecked(true);
}

void LayerSettingDlg::SetSizeEditEnable(bool enable)
{
    edits_[2]->setEnabled(enable);
    edits_[3]->setEnabled(enable);
    reset_->setEnabled(enable);
}

void LayerSettingDlg::SetFadeEnable(bool enable)
{
    fadeIn_->setEnabled(enable);
    fadeOut_->setEnabled(enable);
    takeBtn_->setEnabled(!enable);
}

void LayerSettingDlg::UpdateBackupEditEnable(int layer)
{
    const MData& d = Record();
    if (d.M_AllCfg.workMode != BACKUP_MODE || layer < 0 || layer >= MDataLimits::kBackupLayers)
        return;
    const int v = d.M_BackupLayerCfg.layer[layer].bMain;
    if (v != 0 && v != 1)
        return;
    for (QWidget* w : {static_cast<QWidget*>(logoOnOff_), static_cast<QWidget*>(reset_),
                       static_cast<QWidget*>(edits_[0]), static_cast<QWidget*>(edits_[1]),
                       static_cast<QWidget*>(edits_[2]), static_cast<QWidget*>(edits_[3])})
        w->setEnabled(v == 0);
}

void LayerSettingDlg::On_SigClickLayerCell(int idx)
{
    syncWorkMode();
    layer_ = idx;
    // The sub-panels find nothing to edit for an index outside the set.
    zoom_->setLayerIndex(idx);
    chroma_->setLayerIndex(idx);
    RefreshLayerPanel();
}

void LayerSettingDlg::On_SigUIRefreshLayerData(int idx)
{
    syncWorkMode();
    if (idx == layer_)
        RefreshLayerPanel();
}

// ---------------------------------------------------------------------------
// Sub-panels

void LayerSettingDlg::HideLayerControls(bool hide)
{
    for (QWidget* w : {static_cast<QWidget*>(layerGroup_), static_cast<QWidget*>(duration_),
                       static_cast<QWidget*>(takeBtn_), static_cast<QWidget*>(freezeGroup_)})
        w->setVisible(!hide);
    const int mode = Record().M_AllCfg.workMode;
    if (mode == MOSAIC_MODE || mode == SWITCHER_MODE)
        autoBackGroup_->hide();
    else if (mode == BACKUP_MODE)
        autoBackGroup_->setVisible(!hide);
}

void LayerSettingDlg::on_ZoomSetBtn_clicked()
{
    HideLayerControls(true);
    zoom_->show();
    zoom_->setLayerIndex(layer_);
}

void LayerSettingDlg::on_ColorKeyerBtn_clicked()
{
    HideLayerControls(true);
    chroma_->show();
}

void LayerSettingDlg::on_LayerGroupBtn_clicked()
{
    HideLayerControls(true);
    group_->show();
}

void LayerSettingDlg::On_ZoomSetDlgCLose()
{
    HideLayerControls(false);
}

void LayerSettingDlg::On_ChromaKeyDlgClose()
{
    HideLayerControls(false);
}

void LayerSettingDlg::On_LayerGroupDlgCLose()
{
    HideLayerControls(false);
}

void LayerSettingDlg::On_SigChromakeyOnOff(bool bonOff)
{
    alpha_->setSliderEnabled(!bonOff);
}

// ---------------------------------------------------------------------------
// Input list

int LayerSettingDlg::findEntry(int key) const
{
    for (int i = 0; i < combo_->count(); ++i)
        if (combo_->itemData(i).toInt() == key)
            return i;
    return -1;
}

void LayerSettingDlg::selectEntry(int key)
{
    const int i = findEntry(key);
    if (i < 0 || i == combo_->currentIndex())
        return;
    suppress_ = true;
    combo_->setCurrentIndex(i);
}

void LayerSettingDlg::On_SigUIRefreshInputCfg()
{
    const MData& d = Record();
    // By key, not by position: a right-half entry may sit among the inputs.
    for (int input = 0; input < MDataLimits::kInputs; ++input) {
        const int i = findEntry(input);
        if (i < 0)
            continue;
        const int port = ActivePort(d, input);
        const bool present = d.M_InputData.port[input].portNum != 0 && port >= 0;
        // An input that delivers two halves keeps its "-L" (its signal
        // report gives it): taken off here, a read-back would relabel the
        // entry twice.
        const bool halves = present && (input == 4 || input == 5) &&
                            d.M_InputData.port[input].chnlId[port] == 2 &&
                            TwoHalves(d, input, port);
        Unchanged::SetItemText(combo_, i,
                               !present ? QStringLiteral("NONE")
                               : halves ? LabelOn(d, input, port) + QStringLiteral("-L")
                                        : LabelOn(d, input, port));
        SetInputEnable(input, present);
    }
}

void LayerSettingDlg::SetInputEnable(int idx, bool bEnable)
{
    auto* model = qobject_cast<QStandardItemModel*>(combo_->model());
    if (!model)
        return;
    for (int i = 0; i < combo_->count(); ++i) {
        const int key = combo_->itemData(i).toInt();
        if (key != idx && key != idx + kRightHalf)
            continue;
        QStandardItem* item = model->item(i);
        const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        item->setFlags(bEnable ? item->flags() | flags : item->flags() & ~flags);
    }
}

void LayerSettingDlg::On_SigUIRefreshInputSignal(int GId, int PId)
{
    if (GId != 4 && GId != 5)
        return;
    const MData& d = Record();
    if (PId < 0 || PId >= MDataLimits::kPorts || ActivePort(d, GId) != PId ||
        d.M_InputData.port[GId].chnlId[PId] != 2)
        return;
    const QString label = LabelOn(d, GId, PId);
    if (TwoHalves(d, GId, PId)) {
        int last = -1;
        bool hasRight = false;
        for (int i = 0; i < combo_->count(); ++i) {
            const int key = combo_->itemData(i).toInt();
            if (key == GId) {
                combo_->setItemText(i, label + QStringLiteral("-L"));
                last = i;
            } else if (key == GId + kRightHalf) {
                combo_->setItemText(i, label + QStringLiteral("-R"));
                hasRight = true;
            }
        }
        if (!hasRight) {
            // An entry inserted before the current one moves it down a row,
            // which is no choice of the operator's.
            const QSignalBlocker quiet(combo_);
            combo_->insertItem(last < 0 ? 1 : last + 1, label + QStringLiteral("-R"),
                               GId + kRightHalf);
        }
        return;
    }
    for (int i = 0; i < combo_->count(); ++i) {
        if (combo_->itemData(i).toInt() != GId)
            continue;
        const QString text = combo_->itemText(i);
        const int dash = text.indexOf(QLatin1Char('-'));
        if (dash >= 0)
            combo_->setItemText(i, text.left(dash));
    }
    for (int i = combo_->count() - 1; i >= 0; --i) {
        if (combo_->itemData(i).toInt() != GId + kRightHalf)
            continue;
        if (i == combo_->currentIndex() && i > 0) {
            suppress_ = true;
            combo_->setCurrentIndex(i - 1);
        }
        // Removing an entry before the current one moves it up a row: no
        // choice of the operator's either.
        const QSignalBlocker quiet(combo_);
        combo_->removeItem(i);
    }
}

void LayerSettingDlg::UpdateInputEntry(int input, int port)
{
    syncWorkMode();
    rotationGroup_->setEnabled(IsRotationAvailable(layer_));
    const MData& d = Record();
    if (input < 0 || input >= MDataLimits::kInputs || port < 0 || port >= MDataLimits::kPorts)
        return;
    const QString label = LabelOn(d, input, port);
    const bool halves = (input == 4 || input == 5) && d.M_InputData.port[input].chnlId[port] == 2 &&
                        TwoHalves(d, input, port);
    for (int i = 0; i < combo_->count(); ++i) {
        const int key = combo_->itemData(i).toInt();
        if (key == input)
            combo_->setItemText(i, halves ? label + QStringLiteral("-L") : label);
        else if (key == input + kRightHalf)
            combo_->setItemText(i, halves ? label + QStringLiteral("-R") : label);
    }
}

void LayerSettingDlg::SetComboxIndexChange(int Id)
{
    if (suppress_) {
        suppress_ = false;
        return;
    }
    if (Id < 0 || Id >= combo_->count())
        return;
    syncWorkMode();
    const int key = combo_->itemData(Id).toInt();
    const int source = key & 0xFF;
    const int half = key >> 8;
    bool bLR = false;
    QString type;
    SourceTraits(Record(), source, &bLR, &type);
    // The input column first: the canvas hands the choice back at once, and
    // a refused choice then puts the old source back in the column too.
    emit sigChangeInputSrc(source, half);
    emit sigChangeInputSrcEvent(layer_, source, half, bLR, type, true);
}

// ---------------------------------------------------------------------------
// Alpha, duration, rotation, position and size, fades

void LayerSettingDlg::SetSliderValueChange(float Value)
{
    auto* slider = qobject_cast<NeoSliderComb*>(sender());
    if (!slider)
        return;
    if (slider->objectName() == kDurationSlider) {
        take_->SetDuration(Value);
        return;
    }
    if (slider->objectName() != kAlphaSlider)
        return;
    LayerRecord* l = current();
    if (!l)
        return;
    l->alpha = uint8_t(int(Value));
    sendLayer(LAYER_ALPHA, layer_);
}

void LayerSettingDlg::rotationClicked(int button)
{
    LayerRecord* l = current();
    if (!l)
        return;
    l->rotation = kRotationValue[button];
    // Turning by 180 or mirroring changes the cell's picture: the page
    // rebuilds it.
    if (button >= 2)
        emit sigLayerOnoff(l, layer_);
    sendLayer(LAYER_ROTATION, layer_);
    if (Record().M_AllCfg.workMode == MOSAIC_MODE)
        emit sigLayerRotationSet(layer_, kRotationValue[button]);
}

void LayerSettingDlg::on_pushButton_clicked()
{
    rotationClicked(0);
}
void LayerSettingDlg::on_pushButton_2_clicked()
{
    rotationClicked(1);
}
void LayerSettingDlg::on_pushButton_3_clicked()
{
    rotationClicked(2);
}
void LayerSettingDlg::on_pushButton_4_clicked()
{
    rotationClicked(3);
}
void LayerSettingDlg::on_pushButton_5_clicked()
{
    rotationClicked(4);
}
void LayerSettingDlg::on_pushButton_6_clicked()
{
    rotationClicked(5);
}
void LayerSettingDlg::on_pushButton_7_clicked()
{
    rotationClicked(6);
}
void LayerSettingDlg::on_pushButton_8_clicked()
{
    rotationClicked(7);
}

void LayerSettingDlg::rectEdited(int field)
{
    // Return and the focus leaving the edit afterwards both finish an edit:
    // only a text changed since the last one is stored and sent.
    QLineEdit* e = edits_[field];
    if (!e->isModified())
        return;
    e->setModified(false);
    LayerRecord* l = current();
    if (!l)
        return;
    bool ok = false;
    const uint value = e->text().toUInt(&ok);
    // A text that is no number (or past the validator's top, when set by
    // code) keeps the record's value: a typo must not move the layer to the
    // corner.
    if (!ok || value > uint(kMaxRectEdit)) {
        RefreshLayerPanel();
        return;
    }
    uint32_t LayerRecord::*const fields[4] = {&LayerRecord::hs, &LayerRecord::vs,
                                              &LayerRecord::hact, &LayerRecord::vact};
    l->*fields[field] = value;
    emit sigLayerPosChange(l, layer_);
    MData& d = Record();
    if (d.M_AllCfg.workMode == BACKUP_MODE) {
        for (int k = 0; k < MDataLimits::kBackupLayers; ++k) {
            LayerRecord& b = d.M_BackupLayerCfg.layer[k];
            if (b.bMain != 1)
                continue;
            b.*fields[field] = value;
            emit sigLayerPosChange(&b, k);
        }
    }
    sendLayer(LAYER_RECT, layer_);
}

void LayerSettingDlg::on_lineEdit_editingFinished()
{
    rectEdited(0);
}
void LayerSettingDlg::on_lineEdit_2_editingFinished()
{
    rectEdited(1);
}
void LayerSettingDlg::on_lineEdit_3_editingFinished()
{
    rectEdited(2);
}
void LayerSettingDlg::on_lineEdit_4_editingFinished()
{
    rectEdited(3);
}

void LayerSettingDlg::fade(bool in)
{
    MData& d = Record();
    LayerRecord* l = current();
    if (!l || d.M_AllCfg.workMode != MOSAIC_MODE)
        return;
    l->alpha = in ? 64 : 0;
    RefreshLayerPanel();
    const int32_t count = 5;
    const uint8_t bytes[5] = {LAYER_RAW, 0x55, uint8_t(layer_), uint8_t(in ? 1 : 0),
                              d.M_MosaicLayerCfg.durationTime};
    SendCommand(&count, SEND_LAYERCMD, bytes, QString());
}

void LayerSettingDlg::on_FadeInBtn_clicked()
{
    fade(true);
}

void LayerSettingDlg::on_FadeOutBtn_clicked()
{
    fade(false);
}

// ---------------------------------------------------------------------------
// Placement-guarded edits

bool LayerSettingDlg::IsRotationAvailable(int layer) const
{
    return LayerPlacement::IsRotationAvailable(Record(), layer);
}

bool LayerSettingDlg::ExceedsWindowResource(int layer, const QRect& rect) const
{
    return LayerPlacement::ExceedsWindowResource(Record(), layer, rect);
}

bool LayerSettingDlg::IsLayerSourceAllowed(int layer) const
{
    return LayerPlacement::IsLayerSourceAllowed(Record(), layer);
}

QRect LayerSettingDlg::OutputBoundingRect() const
{
    return LayerPlacement::OutputBoundingRect(Record());
}

void LayerSettingDlg::resourceRefusal(int layer)
{
    // The rules parked the layer below the outputs already.
    RefreshLayerPanel();
    LayerRecord* l = WorkingLayer(Record(), layer);
    if (l)
        emit sigLayerPosChange(l, layer);
    sendLayer(LAYER_RECT, layer);
    showMessage(LayerPlacement::kResourceRefused);
}

void LayerSettingDlg::On_SigMouseMoveLayerCell(QRect realRc)
{
    syncWorkMode();
    MData& d = Record();
    if (!LayerPlacement::CheckDrag(d, layer_, realRc).isEmpty()) {
        resourceRefusal(layer_);
        return;
    }
    if (LayerPlacement::StoreDraggedRect(d, layer_, realRc))
        sendLayer(LAYER_RECT, layer_);
    rotationGroup_->setEnabled(IsRotationAvailable(layer_));
    edits_[0]->setText(QString::number(realRc.left()));
    edits_[1]->setText(QString::number(realRc.top()));
    edits_[2]->setText(QString::number(realRc.width()));
    edits_[3]->setText(QString::number(realRc.height()));
}

void LayerSettingDlg::on_LayerOnOffBtn_clicked(bool checked)
{
    LayerRecord* l = current();
    if (!l)
        return;
    MData& d = Record();
    if (checked) {
        const LayerPlacement::RuleMessage refused = LayerPlacement::CheckLayerOn(d, layer_);
        if (refused.text == LayerPlacement::kSourceRefused.text) {
            showMessage(refused);
            layerOnOff_->setChecked(false);
            return;
        }
        if (!refused.isEmpty()) {
            resourceRefusal(layer_);
            layerOnOff_->setChecked(false);
            return;
        }
    }
    l->onOff = checked ? 1 : 0;
    emit sigLayerOnoff(l, layer_);
    sendLayer(LAYER_ONOFF, layer_);
}

void LayerSettingDlg::On_SigLayerCellOnOff(int idx, bool IsOnOff)
{
    syncWorkMode();
    MData& d = Record();
    LayerRecord* l = WorkingLayer(d, idx);
    if (!l)
        return;
    const int mode = d.M_AllCfg.workMode;
    if (IsOnOff && (mode == MOSAIC_MODE || mode == SWITCHER_MODE) &&
        !LayerPlacement::IsLayerSourceAllowed(d, idx)) {
        l->onOff = 0;
        layerOnOff_->setChecked(false);
        return;
    }
    l->onOff = IsOnOff ? 1 : 0;
    sendLayer(LAYER_ONOFF, idx);
    layerOnOff_->setChecked(IsOnOff);
}

void LayerSettingDlg::handBackSource(int idx, int gid, int half, bool sendCmd)
{
    bool bLR = false;
    QString type;
    SourceTraits(Record(), gid, &bLR, &type);
    emit sigChangeInputSrcEvent(idx, gid, half, bLR, type, sendCmd);
    emit sigChangeInputSrc(gid, half);
}

void LayerSettingDlg::On_SigLayerInputSrcChange(int idx, int Gid, int AreadId)
{
    syncWorkMode();
    MData& d = Record();
    LayerRecord* l = WorkingLayer(d, idx);
    if (!l || Gid < 0 || Gid >= kSources || AreadId < 0 || AreadId >= MDataLimits::kHalves)
        return;
    const LayerPlacement::SourceChange change =
        LayerPlacement::ApplySourceChange(d, idx, Gid, AreadId);
    if (!change.message.isEmpty()) {
        if (change.restored)
            handBackSource(idx, change.oldInputId, change.oldHalfId, false);
        else
            emit sigLayerOnoff(l, idx);
        showMessage(change.message);
        RefreshLayerPanel();
        return;
    }
    sendLayer(LAYER_SOURCE, idx);
    if (l->logoOnOff)
        on_LOGOOnOffBtn_clicked(false);
    if (d.M_AllCfg.workMode == MOSAIC_MODE)
        RefreshLayerPanel();
    selectEntry(Gid + kRightHalf * AreadId);
}

void LayerSettingDlg::on_LOGOOnOffBtn_clicked(bool checked)
{
    syncWorkMode();
    MData& d = Record();
    const LayerPlacement::LogoSwitch s = LayerPlacement::ApplyLogoSwitch(d, layer_, checked);
    if (!s.refused.isEmpty()) {
        showMessage(s.refused);
        logoOnOff_->setChecked(false);
        return;
    }
    if (s.applied) {
        LayerRecord* l = WorkingLayer(d, layer_);
        emit sigLayerLogoOnOff(l, layer_);
        if (!s.resource.isEmpty())
            resourceRefusal(layer_);
        if (s.rotationReset) {
            sendLayer(LAYER_ROTATION, layer_);
            emit sigLayerRotationSet(layer_, ROTATE_NONE);
        }
        if (s.moved)
            sendLayer(LAYER_RECT, layer_);
        for (int k : s.followers)
            emit sigLayerPosChange(&d.M_BackupLayerCfg.layer[k], k);
        emit sigLayerPosChange(l, layer_);
        sendLayer(LAYER_LOGO, layer_);
    }
    SetSizeEditEnable(!checked);
    RefreshLayerPanel();
}

void LayerSettingDlg::on_pushButton_9_clicked()
{
    syncWorkMode();
    MData& d = Record();
    LayerRecord* l = WorkingLayer(d, layer_);
    if (!l)
        return;
    if (!LayerPlacement::ApplyReset(d, layer_).isEmpty()) {
        resourceRefusal(layer_);
        return;
    }
    emit sigLayerPosChange(l, layer_);
    On_SigClickLayerCell(layer_);
    sendLayer(LAYER_RECT, layer_);
}

void LayerSettingDlg::On_SigOuputLayout()
{
    syncWorkMode();
    MData& d = Record();
    const int mode = d.M_AllCfg.workMode;
    const LayerPlacement::Replacement r = LayerPlacement::ReplaceAfterOutputLayout(d);
    if (mode == MOSAIC_MODE) {
        LayerRecord* l = d.M_MosaicLayerCfg.layer;
        for (int i : r.switchedOff)
            emit sigLayerOnoff(&l[i], i);
        emit sigLayerPosChange(&l[0], 0);
        sendLayer(LAYER_RECT, 0);
        if (r.switchedOn)
            emit sigLayerOnoff(&l[0], 0);
        handBackSource(0, l[0].inputId, l[0].halfId, true);
        RefreshLayerPanel();
    } else if (mode == BACKUP_MODE) {
        LayerRecord* b = d.M_BackupLayerCfg.layer;
        for (int k : r.placed) {
            emit sigLayerPosChange(&b[k], k);
            sendLayer(LAYER_RECT, k);
            if (r.sourced.contains(k))
                handBackSource(k, b[k].inputId, b[k].halfId, true);
            RefreshLayerPanel();
        }
    }
}

// ---------------------------------------------------------------------------
// Take controls

void LayerSettingDlg::QuickTake()
{
    take_->QuickTake(takeBtn_->isEnabled());
}

void LayerSettingDlg::on_TakeBtn_clicked()
{
    take_->Take();
}

void LayerSettingDlg::on_Freeze_Btn_clicked()
{
    take_->Freeze();
}

void LayerSettingDlg::on_AutoBackupBtn_clicked(bool checked)
{
    take_->SetAutoBackup(checked);
}

void LayerSettingDlg::On_SigUIRefreshFreeze()
{
    take_->On_SigUIRefreshFreeze();
}

void LayerSettingDlg::On_SigUIRefreshTakeData()
{
    take_->On_SigUIRefreshTakeData();
}

void LayerSettingDlg::On_SigUIRefreshTakeStatus(int TStatus)
{
    take_->On_SigUIRefreshTakeStatus(TStatus);
}

void LayerSettingDlg::updateProgressDialog()
{
    // The progress keeps its own 50 ms timer (ProgressHelper); nothing is
    // left for the panel to count.
}

void LayerSettingDlg::StartTakeProgress()
{
    take_->StartTakeProgress();
}

void LayerSettingDlg::StopTakeProgress()
{
    take_->StopTakeProgress();
}
