// Fades of several mosaic layers with one command: four groups, each with
// the layers 1 to 4 to tick and "Fade In" / "Fade Out".
#pragma once

#include <QWidget>

class QGroupBox;
class QPushButton;
class TitleBar;

class KSV_LayerGroupDlg : public QWidget {
    Q_OBJECT

public:
    static constexpr int kGroups = 4;
    static constexpr int kLayers = 4;

    explicit KSV_LayerGroupDlg(QWidget* parent);

    QPushButton* layerButton(int group, int layer) const
    {
        return layerButtons_[group * 4 + layer];
    }
    QPushButton* fadeButton(int group, bool fadeIn) const
    {
        return fadeButtons_[group * 2 + (fadeIn ? 0 : 1)];
    }

signals:
    void DlgClose();

public slots:
    void OnClickedLayerBtn();
    void OnClickedLayerFadeBtn();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void initWidgets();

    TitleBar* titleBar_ = nullptr;
    QPushButton* layerButtons_[kGroups * kLayers] = {};
    QPushButton* fadeButtons_[kGroups * 2] = {};
    QGroupBox* groups_[kGroups] = {};
};
