#include "LayerZoomDlg.h"

#include "LayerPanelRules.h"
#include "Look.h"
#include "MiddleHandler.h"
#include "PageHelper.h"
#include "ResizeShowComponent.h"
#include "SendCommand.h"
#include "TitleBar.h"
#include "Unchanged.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>

namespace {

// The edits in the order of the record's fields they show.
const char* const kEditNames[6] = {"lineEdit",   "lineEdit_2", "lineEdit_3",
                                   "lineEdit_4", "lineEdit_5", "lineEdit_6"};
const char* const kLabelNames[6] = {"label_2", "label_3", "label_4",
                                    "label_5", "label_6", "label_7"};

QFont PanelFont()
{
    return Look::Font(12);
}

}  // namespace

LayerZoomDlg::LayerZoomDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LayerZoomDlg"));
    resize(783, 134);

    group_ = new QGroupBox(this);
    group_->setObjectName(QStringLiteral("groupBox"));
    group_->setFont(PanelFont());
    auto* grid = new QGridLayout(group_);
    auto* validator = new QIntValidator(0, 9999, this);
    // Row 0: Hpos, Hact, HRange; row 1: Vpos, Vact, VRange.
    const int row[6] = {0, 1, 0, 1, 0, 1};
    const int col[6] = {0, 0, 2, 2, 4, 4};
    for (int i = 0; i < 6; ++i) {
        labels_[i] = new QLabel(group_);
        labels_[i]->setObjectName(QLatin1String(kLabelNames[i]));
        labels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edits_[i] = new QLineEdit(group_);
        edits_[i]->setObjectName(QLatin1String(kEditNames[i]));
        edits_[i]->setAlignment(Qt::AlignCenter);
        edits_[i]->setMaximumSize(50, 28);
        edits_[i]->setFont(PanelFont());
        edits_[i]->setValidator(validator);
        grid->addWidget(labels_[i], row[i], col[i]);
        grid->addWidget(edits_[i], row[i], col[i] + 1);
    }
    rect_ = new ResizeShowComponent(group_);
    rect_->setObjectName(QStringLiteral("zoomRect"));
    rect_->setMinimumSize(160, 90);
    grid->addWidget(rect_, 0, 6, 2, 1);

    onOff_ = new QPushButton(this);
    onOff_->setObjectName(QStringLiteral("ZoomOnoffBtn"));
    onOff_->setCheckable(true);
    onOff_->setFixedSize(70, 32);
    match_ = new QPushButton(this);
    match_->setObjectName(QStringLiteral("pushButton_2"));
    reset_ = new QPushButton(this);
    reset_->setObjectName(QStringLiteral("pushButton"));
    exit_ = new QPushButton(this);
    exit_->setObjectName(QStringLiteral("pushButton_3"));
    for (QPushButton* b : {match_, reset_, exit_})
        b->setFont(PanelFont());

    auto* buttons = new QGridLayout;
    buttons->setContentsMargins(0, 0, 50, 0);
    buttons->addWidget(onOff_, 1, 0);
    buttons->addWidget(match_, 1, 1);
    buttons->addWidget(reset_, 1, 2);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(9, TitleBar::kHeight, 9, 9);
    layout->addWidget(group_, 2);
    layout->addLayout(buttons, 1);

    titleBar_ = Page::AddSubPageTitleBar(this);

    retranslate();
    QMetaObject::connectSlotsByName(this);
    exit_->hide();
    connect(rect_, SIGNAL(SigRealSize(QRect, bool)), this, SLOT(On_SigRealSize(QRect, bool)));
    connect(MiddleHandler::GetInstance(), SIGNAL(SigUIRefreshLayerZoomData(int)), this,
            SLOT(On_SigUIRefreshLayerZoomData(int)));
}

void LayerZoomDlg::retranslate()
{
    setWindowTitle(tr("Form"));
    group_->setTitle(tr("Zoom Setting"));
    const char* const texts[6] = {QT_TR_NOOP("Hpos"), QT_TR_NOOP("Vpos"),   QT_TR_NOOP("Hact"),
                                  QT_TR_NOOP("Vact"), QT_TR_NOOP("HRange"), QT_TR_NOOP("VRange")};
    for (int i = 0; i < 6; ++i)
        labels_[i]->setText(tr(texts[i]));
    reset_->setText(tr("Reset"));
    match_->setText(tr("Match To Input"));
    exit_->setText(tr("Exit"));
}

void LayerZoomDlg::setLayerIndex(int layer)
{
    layer_ = layer;
    refreshPanel(true);
}

void LayerZoomDlg::refreshPanel(bool withRect)
{
    MData* d = MiddleHandler::GetInstance()->GetCurrentMData();
    const auto slot = LayerPanelRules::SlotOf(*d, layer_);
    if (slot) {
        const LayerZoomCfg& z = *slot->zoom;
        onOff_->setChecked(z.onOff);
        const int values[6] = {z.hs, z.vs, z.hact, z.vact, z.hRange, z.vRange};
        // Every reply of the layer and every selection announced by the
        // canvas redraws the panel, nearly always with what it shows.
        for (int i = 0; i < 6; ++i)
            Unchanged::SetText(edits_[i], QString::number(values[i]));
    }
    if (withRect)
        updateResizeRect();
}

