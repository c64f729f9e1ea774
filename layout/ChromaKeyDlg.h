// The colour key of one layer: minimum and maximum of red, green and blue,
// an on/off switch and fourteen ready-made settings. Every change is written
// into the selected device's record and sent at once.
#pragma once

#include <QWidget>

class NeoSliderComb;
class QGroupBox;
class QPushButton;
class TitleBar;

class ChromaKeyDlg : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSliders = 6;
    static constexpr int kQuickSets = 14;

    explicit ChromaKeyDlg(QWidget* parent);

    void setLayerIndex(int layer);
    int layerIndex() const { return layer_; }
    void refreshPanel();
    NeoSliderComb* slider(int i) const { return sliders_[i]; }
    QPushButton* quickSetButton(int k) const { return quickButtons_[k]; }

signals:
    void DlgClose();
    void SigChromakeyOnOff(bool bOnOff);

public slots:
    void SetSliderValueChange(float Value);
    void OnClicked_QuickSetBtn();
    void On_SigUIRefreshLayerChromaKey(int idx);

private slots:
    void on_pushButton_clicked(bool checked);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void initQuickSetTable();
    void retranslate();
    void send(const struct ChromaKeyCfg* key, const uint8_t* addr);

    TitleBar* titleBar_ = nullptr;
    QGroupBox* group_ = nullptr;
    QGroupBox* quickGroup_ = nullptr;
    QPushButton* onOff_ = nullptr;
    NeoSliderComb* sliders_[kSliders] = {};
    QPushButton* quickButtons_[kQuickSets] = {};
    QString quickNames_[kQuickSets];
    int layer_ = 0;
};
