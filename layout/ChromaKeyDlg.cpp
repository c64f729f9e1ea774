#include "ChromaKeyDlg.h"

#include "LayerPanelRules.h"
#include "Look.h"
#include "MiddleHandler.h"
#include "NeoSliderComb.h"
#include "PageHelper.h"
#include "SendCommand.h"
#include "TitleBar.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QResizeEvent>

#include <cmath>

namespace {

const char* const kSliderLabels[ChromaKeyDlg::kSliders] = {
    QT_TRANSLATE_NOOP("ChromaKeyDlg", "RMIN"), QT_TRANSLATE_NOOP("ChromaKeyDlg", "RMAX"),
    QT_TRANSLATE_NOOP("ChromaKeyDlg", "GMIN"), QT_TRANSLATE_NOOP("ChromaKeyDlg", "GMAX"),
    QT_TRANSLATE_NOOP("ChromaKeyDlg", "BMIN"), QT_TRANSLATE_NOOP("ChromaKeyDlg", "BMAX")};

uint8_t* KeyByte(ChromaKeyCfg& c, int i)
{
    uint8_t* bytes[ChromaKeyDlg::kSliders] = {&c.minR, &c.maxR, &c.minG, &c.maxG, &c.minB, &c.maxB};
    return bytes[i];
}

}  // namespace

ChromaKeyDlg::ChromaKeyDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ChromaKeyDlg"));
    resize(400, 300);
    initQuickSetTable();

    const QFont font = Look::Font(12);
    group_ = new QGroupBox(this);
    group_->setObjectName(QStringLiteral("groupBox"));
    group_->setFont(font);
    auto* grid = new QGridLayout(group_);
    grid->setSpacing(2);
    for (int i = 0; i < kSliders; ++i) {
        auto* s = new NeoSliderComb(group_);
        s->setObjectName(QString::number(i));
        s->setAllFont(font);
        s->setRange(0, 255);
        s->setLabelFixedSize(60, 28);
        s->setSliderFixedSize(70, 28);
        s->setEditFixedSize(38, 28);
        s->setValue(10, false);
        connect(s, SIGNAL(SliderValueChange(float)), this, SLOT(SetSliderValueChange(float)));
        grid->addWidget(s, i / 2, i % 2);
        sliders_[i] = s;
    }

    quickGroup_ = new QGroupBox(this);
    quickGroup_->setObjectName(QStringLiteral("quickSetGroupBox"));
    quickGroup_->setFont(font);
    auto* quickGrid = new QGridLayout(quickGroup_);
    const QFont buttonFont = Look::Font(10);
    for (int k = 0; k < kQuickSets; ++k) {
        auto* b = new QPushButton(quickGroup_);
        b->setObjectName(QString::number(k));
        b->setFont(buttonFont);
        b->setCheckable(true);
        b->setAutoExclusive(true);
        b->setFixedHeight(32);
        b->setMinimumWidth(96);
        connect(b, SIGNAL(clicked()), this, SLOT(OnClicked_QuickSetBtn()));
        quickGrid->addWidget(b, k / 5, k % 5);
        quickButtons_[k] = b;
    }

    onOff_ = new QPushButton(this);
    onOff_->setObjectName(QStringLiteral("pushButton"));
    onOff_->setCheckable(true);
    onOff_->setFixedSize(70, 32);

    // The sliders keep their fixed sizes; the quick-set names, the longest
    // texts of the panel, get the rest of the row.
    group_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    quickGrid->setHorizontalSpacing(4);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(9, TitleBar::kHeight, 9, 9);
    layout->addWidget(group_);
    layout->addWidget(quickGroup_, 1);
    layout->addWidget(onOff_);

    titleBar_ = Page::AddSubPageTitleBar(this);

    retranslate();
    QMetaObject::connectSlotsByName(this);
    connect(MiddleHandler::GetInstance(), SIGNAL(SigUIRefreshLayerChromaKey(int)), this,
            SLOT(On_SigUIRefreshLayerChromaKey(int)));
}

