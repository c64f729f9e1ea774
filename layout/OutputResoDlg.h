// The output resolution sub-panel of the output settings panel: one of the
// preset resolutions of the output mode (DVI or HDMI button set) or a custom
// timing, checked against the pixel-clock range of the mode when an edit is
// finished. Picking a preset or pressing "Set" writes the selected device's
// output timing record and sends it; the device's reply redraws the panel.
#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class TitleBar;

struct ResolutionEntry {
    int index = 0;  // the value stored in resoId
    QString label;  // the button text
};

class OutputResoDlg : public QWidget {
    Q_OBJECT

public:
    static constexpr int kButtonCount = 18;
    static constexpr int kTableSize = 28;
    static constexpr int kCustomResoId = 27;

    explicit OutputResoDlg(QWidget* parent);
    ~OutputResoDlg() override;

    // Chooses the button set: 0 DVI, any other HDMI. reset checks the set's default
    // resolution (when the operator switches the output mode).
    void SetMode(int mode, bool reset);
    // Shows the selected device's output timing record.
    void Refresh();

    int Mode() const { return mode; }
    // Resolution button n (0..17), or null.
    QPushButton* resoButton(int n) const;

signals:
    void DlgClose();

public slots:
    void OnClickedResoBtn();
    void On_SigUIRefreshOutputReso();

private slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked(bool checked);
    void on_lineEdit_editingFinished();
    void on_lineEdit_2_editingFinished();
    void on_lineEdit_7_editingFinished();
    void on_lineEdit_8_editingFinished();
    void on_lineEdit_9_editingFinished();
    void on_lineEdit_10_editingFinished();
    void on_lineEdit_11_editingFinished();
    void on_lineEdit_12_editingFinished();
    void on_lineEdit_13_editingFinished();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    // The number of the custom button of the current set.
    int customButton() const;
    // Shows a set's buttons and labels; checks that button alone (none for a
    // number outside the set, nothing changed for -1).
    void showDviSet(int checkedButton);
    void showHdmiSet(int checkedButton);
    void checkOnly(int button);
    void showCustomGroupIfChecked(int custom);
    // Corrects the custom timing after that edit (an OutputTimingRules::Field)
    // was finished.
    void editFinished(int field);

    struct Form;
    Form* ui = nullptr;
    QPushButton* resoButtons[kButtonCount] = {};
    ResolutionEntry resoTable[kTableSize];
    TitleBar* titleBar_ = nullptr;
    int mode = 0;
};
