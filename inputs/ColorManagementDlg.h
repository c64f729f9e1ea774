// The colour management panel of the picture page: the processor's colour
// scene (five exclusive buttons) and its gamma, which works only while the
// scene "Disable" is chosen. Each change goes into the record's M_AllCfg and
// is sent at once; the panel redraws from the record when the page asks it.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

class NeoSliderComb;
class QGroupBox;
class QPushButton;

namespace ColorScene {
constexpr int kButtons = 5;
constexpr int kDisable = 0;  // the button whose scene leaves gamma to the slider
constexpr int kGammaMax = 50;  // gamma 5.0, in tenths

// GAMMAMODE written by scene button b: 8, 0, 1, 2, 3; -1 for no button.
int GammaModeOfButton(int button);
// The button that shows a GAMMAMODE (7 and 8 both "Disable"); -1 for a mode
// the panel does not know, which changes no button.
int ButtonOfGammaMode(int gammaMode);
// GAMMAVALUE for a gamma the slider reports (position / 10): the nearest
// position, within 0..50.
uint8_t GammaValueOf(float value);
// The slider position that shows a GAMMAVALUE; above 50 shows 50.
int GammaSliderPosition(int gammaValue);
}  // namespace ColorScene

class ColorManagementDlg : public QWidget {
    Q_OBJECT

public:
    explicit ColorManagementDlg(QWidget* parent);

    NeoSliderComb* gammaSlider() const { return gammaSlider_; }
    QPushButton* sceneButton(int s) const;

public slots:
    void SetSliderValueChange(float Value);
    void On_SigUIRefreshAllCfg();

protected slots:
    void OnClickedColorScenesBtn();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QGroupBox* groupBox_ = nullptr;
    NeoSliderComb* gammaSlider_ = nullptr;
    std::array<QPushButton*, ColorScene::kButtons> buttons_{};
};
