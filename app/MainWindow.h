// The one main window: frameless, 1366 x 768, with the shared title bar, a
// column of seven page buttons beside a stack of six pages, and the output
// preview window of its own. It also switches the language, applies the
// style sheet, loads the start-up project and asks before the program ends,
// and it runs the USB control keyboard: hot-plug, key reports, combinations.
#pragma once

#include "LanguageType.h"
#include "PageHelper.h"

#include <QByteArray>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <memory>
#include <vector>

class DestinationDlg;
class InputSrcSetDlg;
class KSV_OpSetDlg;
class KSV_PicSetDlg;
class KSV_ShowVideoDlg;
class MiscDlg;
class PresetDlg;
class QPushButton;
class QTimer;
class TitleBar;
class UsbHotplug;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

public slots:
    void On_SigUIRefreshAllCfg();
    void On_SigUIRefreshOutputReso();
    void On_StatusOnLine();
    void On_sigLanguageChange(LANGUAGE_TYPE LanguageType);
    void On_sigVideoShow();
    void On_sigMachineOnOffLine(bool bOnLine);
    void On_sigInquireMachineData();
    void On_sigConnectEthBoard(QString EthIp);
    void UiRefreshAll();

private slots:
    void On_SigUIRefreshSyncLock(int Status);
    void on_PicSet_Btn_clicked();
    void on_Output_Btn_clicked();
    void on_pushButton_3_clicked();
    void on_pushButton_4_clicked();
    void on_pushButton_5_clicked();
    void on_pushButton_6_clicked();
    void on_pushButton_8_clicked();
    void On_SigUsbNormalToPc(QByteArray Qdata);
    // Device notifications: a device path text holding "VID_xxxx" and
    // "PID_xxxx", from Windows or from the Linux hot-plug layer.
    void On_sigDeviceArrival(QString DevicePath);
    void On_sigDeviceRemoveComplete(QString DevicePath);

protected:
    // The body of the window does not drag it: only the title bar does.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, long* result) override;
#endif

private:
    void initWindow();
    void createTitleBar();
    void createPages();
    // The picture, input, preset and system pages are built after the first
    // frame or when first wanted, whichever comes first: the first frame waits
    // only for the page it shows. Until then their places in the stack hold
    // empty stand-ins. After the first frame each turn of the event loop
    // takes one step of theirs (a page's building, the polish of one of its
    // parts, its placing in the stack), so that no turn holds the window up
    // for long; a page wanted earlier takes its remaining steps at once.
    KSV_PicSetDlg* picSetPage();
    InputSrcSetDlg* inputPage();
    PresetDlg* presetPage();
    MiscDlg* miscPage();
    enum LaterPage { kLaterPicture, kLaterInput, kLaterPresets, kLaterSystem, kLaterPages };
    struct Later {
        QWidget* page = nullptr;  // being built, or built
        bool built = false;  // and following the device itself
        Page::BuildSteps steps;  // the rest of its building
        QWidget* standIn = nullptr;  // in the stack until the page takes its place
        // What follows the device for the page until it is built.
        std::vector<QMetaObject::Connection> follows;
        // The page's parts still to be polished, the next one last.
        std::vector<QPointer<QWidget>> unpolished;
    };
    // The page, built and in the stack.
    QWidget* laterPage(LaterPage which);
    void startLaterPage(LaterPage which);
    void finishLaterPage(LaterPage which);
    void spreadPolish(Later& later);
    void followUnbuiltPages();
    void buildNextPage();
    // The search and the pages' building, once the first frame is shown.
    void afterFirstFrame();
    void putInStack(Later& later);
    // The output preview, built when first wanted: the program's first frame
    // does not wait for it.
    KSV_ShowVideoDlg* preview();
    void loadStyleSheet();
    void loadStartupProject();
    void showPage(QWidget* page, int caption);

    // The control keyboard.
    void registerDeviceNotify();
    // True when the ids are the keyboard's and it was opened (or closed).
    bool openUsbKeyboard(int vendorId, int productId, bool remove);
    // 0 lock toggle, 2 freeze toggle, 5 take; other kinds do nothing.
    void HandlerKeyCombination(int kind);
    void dispatchKey(int key);

    Ui::MainWindow* ui;
    TitleBar* titleBar_ = nullptr;
    KSV_PicSetDlg* picSetDlg_ = nullptr;
    KSV_OpSetDlg* opSetDlg_ = nullptr;
    InputSrcSetDlg* inputSrcSetDlg_ = nullptr;
    PresetDlg* presetDlg_ = nullptr;
    DestinationDlg* destinationDlg_ = nullptr;
    MiscDlg* miscDlg_ = nullptr;
    KSV_ShowVideoDlg* showVideoDlg_ = nullptr;
    std::array<Later, kLaterPages> later_;
    bool firstFrameSeen_ = false;
    bool searchDue_ = false;
    bool pagesStarted_ = false;
    // What the device reported to a page not yet built, for it to redraw
    // from the record once it is: whether the picture page owes a redraw;
    // the input page's reports in order, each kept at its last time.
    struct InputReport {
        enum Kind { kSignal, kTile, kRename } kind;
        int input;
        int port;
        QString name;
    };
    void noteInputReport(const InputReport& report);
    bool picSetOwesRedraw_ = false;
    bool inputOwesRedraw_ = false;
    std::vector<InputReport> inputReports_;
    // The working mode whose source buttons the preset page is to show once
    // built: none owed, or the record's.
    static constexpr int kNoMode = -1;
    static constexpr int kRecordMode = -2;
    int presetMode_ = kNoMode;
    std::vector<QPushButton*> pageButtons_;
    QTimer* statusTimer_ = nullptr;
    bool onLine_ = false;

    // Title-bar status: the network icon's tx/rx phase and the on-line state
    // its last tick saw; the sync-lock icon's first report and last state.
    bool netPhase_ = false;
    bool lastOnLine_ = false;
    bool firstSyncLock_ = true;
    bool lastSyncLock_ = false;

    // Every second keyboard arrival since start or the last removal reads the
    // selected device back (one plug-in arrives twice).
    bool arrivalToggle_ = true;
#ifndef Q_OS_WIN
    std::unique_ptr<UsbHotplug> usbHotplug_;
#endif
};

// The project path named by the settings file "Config_ksv4.xml" in the
// application directory, or an empty text.
QString projectPathFromConfig();
