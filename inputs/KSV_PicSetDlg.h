// The picture page: the processor's brightness level, the picture of each
// layer of the current working mode (one tab per layer) and the colour
// management panel. The page keeps no settings: every change is written into
// the current record and sent, and the page redraws only from the record,
// once per event-loop turn after the device's reports, and when the main
// window calls UiRefreshAll after a project load.
#pragma once

#include "LayerPicSetTabDlg.h"
#include "MData.h"
#include "PageHelper.h"

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class ColorManagementDlg;
class NeoSliderComb;
class QPushButton;
class QTabWidget;
class RedrawCoalescer;

constexpr int kPictureTabs = 4;

// The three address bytes of the picture command of tab t, {mode, layer,
// third}: {0, t, LAYERBMAIN} in mosaic, {2, t, 1} in switcher (group 1),
// {4, t, LAYERBMAIN} in backup; nullopt when the mode has no layer t.
std::optional<std::array<uint8_t, 3>> PictureAddressOf(const MData& data, int tab);
// Writes the byte of entry that slider k stands for (the value truncated);
// false, and nothing written, for an index that is no slider.
bool SetPictureValue(LayerPictureCfg& entry, int slider, float value);
// The title of tab t after a layer report: "layer-N" in mosaic and switcher
// and for backup tabs past the two layers; "Main Layer", "Backup Layer" or
// an empty title by LAYERBMAIN for the two backup layers; nullopt (leave the
// title) in any other mode or for a tab that does not exist.
std::optional<QString> PictureTabTitle(int workMode, int tab, int bMain);

class KSV_PicSetDlg : public QWidget {
    Q_OBJECT

public:
    // With later, the tabs and what follows them are left there, to be run
    // before the page is used (see Page::BuildSteps).
    explicit KSV_PicSetDlg(QWidget* parent, Page::BuildSteps* later = nullptr);

    void UiRefreshAll();

    // For the tests and the screenshot.
    NeoSliderComb* brightLevelSlider() const { return brightLevel_; }
    LayerPicSetTabDlg* tab(int t) const;
    QTabWidget* tabWidget() const { return tabWidget_; }
    ColorManagementDlg* colorPanel() const { return colorPanel_; }
    QPushButton* resetAllButton() const { return pushButton_; }

public slots:
    void SetSliderValueChange(float Value);
    void TabSliderValueChange(float Value, PicSlider Index);
    void SetComBoxSliderIndexChnage(int Id);
    void ColorTemResetBtn();
    void LayerPicTabResetBtn();
    void On_SigUIRefreshAllCfg();
    void On_SigUIRefreshLayerData(int idx);

private slots:
    void on_pushButton_clicked();

private:
    // The tab that sent the current signal, as its layer number; nullopt
    // when the sender is no tab of this page.
    std::optional<int> senderTab() const;
    // Writes and sends the picture entry of tab t when the working mode has
    // that layer; nothing otherwise.
    void editPicture(int t, const std::function<void(LayerPictureCfg&)>& write);
    void addTab(int t);
    void finishBuild();
    void retranslate();

    QTabWidget* tabWidget_ = nullptr;
    QPushButton* pushButton_ = nullptr;
    ColorManagementDlg* colorPanel_ = nullptr;
    NeoSliderComb* brightLevel_ = nullptr;
    std::array<LayerPicSetTabDlg*, kPictureTabs> tabs_{};
    RedrawCoalescer* redraw_ = nullptr;
};
