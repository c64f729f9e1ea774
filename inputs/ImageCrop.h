// The crop panel of the input page: the crop window of one port and half of
// the selected input, as six numbers and as a rectangle on a canvas, with
// crop on/off, "Match To Input" and "Reset". Every change is stored in the
// selected device's record and sent at once; a canvas drag only at release.
#pragma once

#include <QRect>
#include <QWidget>

class QLineEdit;
class QPushButton;
class QGroupBox;
class QLabel;
class ResizeShowComponent;
class TitleBar;
struct InputCropCfg;

class ImageCrop : public QWidget {
    Q_OBJECT

public:
    explicit ImageCrop(QWidget* parent);

    // Pointing the panel at another entry while it is shown redraws it from
    // that entry at once, so that the next edit never writes the shown values
    // into another input's window.
    void setInputIndex(int input);
    void setHalfIndex(int half);
    void setPortIndex(int port);
    void refreshFor(int input, int port);
    void refresh(bool withCanvas);

    int inputIndex() const { return input_; }
    int portIndex() const { return port_; }
    int halfIndex() const { return half_; }
    int entry() const { return half_ * 3 + port_; }
    ResizeShowComponent* canvas() const { return canvas_; }

signals:
    void DlgClose();

private slots:
    void on_lineEdit_editingFinished();
    void on_lineEdit_2_editingFinished();
    void on_lineEdit_3_editingFinished();
    void on_lineEdit_4_editingFinished();
    void on_lineEdit_5_editingFinished();
    void on_lineEdit_6_editingFinished();
    void on_CropOnoffBtn_clicked(bool checked);
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();
    void On_SigRealSize(QRect RealRc, bool bSendCMD);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void initWidgets();
    void initTitleBar();
    void retranslateUi();
    void updateCanvas();
    // The entry the panel edits, or null when there is none (indices outside
    // the record's tables).
    InputCropCfg* current() const;
    void send();
    void editFinished(QLineEdit* edit, bool vertical, int which);

    QGroupBox* groupBox_ = nullptr;
    QLabel* labels_[6] = {};
    QLineEdit* edits_[6] = {};  // lineEdit .. lineEdit_6
    QPushButton* onOff_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* match_ = nullptr;
    QPushButton* exit_ = nullptr;
    ResizeShowComponent* canvas_ = nullptr;
    TitleBar* titleBar_ = nullptr;
    int input_ = 0;
    int port_ = 0;
    int half_ = 0;
};
