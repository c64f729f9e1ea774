// The EDID panel of the input page: the timing one port of the selected
// input offers its source. Fields are limited as their editing finishes;
// "Accept" stores and sends the five values, "Reset" asks the device for its
// own timing.
#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TitleBar;
struct InputEdidCfg;
namespace EdidRules {
struct Fields;
struct Port;
}  // namespace EdidRules

class EdidDlg : public QWidget {
    Q_OBJECT

public:
    explicit EdidDlg(QWidget* parent);

    // Another input while shown redraws at once (see ImageCrop).
    void setInputIndex(int input);
    void setPortIndex(int port);
    void refreshFor(int input, int port);
    void refresh();

    int inputIndex() const { return input_; }
    int portIndex() const { return port_; }

signals:
    void DlgClose();

private slots:
    void on_lineEdit_editingFinished();
    void on_lineEdit_2_editingFinished();
    void on_lineEdit_3_editingFinished();
    void on_lineEdit_4_editingFinished();
    void on_lineEdit_5_editingFinished();
    void on_pushButton_3_clicked(bool checked);
    void on_pushButton_2_clicked();
    void on_pushButton_clicked();
    void on_pushButton_4_clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void initWidgets();
    void initTitleBar();
    void retranslateUi();
    void showAdvanced(bool show);
    InputEdidCfg* current() const;
    EdidRules::Fields fields() const;
    EdidRules::Port port() const;

    QGroupBox* box_ = nullptr;
    QGroupBox* adv_ = nullptr;
    QLabel* labels_[5] = {};
    QLineEdit* edits_[5] = {};  // lineEdit .. lineEdit_5
    QPushButton* reset_ = nullptr;
    QPushButton* accept_ = nullptr;
    QPushButton* advance_ = nullptr;
    QPushButton* exit_ = nullptr;
    TitleBar* titleBar_ = nullptr;
    int input_ = 0;
    int port_ = 0;
};
