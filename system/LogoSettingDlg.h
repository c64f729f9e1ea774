// The logo sub-page of the system page: saves the picture of a layer as the
// device's logo, loads or deletes the stored logo, and shows the device's
// logo reports, with a progress dialog while the device saves or loads.
// Saving is refused while the chosen mosaic layer is rotated.
#pragma once

#include "MData.h"

#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QProgressDialog;
class QPushButton;
class TitleBar;

class LogoSettingDlg : public QWidget {
    Q_OBJECT

public:
    // Operations of the logo command (its third address byte).
    enum LogoOperation : uint8_t { LOGO_SAVE = 1, LOGO_LOAD = 4, LOGO_DELETE = 7 };

    explicit LogoSettingDlg(QWidget* parent);

    // What the text field shows for a logo report.
    static QString StateText(const LogoInfo& info);

    // Built when first needed: most sessions never save or load a logo.
    QProgressDialog* progressDialog();

signals:
    void DlgClose();

public slots:
    void On_SigUIRefreshLogoData(int idx);
    void On_SigUIRefreshAllCfg();

private slots:
    void on_pushButton_6_clicked();
    void on_pushButton_clicked();
    void on_pushButton_9_clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildForm();
    void retranslate();
    void initWidgets();
    void initTitleBar();
    void send(LogoOperation operation);
    int checkedLayer() const;

    QLineEdit* lineEdit = nullptr;
    QPushButton* pushButton = nullptr;
    QGroupBox* groupBox = nullptr;
    QPushButton* pushButton_2 = nullptr;
    QPushButton* pushButton_3 = nullptr;
    QPushButton* pushButton_4 = nullptr;
    QPushButton* pushButton_5 = nullptr;
    QPushButton* pushButton_6 = nullptr;
    QPushButton* pushButton_7 = nullptr;
    QPushButton* pushButton_8 = nullptr;
    QPushButton* pushButton_9 = nullptr;
    QButtonGroup* buttonGroup = nullptr;
    QButtonGroup* buttonGroup_2 = nullptr;
    TitleBar* titleBar_ = nullptr;
    QProgressDialog* progress_ = nullptr;
};
