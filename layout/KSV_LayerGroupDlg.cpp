#include "KSV_LayerGroupDlg.h"

#include "LayerPanelRules.h"
#include "Look.h"
#include "MiddleHandler.h"
#include "PageHelper.h"
#include "SendCommand.h"
#include "TitleBar.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QResizeEvent>

KSV_LayerGroupDlg::KSV_LayerGroupDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KSV_LayerGroupDlg"));
    resize(804, 282);
    setWindowTitle(tr("Form"));
    QMetaObject::connectSlotsByName(this);
    initWidgets();
}

void KSV_LayerGroupDlg::initWidgets()
{
    const QFont font = Look::Font(12);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(9, 26, 9, 9);
    for (int g = 0; g < kGroups; ++g) {
        auto* box = new QGroupBox(tr("Group") + QString::number(g + 1), this);
        box->setFont(font);
        auto* row = new QHBoxLayout(box);
        auto makeButton = [&](const QString& text, int name) {
            auto* b = new QPushButton(text, box);
            b->setObjectName(QString::number(name));
            b->setFont(font);
            b->setCheckable(true);
            b->setFixedHeight(32);
            row->addWidget(b);
            return b;
        };
        for (int j = 0; j < kLayers; ++j) {
            QPushButton* b = makeButton(QString::number(j + 1), 4 * g + j);
            connect(b, SIGNAL(clicked()), this, SLOT(OnClickedLayerBtn()));
            layerButtons_[4 * g + j] = b;
        }
        for (int m = 0; m < 2; ++m) {
            QPushButton* b = makeButton(m == 0 ? tr("Fade In") : tr("Fade Out"), 4 * g + m);
            b->setAutoExclusive(true);
            connect(b, SIGNAL(clicked()), this, SLOT(OnClickedLayerFadeBtn()));
            fadeButtons_[2 * g + m] = b;
        }
        grid->addWidget(box, g / 2, g % 2);
        groups_[g] = box;
    }
    titleBar_ = Page::AddSubPageTitleBar(this);
}

void KSV_LayerGroupDlg::OnClickedLayerBtn()
{
    // A layer button's tick is its only effect.
    if (auto* b = qobject_cast<QPushButton*>(sender()))
        (void)b->objectName().toInt();
}

void KSV_LayerGroupDlg::OnClickedLayerFadeBtn()
{
    MData* d = MiddleHandler::GetInstance()->GetCurrentMData();
    auto* b = qobject_cast<QPushButton*>(sender());
    if (!b)
        return;
    bool ok = false;
    const int a = b->objectName().toInt(&ok);
    if (!ok || a < 0 || a >= kGroups * kLayers)
        return;
    if (d->M_AllCfg.workMode != MOSAIC_MODE)
        return;
    const int g = a / 4;
    const bool fadeIn = a % 4 == 0;
    bool ticked[kLayers] = {};
    for (int j = 0; j < kLayers; ++j)
        ticked[j] = layerButtons_[4 * g + j]->isChecked();
    const QByteArray buffer =
        LayerPanelRules::FadeBuffer(ticked, fadeIn, d->M_MosaicLayerCfg.durationTime);
    // A group without a ticked layer has nothing to fade: the frame would
    // carry no sub-command the device knows.
    if (buffer.isEmpty())
        return;
    for (int j = 0; j < kLayers; ++j)
        if (ticked[j])
            d->M_MosaicLayerCfg.layer[j].alpha = fadeIn ? 0x40 : 0;
    const int32_t n = int32_t(buffer.size());
    SendCommand(&n, SEND_LAYERCMD, reinterpret_cast<const uint8_t*>(buffer.constData()), QString());
}

void KSV_LayerGroupDlg::resizeEvent(QResizeEvent* event)
{
    if (titleBar_)
        titleBar_->resize(width(), TitleBar::kHeight);
    event->ignore();
}

void KSV_LayerGroupDlg::closeEvent(QCloseEvent*)
{
    emit DlgClose();
}

void KSV_LayerGroupDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        setWindowTitle(tr("Form"));
    QWidget::changeEvent(event);
}
