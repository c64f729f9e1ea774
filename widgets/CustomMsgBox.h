// The program's one message box: frameless, with its own title row (icon,
// title, close button) and a body with the message and the standard buttons.
// A notice (no Cancel button) shows itself while it is built and is left on
// screen. A confirmation (with Cancel) is shown by the caller's exec(), so that
// it is modal for as long as it is open; exec() gives the clicked button
// (Ok or Cancel), or 0 when the box was closed by its title row.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QString>

class QAbstractButton;
class QLabel;
class QPushButton;
class QVBoxLayout;

class CustomMsgBox : public QDialog {
    Q_OBJECT

public:
    CustomMsgBox(QWidget* parent, const QString& title, const QString& text,
                 QDialogButtonBox::StandardButtons buttons,
                 QDialogButtonBox::StandardButton defaultButton);

public slots:
    void onButtonClicked(QAbstractButton* button);
    void sltOnBtnClose();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void labelButtons();

    QString title_;
    QString text_;
    QWidget* titleRow_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* iconLabel_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QWidget* body_ = nullptr;
    QDialogButtonBox* buttonBox_ = nullptr;
    QLabel* messageLabel_ = nullptr;
    QVBoxLayout* contentLayout_ = nullptr;
    QDialogButtonBox::StandardButtons buttons_;
    bool dragging_ = false;
    int offsetX_ = 0;
    int offsetY_ = 0;
};
