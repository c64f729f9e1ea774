// The HDMI range panel of the input page: Auto, Limited or Full for an HDMI
// input. Choosing only checks the button; nothing is stored or sent.
#pragma once

#include <QWidget>

class QPushButton;
class TitleBar;

class HDMIRGBColorDlg : public QWidget {
    Q_OBJECT

public:
    explicit HDMIRGBColorDlg(QWidget* parent);

    void setInputIndex(int input) { input_ = input; }
    int inputIndex() const { return input_; }

signals:
    void DlgClose();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void initWidgets();
    void initTitleBar();

    QPushButton* buttons_[3] = {};
    TitleBar* titleBar_ = nullptr;
    int input_ = 0;
};