void LayerZoomDlg::updateResizeRect()
{
    MData* d = MiddleHandler::GetInstance()->GetCurrentMData();
    const auto slot = LayerPanelRules::SlotOf(*d, layer_);
    if (slot) {
        const LayerZoomCfg& z = *slot->zoom;
        rect_->setRealCanvas(0, 0, z.hRange - 1, z.vRange - 1);
        rect_->setRealRect(z.hs, z.vs, z.hs + z.hact - 1, z.vs + z.vact - 1);
    }
    rect_->setMinimumRealSize(256.0f, 256.0f);
}

void LayerZoomDlg::send()
{
    MData* d = MiddleHandler::GetInstance()->GetCurrentMData();
    if (const auto slot = LayerPanelRules::SlotOf(*d, layer_))
        SendCommand(slot->zoom, SEND_LAYERZOOMCMD, slot->addr.data(), QString());
}

template <typename Edit>
bool LayerZoomDlg::change(Edit edit)
{
    MData* d = MiddleHandler::GetInstance()->GetCurrentMData();
    const auto slot = LayerPanelRules::SlotOf(*d, layer_);
    if (!slot)
        return false;
    edit(*slot->zoom);
    return true;
}

void LayerZoomDlg::On_SigUIRefreshLayerZoomData(int idx)
{
    if (idx == layer_)
        refreshPanel(true);
}

void LayerZoomDlg::On_SigRealSize(QRect RealRc, bool bSendCMD)
{
    const bool done = change([&](LayerZoomCfg& z) {
        z.hs = uint16_t(RealRc.left());
        z.vs = uint16_t(RealRc.top());
        z.hact = uint16_t(RealRc.right() - RealRc.left() + 1);
        z.vact = uint16_t(RealRc.bottom() - RealRc.top() + 1);
    });
    if (!done)
        return;
    // While the rectangle is dragged only the numbers follow; the release
    // sends the final window once.
    if (bSendCMD)
        send();
    refreshPanel(false);
}

void LayerZoomDlg::positionOrSizeTyped(int edit, void (*rule)(LayerZoomCfg&, int))
{
    const int v = edits_[edit]->text().toInt();
    if (change([&](LayerZoomCfg& z) { rule(z, v); })) {
        refreshPanel(true);
        send();
    }
}

void LayerZoomDlg::rangeTyped(int edit, bool (*rule)(LayerZoomCfg&, int))
{
    const int v = edits_[edit]->text().toInt();
    bool corrected = false;
    if (change([&](LayerZoomCfg& z) { corrected = rule(z, v); })) {
        // An accepted range keeps the typed text; a corrected one shows what
        // was stored.
        if (corrected)
            refreshPanel(true);
        send();
    }
}

void LayerZoomDlg::on_lineEdit_editingFinished()
{
    positionOrSizeTyped(0, LayerPanelRules::SetHpos);
}

void LayerZoomDlg::on_lineEdit_2_editingFinished()
{
    positionOrSizeTyped(1, LayerPanelRules::SetVpos);
}

void LayerZoomDlg::on_lineEdit_3_editingFinished()
{
    positionOrSizeTyped(2, LayerPanelRules::SetHact);
}

void LayerZoomDlg::on_lineEdit_4_editingFinished()
{
    positionOrSizeTyped(3, LayerPanelRules::SetVact);
}

void LayerZoomDlg::on_lineEdit_5_editingFinished()
{
    rangeTyped(4, LayerPanelRules::SetHRange);
}

void LayerZoomDlg::on_lineEdit_6_editingFinished()
{
    rangeTyped(5, LayerPanelRules::SetVRange);
}

void LayerZoomDlg::on_ZoomOnoffBtn_clicked(bool checked)
{
    if (change([checked](LayerZoomCfg& z) { z.onOff = checked; }))
        send();
}

void LayerZoomDlg::on_pushButton_2_clicked()
{
    MData* d = MiddleHandler::GetInstance()->GetCurrentMData();
    const auto slot = LayerPanelRules::SlotOf(*d, layer_);
    if (!slot)
        return;
    const QSize source = LayerPanelRules::SourceSize(*d, *slot->layer);
    if (!LayerPanelRules::MatchTo(*slot->zoom, source.width(), source.height()))
        return;
    send();
    refreshPanel(true);
}

void LayerZoomDlg::on_pushButton_clicked()
{
    if (change([](LayerZoomCfg& z) { LayerPanelRules::Reset(z); })) {
        send();
        refreshPanel(true);
    }
}

void LayerZoomDlg::on_pushButton_3_clicked() {}

void LayerZoomDlg::resizeEvent(QResizeEvent* event)
{
    titleBar_->resize(width(), TitleBar::kHeight);
    event->ignore();
}

void LayerZoomDlg::closeEvent(QCloseEvent*)
{
    emit DlgClose();
}

void LayerZoomDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
