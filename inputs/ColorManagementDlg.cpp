#include "ColorManagementDlg.h"

#include "LayerPicSetTabDlg.h"
#include "MiddleHandler.h"
#include "NeoSliderComb.h"
#include "SendCommand.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const int kGammaModes[ColorScene::kButtons] = {8, 0, 1, 2, 3};

const char* const kSceneTexts[ColorScene::kButtons] = {
    QT_TRANSLATE_NOOP("ColorManagementDlg", "Disable"),
    QT_TRANSLATE_NOOP("ColorManagementDlg", "Low Gray"),
    QT_TRANSLATE_NOOP("ColorManagementDlg", "Suppress Red"),
    QT_TRANSLATE_NOOP("ColorManagementDlg", "Enhance Blue"),
    QT_TRANSLATE_NOOP("ColorManagementDlg", "Vivid")};

}  // namespace

int ColorScene::GammaModeOfButton(int button)
{
    return button >= 0 && button < kButtons ? kGammaModes[button] : -1;
}

int ColorScene::ButtonOfGammaMode(int gammaMode)
{
    switch (gammaMode) {
    case 7:  // the device's own word for no scene
    case 8:
        return kDisable;
    case 0:
    case 1:
    case 2:
    case 3:
        return gammaMode + 1;
    default:
        return -1;
    }
}

uint8_t ColorScene::GammaValueOf(float value)
{
    const long position = std::lround(static_cast<double>(value) * 10.0);
    return static_cast<uint8_t>(std::clamp<long>(position, 0, kGammaMax));
}

int ColorScene::GammaSliderPosition(int gammaValue)
{
    return std::clamp(gammaValue, 0, kGammaMax);
}

ColorManagementDlg::ColorManagementDlg(QWidget* parent) : QWidget(parent)
{
    groupBox_ = PictureLook::SetUpPanel(this, QStringLiteral("ColorManagementDlg"));
    const QFont font = PictureLook::Font();

    gammaSlider_ = new NeoSliderComb(groupBox_);
    gammaSlider_->setObjectName(QStringLiteral("gammaSlider"));
    gammaSlider_->setAllFont(font);
    PictureLook::WhiteLabel(gammaSlider_);
    gammaSlider_->setLabelFixedSize(100, 28);
    gammaSlider_->setRange(0, ColorScene::kGammaMax);
    gammaSlider_->divisor = 10.0f;
    gammaSlider_->setSpecialText(QStringLiteral("OFF"), false);
    gammaSlider_->setValue(ColorScene::kGammaMax, false);
    connect(gammaSlider_, SIGNAL(SliderValueChange(float)), this,
            SLOT(SetSliderValueChange(float)));

    auto* row = new QHBoxLayout;
    for (int s = 0; s < ColorScene::kButtons; ++s) {
        auto* b = new QPushButton(groupBox_);
        b->setObjectName(QString::number(s));
        b->setCheckable(true);
        b->setAutoExclusive(true);
        b->setFixedHeight(36);
        b->setFont(font);
        b->setStyleSheet(PictureLook::ButtonStyle());
        connect(b, SIGNAL(clicked()), this, SLOT(OnClickedColorScenesBtn()));
        row->addWidget(b);
        buttons_[s] = b;
    }
    auto* inner = new QVBoxLayout(groupBox_);
    inner->addLayout(row);
    inner->addWidget(gammaSlider_);
    inner->addStretch();
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(groupBox_);
    retranslate();
}

QPushButton* ColorManagementDlg::sceneButton(int s) const
{
    return s >= 0 && s < ColorScene::kButtons ? buttons_[s] : nullptr;
}

void ColorManagementDlg::OnClickedColorScenesBtn()
{
    auto* b = qobject_cast<QPushButton*>(sender());
    if (!b)
        return;
    const std::optional<int> s = IndexFromName(b->objectName());
    const int mode = s ? ColorScene::GammaModeOfButton(*s) : -1;
    if (mode < 0)
        return;
    gammaSlider_->setSliderEnabled(*s == ColorScene::kDisable);
    MData* record = MiddleHandler::GetInstance()->GetCurrentMData();
    record->M_AllCfg.gammaMode = mode;
    SendCommand(&record->M_AllCfg, SEND_ALLCFGCMD, nullptr, QString());
}

void ColorManagementDlg::SetSliderValueChange(float Value)
{
    MData* record = MiddleHandler::GetInstance()->GetCurrentMData();
    record->M_AllCfg.gammaValue = ColorScene::GammaValueOf(Value);
    SendCommand(&record->M_AllCfg, SEND_ALLCFGCMD, nullptr, QString());
}

void ColorManagementDlg::On_SigUIRefreshAllCfg()
{
    const AllCfg& cfg = MiddleHandler::GetInstance()->GetCurrentMData()->M_AllCfg;
    const int s = ColorScene::ButtonOfGammaMode(cfg.gammaMode);
    if (s >= 0) {
        // setChecked raises no clicked(): a redraw sends nothing.
        buttons_[s]->setChecked(true);
        gammaSlider_->setSliderEnabled(s == ColorScene::kDisable);
    }
    gammaSlider_->setValue(ColorScene::GammaSliderPosition(cfg.gammaValue), false);
}

void ColorManagementDlg::retranslate()
{
    setWindowTitle(tr("Form"));
    groupBox_->setTitle(tr("Color Management"));
    gammaSlider_->setLabelText(tr("Gamma"));
    for (int s = 0; s < ColorScene::kButtons; ++s)
        buttons_[s]->setText(tr(kSceneTexts[s]));
}

void ColorManagementDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
