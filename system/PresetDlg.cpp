#include "PresetDlg.h"

#include "CustomMsgBox.h"
#include "KeyLamps.h"
#include "Look.h"
#include "MiddleHandler.h"
#include "PageHelper.h"
#include "SendCommand.h"
#include "Unchanged.h"

#include <QButtonGroup>
#include <QDebug>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Preset source bytes of SEND_PRESETSOURCECMD.
constexpr uint8_t kSourcePreview = 1;
constexpr uint8_t kSourceProgram = 0;
// The grids' row of the form's own buttons, below the four rows of presets.
constexpr int kFormRow = 8;


QFont PageFont()
{
    return Look::Font(12);
}

// The row of the preset tables that the record's working mode names, or -1.
int PresetRow(const MData& data)
{
    const int mode = data.M_AllCfg.workMode;
    return mode >= 0 && mode < MDataLimits::kWorkModes ? mode : -1;
}

// The preset index that a sender's object name gives, or -1.
int PresetIndexOf(const QObject* sender)
{
    bool ok = false;
    const int index = sender->objectName().toInt(&ok);
    return ok && index >= 0 && index < PresetDlg::kPresetCount ? index : -1;
}

void SendPresetCommand(CommandType type, const uint8_t* data)
{
    SendCommand(data, type, nullptr, QString());
}

}  // namespace

PresetDlg::PresetDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PresetDlg"));
    buildForm();
    InitPresetButtons();
    Page::Setup(this, [this] { retranslate(); });
    retranslate();

    MiddleHandler* handler = MiddleHandler::GetInstance();
    // A read-back's burst of whole-configuration reports redraws once.
    redraw_ = new RedrawCoalescer(this, [this] { On_SigUIRefreshAllCfg(); });
    redraw_->follow(handler, &MiddleHandler::SigUIRefreshAllCfg);
    // Every validity report flushes the lamps once: the keyboard shows what
    // the device holds after each preset operation.
    connect(handler, SIGNAL(SigUiRefreshPresetValid()), this, SLOT(On_SigUiRefreshPresetValid()));
}

void PresetDlg::buildForm()
{
    groupBox = new QGroupBox(this);
    groupBox->setObjectName(QStringLiteral("groupBox"));
    groupBox_2 = new QGroupBox(this);
    groupBox_2->setObjectName(QStringLiteral("groupBox_2"));
    auto* halves = new QHBoxLayout(this);
    halves->addWidget(groupBox, 1);
    halves->addWidget(groupBox_2, 1);

    pushButton_4 = new QPushButton(groupBox);
    pushButton_4->setObjectName(QStringLiteral("pushButton_4"));
    pushButton_3 = new QPushButton(groupBox);
    pushButton_3->setObjectName(QStringLiteral("pushButton_3"));
    label = new QLabel(groupBox_2);
    label->setObjectName(QStringLiteral("label"));
    pushButton = new QPushButton(groupBox_2);
    pushButton->setObjectName(QStringLiteral("pushButton"));
    pushButton->setCheckable(true);
    pushButton->setChecked(true);
    pushButton_2 = new QPushButton(groupBox_2);
    pushButton_2->setObjectName(QStringLiteral("pushButton_2"));
    pushButton_2->setCheckable(true);
    for (QPushButton* b : {pushButton, pushButton_2, pushButton_3, pushButton_4})
        b->setMaximumHeight(32);

    buttonGroup = new QButtonGroup(this);
    buttonGroup->setObjectName(QStringLiteral("buttonGroup"));
    buttonGroup->setExclusive(false);
    buttonGroup->addButton(pushButton_4);
    buttonGroup->addButton(pushButton_3);
    buttonGroup_2 = new QButtonGroup(this);
    buttonGroup_2->setObjectName(QStringLiteral("buttonGroup_2"));
    buttonGroup_2->addButton(pushButton);
    buttonGroup_2->addButton(pushButton_2);

    connect(pushButton, &QPushButton::clicked, this, &PresetDlg::on_pushButton_clicked);
    connect(pushButton_2, &QPushButton::clicked, this, &PresetDlg::on_pushButton_2_clicked);
    connect(pushButton_3, &QPushButton::clicked, this, &PresetDlg::on_pushButton_3_clicked);
    connect(pushButton_4, &QPushButton::clicked, this, &PresetDlg::on_pushButton_4_clicked);
}

