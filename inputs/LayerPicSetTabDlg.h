// One tab of the picture page: brightness, contrast, saturation and colour
// temperature of one layer of the current working mode. The tab never writes
// the record nor sends: it reports each operator action by a signal, which the
// page turns into a record write and a command, and redraws from the record.
// Its layer is its object name ("0" to "3"), given by the page.
#pragma once

#include "MData.h"

#include <QFont>
#include <QMetaType>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>

class NeoSliderComb;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The sliders of a tab, in the order they are reported.
enum PicSlider {
    SLIDER_BRIGHTNESS = 0,
    SLIDER_CONTRAST = 1,
    SLIDER_SATURATION = 2,
    SLIDER_RED = 3,
    SLIDER_GREEN = 4,
    SLIDER_BLUE = 5
};
constexpr int kPicSliders = 6;
Q_DECLARE_METATYPE(PicSlider)

// Layers whose picture the page edits in a working mode: 4 in mosaic, 3 in
// switcher (group 1), 2 in backup, none in any other mode.
int PictureLayerCount(int workMode);
// The picture entry of layer `layer` of the record's working mode; null when
// the mode has no such layer (the mode and the layer come from the device, a
// project file or an object name).
LayerPictureCfg* PictureEntryOf(MData& data, int layer);
// A widget's object name as a layer or slider index; nullopt when it is not
// a decimal number.
std::optional<int> IndexFromName(const QString& objectName);

// The look that the picture page, its tabs and its colour panel share.
namespace PictureLook {
QFont Font();  // "Microsoft YaHei" 12 pt, weight 80
// The page images behind the buttons; accent text when checked or hovered,
// grey when disabled, shifted while pressed.
QString ButtonStyle();
// Makes panel a frameless, translucent widget named name (unless it has a
// name already) and gives it its group box: accent frame, centred title,
// white labels inside.
QGroupBox* SetUpPanel(QWidget* panel, const QString& name);
// A slider inside the group box labels itself like the box's own labels.
void WhiteLabel(NeoSliderComb* slider);
}  // namespace PictureLook

struct ColorTempRow {
    int32_t index;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// What the red, green and blue sliders show for each item of the list. The
// fixed rows never reach the device (it gets the record's values); the custom
// row follows the operator's red, green and blue and the record's custom values.
class ColorTempTable {
public:
    static constexpr int kRows = 9;
    static constexpr int kCustom = 8;
    static constexpr int kDefault = 2;  // 6500K

    ColorTempTable();
    // Row i; null outside 0..8 (a colour-temperature mode from the device or
    // a project file may be anything).
    const ColorTempRow* row(int i) const;
    void setCustom(uint8_t red, uint8_t green, uint8_t blue);
    // The custom channel of slider SLIDER_RED..SLIDER_BLUE; false, and
    // nothing changed, for any other slider.
    bool setCustomChannel(int slider, uint8_t value);
    // The list text of a fixed row ("4000K" ...); the custom row's text is
    // translated by the tab, so it is empty here, as for any other index.
    static QString fixedText(int i);

private:
    std::array<ColorTempRow, kRows> rows_;
};

class LayerPicSetTabDlg : public QWidget {
    Q_OBJECT

public:
    explicit LayerPicSetTabDlg(QWidget* parent);

    NeoSliderComb* slider(int k) const;
    const ColorTempTable& colorTempTable() const { return table_; }

signals:
    void FindSliderValueChange(float Value, PicSlider SliderIndex);
    void ColorTempComboxIndexChange(int Id);
    void ClickColorTempResetBtn();
    void ClickResetBtn();

public slots:
    void SetSliderValueChange(float Value);
    void SetComboxIndexChange(int Id);
    void On_SigUIRefreshPictureData(int idx);
    void on_Reset_Btn_clicked();

protected:
    void changeEvent(QEvent* event) override;

private slots:
    void on_pushButton_clicked();

private:
    void applyRow(int i);
    void setColorSlidersEnabled(bool enabled);
    void retranslate();

    QGroupBox* groupBox_ = nullptr;
    QComboBox* comboBox_ = nullptr;
    QLabel* label_ = nullptr;
    QPushButton* pushButton_ = nullptr;
    QPushButton* resetBtn_ = nullptr;
    // Set while the tab itself moves the list, so that the change is
    // neither applied twice nor reported (a redraw never sends).
    bool suppressListChange_ = false;
    std::array<NeoSliderComb*, kPicSliders> sliders_{};
    ColorTempTable table_;
};
