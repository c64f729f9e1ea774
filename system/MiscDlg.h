// The system page, in its first form: the language buttons, the "Eth Output"
// button, the signals that the main window connects, and the project load and
// save that the main window calls at start-up and exit. The project file holds
// the record's system settings for now; the other records join it later.
#pragma once

#include "LanguageType.h"
#include "MData.h"

#include <QString>
#include <QWidget>

class ProgressHelper;
class QPushButton;

class MiscDlg : public QWidget {
    Q_OBJECT

public:
    explicit MiscDlg(QWidget* parent);

    void UiRefreshAll();
    void EnableEthOutput(QString ethIp);
    // Tells the selected device the PC's search address and reads its whole
    // configuration back, with the progress until the device ends the reply.
    void InquireMachineData();
    // Reads the project file into the record that the pages show; sends nothing.
    void LoadProject(QString path);
    // Writes that record as a project file; a path that cannot be opened
    // (an empty one among them) gets nothing.
    void SaveProject(QString path);

signals:
    void sigUIRefreshAll();
    void sigSysWorkModeChange(SystemWorkingMode mode);
    void sigLanguageChange(LANGUAGE_TYPE LanguageType);
    void sigVideoShow();

private:
    QPushButton* ethOutputButton_ = nullptr;
    ProgressHelper* progress_ = nullptr;
};
