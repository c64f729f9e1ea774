// The layer panel of the output and layer page: one layer of the selected
// device's current working mode (on/off, source, logo, position and size,
// alpha, rotation, fades) with its zoom, chroma key and group sub-panels, and
// the take controls beside it (duration, Take, Freeze, Auto Backup).
//
// Every edit is written into the selected device's record first and then
// sent as a layer command; edits that change where a layer lies or what it
// shows pass the placement rules (LayerPlacementRules.h) before they are
// stored. The panel redraws from the record when the device reports.
#pragma once

#include "MData.h"

#include <QRect>
#include <QString>
#include <QWidget>

namespace LayerPlacement {
struct RuleMessage;
}
class ChromaKeyDlg;
class KSV_LayerGroupDlg;
class LayerZoomDlg;
class NeoSliderComb;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TakeControl;

class LayerSettingDlg : public QWidget {
    Q_OBJECT

public:
    explicit LayerSettingDlg(QWidget* parent);
    ~LayerSettingDlg() override;

    // The control keyboard's quick take (through the page): the duration
    // CUT, a take where the Take button is enabled, then the working mode's
    // duration again 200 ms later.
    void QuickTake();
    // Called by the page: a tile was switched on or off (idx 6, 7), or an
    // input's port came or went.
    void SetInputEnable(int idx, bool bEnable);
    // The active port of input changed: relabel its entries.
    void UpdateInputEntry(int input, int port);

    // The placement rules on the selected device's record.
    bool IsRotationAvailable(int layer) const;
    bool ExceedsWindowResource(int layer, const QRect& rect) const;
    bool IsLayerSourceAllowed(int layer) const;
    QRect OutputBoundingRect() const;

    void StartTakeProgress();
    void StopTakeProgress();

    int currentLayer() const { return layer_; }
    TakeControl* takeControl() const { return take_; }
    LayerZoomDlg* zoomPanel() const { return zoom_; }
    ChromaKeyDlg* chromaKeyPanel() const { return chroma_; }
    KSV_LayerGroupDlg* layerGroupPanel() const { return group_; }
    NeoSliderComb* alphaSlider() const { return alpha_; }
    NeoSliderComb* durationSlider() const { return duration_; }
    // The texts of the last message box shown (for the panel's tests).
    QString lastMessage() const { return lastMessage_; }

signals:
    void sigLayerPosChange(void* data, int idx);
    void sigLayerOnoff(void* data, int idx);
    void sigLayerLogoOnOff(void* data, int idx);
    void sigChangeInputSrcEvent(int idx, int id, int AreadId, bool bLR, QString TypeStr,
                                bool SendCmd = false);
    void sigChangeInputSrc(int Gid, int AreaId);
    void sigLayerRotationSet(int idx, RoationType Rtype);

public slots:
    // Placement-guarded edits.
    void On_SigMouseMoveLayerCell(QRect realRc);
    void On_SigLayerInputSrcChange(int idx, int Gid, int AreadId);
    void On_SigLayerCellOnOff(int idx, bool IsOnOff);
    void On_SigOuputLayout();
    void on_LayerOnOffBtn_clicked(bool checked);
    void on_pushButton_9_clicked();
    void on_LOGOOnOffBtn_clicked(bool checked);

    // Take controls.
    void On_SigUIRefreshFreeze();
    void On_SigUIRefreshTakeData();
    void On_SigUIRefreshTakeStatus(int TStatus);
    void on_TakeBtn_clicked();
    void on_Freeze_Btn_clicked();
    void updateProgressDialog();
    void on_AutoBackupBtn_clicked(bool checked);

    void SetSliderValueChange(float Value);
    void On_ZoomSetDlgCLose();
    void On_ChromaKeyDlgClose();
    void On_LayerGroupDlgCLose();
    void On_SigChromakeyOnOff(bool bonOff);
    void On_SigUIRefreshAllCfg();
    void On_SigUIRefreshLayerData(int idx);
    void On_SigClickLayerCell(int idx);
    void On_SigUIRefreshInputCfg();
    void SetComboxIndexChange(int Id);
    void On_SigUIRefreshInputSignal(int GId, int PId);
    void on_ZoomSetBtn_clicked();
    void on_lineEdit_editingFinished();
    void on_lineEdit_2_editingFinished();
    void on_lineEdit_3_editingFinished();
    void on_lineEdit_4_editingFinished();
    void on_ColorKeyerBtn_clicked();
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();
    void on_pushButton_4_clicked();
    void on_pushButton_5_clicked();
    void on_pushButton_6_clicked();
    void on_pushButton_7_clicked();
    void on_pushButton_8_clicked();
    void on_FadeInBtn_clicked();
    void on_FadeOutBtn_clicked();
    void on_LayerGroupBtn_clicked();

protected:
    void changeEvent(QEvent* event) override;

private:
    void InitWidgets();
    void retranslate();
    void RefreshLayerPanel();
    void HideLayerControls(bool hide);
    void CheckRotationButton(RoationType type);
    void SetSizeEditEnable(bool enable);
    void SetFadeEnable(bool enable);
    void UpdateBackupEditEnable(int layer);

    // Helpers shared by the edits.
    void sendLayer(int sub, int layer);
    void rotationClicked(int button);
    void rectEdited(int field);
    void fade(bool in);
    void resourceRefusal(int layer);
    void showMessage(const LayerPlacement::RuleMessage& message);
    // The current layer's record in the working mode's set; null when the
    // index lies outside it.
    LayerRecord* current();
    // Starts again at layer 0 when the working mode changed.
    void syncWorkMode();
    int findEntry(int key) const;
    void selectEntry(int key);
    void handBackSource(int idx, int gid, int half, bool sendCmd);

    // Widgets, by the form's object names.
    QGroupBox* layerGroup_ = nullptr;  // groupBox
    QGroupBox* propsGroup_ = nullptr;  // groupBox_2
    QGroupBox* rotationGroup_ = nullptr;  // groupBox_3
    QGroupBox* freezeGroup_ = nullptr;  // FreezeGBox
    QGroupBox* autoBackGroup_ = nullptr;  // AutoBackGBox
    QLabel* labels_[8] =
        {};  // label_5, label_3, label_2, label_4, label, label_6, Freeze_Label, AutoBack_label
    QLineEdit* edits_[4] = {};  // Hpos, Vpos, Hact, Vact
    QPushButton* layerOnOff_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* logoOnOff_ = nullptr;
    QComboBox* combo_ = nullptr;
    QPushButton* colorKeyer_ = nullptr;
    QPushButton* rotation_[8] = {};
    QPushButton* zoomBtn_ = nullptr;
    QPushButton* takeBtn_ = nullptr;
    QPushButton* freezeBtn_ = nullptr;
    QPushButton* fadeIn_ = nullptr;
    QPushButton* fadeOut_ = nullptr;
    QButtonGroup* fadeGroup_ = nullptr;  // buttonGroup_2
    QPushButton* autoBackupBtn_ = nullptr;
    QPushButton* layerGroupBtn_ = nullptr;

    LayerZoomDlg* zoom_ = nullptr;
    ChromaKeyDlg* chroma_ = nullptr;
    KSV_LayerGroupDlg* group_ = nullptr;
    NeoSliderComb* alpha_ = nullptr;  // object name "0"
    NeoSliderComb* duration_ = nullptr;  // object name "1"
    TakeControl* take_ = nullptr;

    int layer_ = 0;
    int lastWorkMode_ = -1;
    bool suppress_ = false;
    QString lastMessage_;
};