void PresetDlg::InitPresetButtons()
{
    const QFont font = PageFont();
    auto* gridA = new QGridLayout;
    auto* gridB = new QGridLayout;
    for (int i = 0; i < kPresetCount; ++i) {
        const QString name = QString::number(i);
        const QString number = QString::number(i + 1);
        const int row = i / 5;
        const int column = i % 5;

        QPushButton* load = new QPushButton(groupBox);
        load->setEnabled(false);
        load->setFont(font);
        load->setCheckable(true);
        load->setAutoExclusive(true);
        load->setText(number);
        load->setFixedHeight(36);
        load->setObjectName(name);
        gridA->addWidget(load, 2 * row, column);
        connect(load, SIGNAL(clicked()), this, SLOT(OnClickedLoadPresetBtn()));
        loadButtons_[i] = load;

        QLineEdit* edit = new QLineEdit(groupBox);
        edit->setFont(font);
        edit->setObjectName(name);
        edit->setMaximumSize(106, 36);
        edit->setEnabled(false);
        edit->setText(number);
        edit->setAlignment(Qt::AlignCenter);
        gridA->addWidget(edit, 2 * row + 1, column);
        connect(edit, SIGNAL(editingFinished()), this, SLOT(on_lineEdit_editingFinished()));
        nameEdits_[i] = edit;

        QPushButton* save = new QPushButton(groupBox_2);
        save->setFont(font);
        save->setCheckable(true);
        save->setAutoExclusive(true);
        save->setText(number);
        save->setFixedHeight(36);
        save->setObjectName(name);
        gridB->addWidget(save, row, column);
        connect(save, SIGNAL(clicked()), this, SLOT(OnClickedSavePresetBtn()));
        saveButtons_[i] = save;
    }

    gridB->addWidget(label, kFormRow, 0);
    gridB->addWidget(pushButton, kFormRow, 1);
    gridB->addWidget(pushButton_2, kFormRow, 2);
    gridA->addWidget(pushButton_4, kFormRow, 0);
    gridA->addWidget(pushButton_3, kFormRow, 1, 1, 2);
    // Their looks come from the application style sheet.
    for (QPushButton* b : {pushButton, pushButton_2, pushButton_3, pushButton_4})
        b->setFont(font);
    for (QGroupBox* g : {groupBox, groupBox_2})
        g->setFont(font);
    label->setFont(font);
    groupBox->setLayout(gridA);
    groupBox_2->setLayout(gridB);
    HideSourceButtons(true);
}

void PresetDlg::retranslate()
{
    setWindowTitle(tr("Form"));
    groupBox->setTitle(tr("Load Preset"));
    groupBox_2->setTitle(tr("Save Preset"));
    label->setText(tr("Preset Srouce"));
    pushButton->setText(tr("Preview"));
    pushButton_2->setText(tr("Program"));
    pushButton_3->setText(tr("Clear All Presets"));
    pushButton_4->setText(tr("Clear Preset"));
}

void PresetDlg::HideSourceButtons(bool hide)
{
    for (QWidget* w : std::initializer_list<QWidget*>{label, pushButton, pushButton_2})
        w->setHidden(hide);
}

void PresetDlg::On_sigSysWorkModeChange(SystemWorkingMode Mode)
{
    // The buttons keep the previous mode's presets until the device's next
    // validity report.
    HideSourceButtons(Mode != SWITCHER_MODE);
}

void PresetDlg::On_SigUIRefreshAllCfg()
{
    HideSourceButtons(Page::CurrentRecord().M_AllCfg.workMode != SWITCHER_MODE);
}

void PresetDlg::On_SigUiRefreshPresetValid()
{
    const MData& data = Page::CurrentRecord();
    const int row = PresetRow(data);
    if (row < 0)
        return;
    // A read-back reports the validity again and again, nearly always as it
    // stands: an edit given its own text again would still be laid out and
    // announced to accessibility, and lose the operator's cursor.
    for (int i = 0; i < kPresetCount; ++i) {
        const bool stored = data.M_PresetValid[row][i] != 0;
        loadButtons_[i]->setEnabled(stored);
        nameEdits_[i]->setEnabled(stored);
        const QString& name = data.M_PresetName[row][i];
        Unchanged::SetText(nameEdits_[i], name.isEmpty() ? QString::number(i + 1) : name);
    }
    // The lamps are flushed on every report all the same (see the
    // constructor): only the widgets are spared.
    UpdateKeyLamps();
}

