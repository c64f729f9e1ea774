// The preset page: recalls ("load"), stores ("save") and clears the twenty
// presets of the current working mode, names them, and in switcher mode
// picks the preset source. Keys 13..32 of the control keyboard recall
// presets 0..19 through this page, which also drives their lamps.
//
// The page keeps no copy of the preset tables: it reads and writes the
// record of the selected device (MiddleHandler::GetCurrentMData), whose
// working mode picks the row. A working mode outside the tables' rows leaves
// the tables, the buttons and the lamps as they are.
#pragma once

#include "MData.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RedrawCoalescer;

class PresetDlg : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPresetCount = MDataLimits::kPresets;
    static constexpr int kFirstPresetKey = 13;

    explicit PresetDlg(QWidget* parent);

    // Keys 13..32 of the control keyboard: clicks load button key - 13 (which
    // recalls the preset only when it is stored, as a mouse click would),
    // checks it even when disabled and redraws the preset lamps. Other keys
    // do nothing.
    void ClickPresetByKey(int key);

    // The widgets of preset i, for the main window's tests and this page's.
    QPushButton* loadButton(int i) const { return loadButtons_.at(i); }
    QPushButton* saveButton(int i) const { return saveButtons_.at(i); }
    QLineEdit* nameEdit(int i) const { return nameEdits_.at(i); }

public slots:
    void On_sigSysWorkModeChange(SystemWorkingMode Mode);
    void On_SigUiRefreshPresetValid();

private slots:
    void On_SigUIRefreshAllCfg();
    void OnClickedLoadPresetBtn();
    void OnClickedSavePresetBtn();
    void on_pushButton_3_clicked();
    void on_pushButton_4_clicked();
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_lineEdit_editingFinished();

private:
    void buildForm();
    void InitPresetButtons();
    void HideSourceButtons(bool hide);
    void UpdateKeyLamps();
    void retranslate();
    // Asks title "Tips" with Ok and Cancel; the clicked button, or 0 when
    // the box was closed by its title row.
    int ask(const QString& text);

    QGroupBox* groupBox = nullptr;
    QGroupBox* groupBox_2 = nullptr;
    QPushButton* pushButton = nullptr;
    QPushButton* pushButton_2 = nullptr;
    QLabel* label = nullptr;
    QPushButton* pushButton_3 = nullptr;
    QPushButton* pushButton_4 = nullptr;
    QButtonGroup* buttonGroup = nullptr;
    QButtonGroup* buttonGroup_2 = nullptr;

    std::array<QPushButton*, kPresetCount> loadButtons_{};
    std::array<QPushButton*, kPresetCount> saveButtons_{};
    std::array<QLineEdit*, kPresetCount> nameEdits_{};
    RedrawCoalescer* redraw_ = nullptr;
};