void ChromaKeyDlg::initQuickSetTable()
{
    for (int k = 0; k < kQuickSets; ++k)
        quickNames_[k] =
            QCoreApplication::translate("ChromaKeyDlg", LayerPanelRules::kQuickSetTable[k].name);
}

void ChromaKeyDlg::retranslate()
{
    setWindowTitle(tr("Form"));
    group_->setTitle(tr("Setting"));
    for (int i = 0; i < kSliders; ++i)
        sliders_[i]->setLabelText(QCoreApplication::translate("ChromaKeyDlg", kSliderLabels[i]));
    initQuickSetTable();
    for (int k = 0; k < kQuickSets; ++k)
        quickButtons_[k]->setText(quickNames_[k]);
}

void ChromaKeyDlg::setLayerIndex(int layer)
{
    layer_ = layer;
    refreshPanel();
}

void ChromaKeyDlg::refreshPanel()
{
    MData* d = MiddleHandler::GetInstance()->GetCurrentMData();
    const auto slot = LayerPanelRules::SlotOf(*d, layer_);
    if (!slot)
        return;
    ChromaKeyCfg& key = *slot->chroma;
    onOff_->setChecked(key.onOff != 0);
    for (int i = 0; i < kSliders; ++i)
        sliders_[i]->setValue(*KeyByte(key, i), false);
    emit SigChromakeyOnOff(key.onOff != 0);
}

void ChromaKeyDlg::send(const ChromaKeyCfg* key, const uint8_t* addr)
{
    SendCommand(key, SEND_CHROMAKEYCMD, addr, QString());
}

void ChromaKeyDlg::SetSliderValueChange(float Value)
{
    auto* s = qobject_cast<NeoSliderComb*>(sender());
    if (!s)
        return;
    bool ok = false;
    const int i = s->objectName().toInt(&ok);
    if (!ok || i < 0 || i >= kSliders)
        return;
    MData* d = MiddleHandler::GetInstance()->GetCurrentMData();
    const auto slot = LayerPanelRules::SlotOf(*d, layer_);
    if (!slot)
        return;
    *KeyByte(*slot->chroma, i) = uint8_t(int(std::trunc(Value)) & 0xFF);
    send(slot->chroma, slot->addr.data());
}

void ChromaKeyDlg::on_pushButton_clicked(bool checked)
{
    MData* d = MiddleHandler::GetInstance()->GetCurrentMData();
    if (const auto slot = LayerPanelRules::SlotOf(*d, layer_)) {
        slot->chroma->onOff = checked ? 1 : 0;
        send(slot->chroma, slot->addr.data());
    }
    emit SigChromakeyOnOff(checked);
}

void ChromaKeyDlg::OnClicked_QuickSetBtn()
{
    auto* b = qobject_cast<QPushButton*>(sender());
    if (!b)
        return;
    bool ok = false;
    const int k = b->objectName().toInt(&ok);
    if (!ok || k < 0 || k >= kQuickSets)
        return;
    MData* d = MiddleHandler::GetInstance()->GetCurrentMData();
    const auto slot = LayerPanelRules::SlotOf(*d, layer_);
    if (!slot)
        return;
    LayerPanelRules::ApplyQuickSet(*slot->chroma, k);
    send(slot->chroma, slot->addr.data());
    refreshPanel();
}

void ChromaKeyDlg::On_SigUIRefreshLayerChromaKey(int idx)
{
    if (idx == layer_)
        refreshPanel();
}

void ChromaKeyDlg::resizeEvent(QResizeEvent* event)
{
    titleBar_->resize(width(), TitleBar::kHeight);
    event->ignore();
}

void ChromaKeyDlg::closeEvent(QCloseEvent*)
{
    emit DlgClose();
}

void ChromaKeyDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