void PresetDlg::UpdateKeyLamps()
{
    const MData& data = Page::CurrentRecord();
    const int row = PresetRow(data);
    if (row < 0)
        return;
    KeyLampTable& lamps = KeyLamps();
    for (int i = 0; i < kPresetCount; ++i) {
        const uint8_t shown = loadButtons_[i]->isChecked() ? 2 : 1;
        const bool stored = data.M_PresetValid[row][i] != 0;
        KeyLampEntry& e = lamps.entries[kFirstPresetKey + i];
        e.colorA = stored ? 0 : shown;
        e.colorB = stored ? shown : 0;
        e.kind = LAMP_PLAIN;
        e.dirty = 1;
    }
    FlushKeyLamps();
}

void PresetDlg::OnClickedLoadPresetBtn()
{
    auto* button = qobject_cast<QPushButton*>(sender());
    if (!button)
        return;
    const int index = PresetIndexOf(button);
    if (index < 0)
        return;
    qDebug("index:%d", index);
    const uint8_t byte = uint8_t(index);
    SendPresetCommand(SEND_PRESETLOADCMD, &byte);
}

int PresetDlg::ask(const QString& text)
{
    CustomMsgBox box(this, tr("Tips"), text, QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                     QDialogButtonBox::Ok);
    return box.exec();
}

void PresetDlg::OnClickedSavePresetBtn()
{
    auto* button = qobject_cast<QPushButton*>(sender());
    if (!button)
        return;
    const int index = PresetIndexOf(button);
    if (index < 0)
        return;
    const int answer = ask(tr("Save Preset?"));
    if (answer == QDialogButtonBox::Ok) {
        loadButtons_[index]->setEnabled(true);
        nameEdits_[index]->setEnabled(true);
        MData& data = Page::CurrentRecord();
        const int row = PresetRow(data);
        if (row >= 0)
            data.M_PresetValid[row][index] = 1;
        const uint8_t byte = uint8_t(index);
        SendPresetCommand(SEND_PRESETSAVECMD, &byte);
    } else if (answer == QDialogButtonBox::Cancel) {
        // An auto-exclusive button unchecks only when another one is
        // checked: lift the exclusivity for the moment.
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

void PresetDlg::on_pushButton_3_clicked()
{
    if (ask(tr("Clear All Presets?")) != QDialogButtonBox::Ok)
        return;
    SendPresetCommand(SEND_PRESETCLEARALLCMD, nullptr);
    MData& data = Page::CurrentRecord();
    const int row = PresetRow(data);
    for (int i = 0; i < kPresetCount; ++i) {
        loadButtons_[i]->setEnabled(false);
        nameEdits_[i]->setEnabled(false);
        if (row >= 0)
            data.M_PresetValid[row][i] = 0;
    }
}

void PresetDlg::on_pushButton_4_clicked()
{
    if (ask(tr("Clear The Preset?")) != QDialogButtonBox::Ok)
        return;
    int index = -1;
    for (int i = 0; i < kPresetCount && index < 0; ++i)
        if (loadButtons_[i]->isChecked())
            index = i;
    if (index < 0)
        return;
    const uint8_t byte = uint8_t(index);
    SendPresetCommand(SEND_PRESETCLEARCMD, &byte);
    QPushButton* load = loadButtons_[index];
    load->setEnabled(false);
    load->setAutoExclusive(false);
    load->setChecked(false);
    load->setAutoExclusive(true);
    nameEdits_[index]->setEnabled(false);
    MData& data = Page::CurrentRecord();
    const int row = PresetRow(data);
    if (row >= 0)
        data.M_PresetValid[row][index] = 0;
}

void PresetDlg::on_pushButton_clicked()
{
    const uint8_t source = kSourcePreview;
    SendPresetCommand(SEND_PRESETSOURCECMD, &source);
}

void PresetDlg::on_pushButton_2_clicked()
{
    const uint8_t source = kSourceProgram;
    SendPresetCommand(SEND_PRESETSOURCECMD, &source);
}

void PresetDlg::on_lineEdit_editingFinished()
{
    auto* edit = qobject_cast<QLineEdit*>(sender());
    if (!edit)
        return;
    const int index = PresetIndexOf(edit);
    if (index < 0)
        return;
    qDebug("EditObj index:%d", index);
    MData& data = Page::CurrentRecord();
    const int row = PresetRow(data);
    if (row >= 0)
        data.M_PresetName[row][index] = edit->text();
}

void PresetDlg::ClickPresetByKey(int key)
{
    const int index = key - kFirstPresetKey;
    if (index < 0 || index >= kPresetCount)
        return;
    QPushButton* load = loadButtons_[index];
    // As a mouse click: nothing while disabled, else checks and recalls.
    load->click();
    load->setChecked(true);
    UpdateKeyLamps();
}
