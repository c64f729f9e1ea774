#include "OutputResoDlg.h"

#include "Look.h"
#include "MiddleHandler.h"
#include "OutputTimingRules.h"
#include "PageHelper.h"
#include "SendCommand.h"
#include "TitleBar.h"
#include "Unchanged.h"

#include <QDoubleValidator>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

using OutputTimingRules::Field;

namespace {

// The device knows the timing behind each preset index; the panel sends only
// the index. 10 and 26 carry the same label: the DVI and the HDMI default.
const char* const kLabels[OutputResoDlg::kTableSize] = {
    "1024 x 768 60Hz",   "1280 x 1024 60Hz",
    "1024 x 768 120Hz",  "1280 x 720 59.94Hz",
    "1280 x 720 60Hz",   "2048 x 1920 60Hz",
    "1600 x 1200 60Hz",  "1600 x 1200 60Hz Rdc",
    "1680 x 1050 60Hz",  "1920 x 1080 59.94Hz",
    "1920 x 1080 60Hz",  "1920 x 1080 50Hz",
    "1920 x 1200 60Hz",  "1936 x 1280 60Hz",
    "2048 x 1152 60Hz",  "1024 x 1280 60Hz",
    "1536 x 1536 60Hz",  "3840 x 1080 60Hz",
    "3840 x 2160 60Hz",  "3840 x 2160 30Hz",
    "4096 x 1280 60Hz",  "4096 x 2160 60Hz",
    "4096 x 2160 30Hz",  "2560 x 1080 120Hz",
    "1920 x 1080 120Hz", "2560 x 1440 90Hz",
    "1920 x 1080 60Hz",  QT_TRANSLATE_NOOP("OutputResoDlg", "Custom Reso.")};

// The HDMI set shows the table from this entry on.
constexpr int kHdmiFirstEntry = 17;
constexpr int kDviCustomButton = 17;
constexpr int kHdmiCustomButton = 10;
constexpr int kDviDefaultButton = 10;
constexpr int kHdmiDefaultButton = 9;

// Command type 15's first address byte: what the device takes the timing from.
constexpr uint8_t kPresetTiming = 0;
constexpr uint8_t kCustomTiming = 1;
constexpr uint8_t kAdvancedTiming = 2;

QString RateText(double hz)
{
    return QString::number(hz, 'g', 6);
}

}  // namespace

// The form's widgets, by the form's object names.
struct OutputResoDlg::Form {
    QGroupBox* groupBox = nullptr;
    QGroupBox* AdvGBox = nullptr;
    QPushButton* pushButton = nullptr;
    QPushButton* pushButton_2 = nullptr;
    QLabel* labels[9] = {};
    // Hact, Vact, FPS, H tot, V tot, H Sync, V Sync, Hbp, Vbp: the order of
    // OutputTimingRules::Field.
    QLineEdit* edits[9] = {};
    // What each edit showed when its value was last known good: a refresh
    // or a finished check. An edit whose check cannot run goes back to it.
    QString valid[9];

    QLineEdit* edit(Field f) const { return edits[int(f)]; }
};

namespace {

struct EditSpec {
    const char* edit;
    const char* label;
    const char* text;
};

// In the order of OutputTimingRules::Field.
const EditSpec kEdits[9] = {
    {"lineEdit", "label", QT_TRANSLATE_NOOP("OutputResoDlg", "Hact")},
    {"lineEdit_2", "label_2", QT_TRANSLATE_NOOP("OutputResoDlg", "Vact")},
    {"lineEdit_13", "label_3", QT_TRANSLATE_NOOP("OutputResoDlg", "FPS")},
    {"lineEdit_7", "label_7", QT_TRANSLATE_NOOP("OutputResoDlg", "H tot")},
    {"lineEdit_8", "label_8", QT_TRANSLATE_NOOP("OutputResoDlg", "V tot")},
    {"lineEdit_9", "label_9", QT_TRANSLATE_NOOP("OutputResoDlg", "H Sync")},
    {"lineEdit_10", "label_10", QT_TRANSLATE_NOOP("OutputResoDlg", "V Sync")},
    {"lineEdit_11", "label_11", QT_TRANSLATE_NOOP("OutputResoDlg", "Hbp")},
    {"lineEdit_12", "label_12", QT_TRANSLATE_NOOP("OutputResoDlg", "Vbp")},
};

}  // namespace

OutputResoDlg::OutputResoDlg(QWidget* parent) : QWidget(parent), ui(new Form)
{
    setObjectName(QStringLiteral("OutputResoDlg"));
    resize(721, 421);

    for (int k = 0; k < kTableSize; ++k) {
        resoTable[k].index = k;
        resoTable[k].label = QString::fromLatin1(kLabels[k]);
    }
    resoTable[kCustomResoId].label = tr(kLabels[kCustomResoId]);

    // The resolution buttons: six rows, column by column.
    auto* buttons = new QGridLayout;
    buttons->setHorizontalSpacing(20);
    for (int i = 0; i < kButtonCount; ++i) {
        QPushButton* b = Page::MakeButton(this, QByteArray::number(i).constData(), true);
        b->setAutoExclusive(true);
        b->setProperty("resoButton", true);
        b->setText(resoTable[i].label);
        b->setFixedHeight(32);
        b->setFont(Look::Font(12));
        connect(b, SIGNAL(clicked()), this, SLOT(OnClickedResoBtn()));
        buttons->addWidget(b, i % 6, i / 6);
        resoButtons[i] = b;
    }
    // Entry 2 is not offered until the DVI set is chosen.
    resoButtons[2]->hide();
    resoButtons[0]->setChecked(true);

    // The custom group: active size and rate, "Set" and "Advance" beside the
    // advanced timings.
    ui->groupBox = new QGroupBox(this);
    ui->groupBox->setObjectName(QStringLiteral("groupBox"));
    ui->AdvGBox = new QGroupBox(ui->groupBox);
    ui->AdvGBox->setObjectName(QStringLiteral("AdvGBox"));
    auto* intValidator = new QIntValidator(0, 9999, this);
    auto* rateValidator = new QDoubleValidator(0, 9999, 2, this);
    rateValidator->setNotation(QDoubleValidator::StandardNotation);
    // The rate is read back with the C locale's decimal point.
    rateValidator->setLocale(QLocale::c());
    for (int i = 0; i < 9; ++i) {
        QWidget* owner = i < 3 ? ui->groupBox : ui->AdvGBox;
        ui->labels[i] = new QLabel(owner);
        ui->labels[i]->setObjectName(QLatin1String(kEdits[i].label));
        ui->edits[i] = new QLineEdit(owner);
        ui->edits[i]->setObjectName(QLatin1String(kEdits[i].edit));
        ui->edits[i]->setFixedSize(50, 32);
        ui->edits[i]->setAlignment(Qt::AlignCenter);
        ui->edits[i]->setValidator(i == int(Field::Rate) ? static_cast<QValidator*>(rateValidator)
                                                         : intValidator);
    }
    ui->pushButton = Page::MakeButton(ui->groupBox, "pushButton", false);
    ui->pushButton_2 = Page::MakeButton(ui->groupBox, "pushButton_2", true);
    for (QPushButton* b : {ui->pushButton, ui->pushButton_2}) {
        b->setMinimumSize(120, 32);
        b->setFont(Look::Font(12));
    }

    auto* size = new QHBoxLayout;
    for (Field f : {Field::Hact, Field::Vact, Field::Rate}) {
        size->addWidget(ui->labels[int(f)]);
        size->addWidget(ui->edit(f));
    }
    auto* advGrid = new QGridLayout(ui->AdvGBox);
    const Field advRows[3][2] = {
        {Field::Htotal, Field::Vtotal}, {Field::Hsync, Field::Vsync}, {Field::Hbp, Field::Vbp}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) {
            advGrid->addWidget(ui->labels[int(advRows[r][c])], r, 2 * c);
            advGrid->addWidget(ui->edit(advRows[r][c]), r, 2 * c + 1);
        }
    auto* setAdvance = new QVBoxLayout;
    setAdvance->addWidget(ui->pushButton);
    setAdvance->addWidget(ui->pushButton_2);
    auto* lower = new QHBoxLayout;
    lower->addLayout(setAdvance, 1);
    lower->addWidget(ui->AdvGBox, 1);
    auto* custom = new QVBoxLayout(ui->groupBox);
    custom->addLayout(size);
    custom->addLayout(lower);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(9, 26, 9, 9);
    layout->addLayout(buttons, 2);
    layout->addWidget(ui->groupBox, 1);

    titleBar_ = Page::AddSubPageTitleBar(this);

    retranslate();
    ui->AdvGBox->hide();
    ui->groupBox->hide();
    QMetaObject::connectSlotsByName(this);
    connect(MiddleHandler::GetInstance(), SIGNAL(SigUIRefreshOutputReso()), this,
            SLOT(On_SigUIRefreshOutputReso()));
}

OutputResoDlg::~OutputResoDlg()
{
    delete ui;
}

void OutputResoDlg::retranslate()
{
    setWindowTitle(tr("Form"));
    ui->groupBox->setTitle(tr("自定义分辨率"));
    ui->AdvGBox->setTitle(tr("Advance"));
    ui->pushButton->setText(tr("Set"));
    ui->pushButton_2->setText(tr("Advance"));
    for (int i = 0; i < 9; ++i)
        ui->labels[i]->setText(tr(kEdits[i].text));
}

int OutputResoDlg::customButton() const
{
    return mode == 0 ? kDviCustomButton : kHdmiCustomButton;
}

QPushButton* OutputResoDlg::resoButton(int n) const
{
    return n >= 0 && n < kButtonCount ? resoButtons[n] : nullptr;
}

void OutputResoDlg::showDviSet(int checkedEntry)
{
    for (int k = 0; k < kButtonCount; ++k) {
        resoButtons[k]->show();
        // Straight to its label: through the table's entry and back would
        // repaint the button at every redraw.
        resoButtons[k]->setText(resoTable[k == kDviCustomButton ? kCustomResoId : k].label);
    }
    checkOnly(checkedEntry);
}

void OutputResoDlg::showHdmiSet(int checkedButton)
{
    for (int k = 0; k <= kHdmiCustomButton; ++k) {
        // Every button of the set, whichever set was shown before.
        resoButtons[k]->show();
        resoButtons[k]->setText(
            resoTable[k == kHdmiCustomButton ? kCustomResoId : k + kHdmiFirstEntry].label);
    }
    for (int k = kHdmiCustomButton + 1; k < kButtonCount; ++k)
        resoButtons[k]->hide();
    checkOnly(checkedButton);
}

void OutputResoDlg::checkOnly(int button)
{
    if (button < 0)
        return;
    // Auto-exclusive buttons cannot be all unchecked by setChecked(false) on
    // the checked one; switching exclusivity off for the pass can.
    for (int k = 0; k < kButtonCount; ++k) {
        resoButtons[k]->setAutoExclusive(false);
        resoButtons[k]->setChecked(k == button);
        resoButtons[k]->setAutoExclusive(true);
    }
}

void OutputResoDlg::showCustomGroupIfChecked(int custom)
{
    ui->groupBox->setVisible(resoButtons[custom]->isChecked());
}

void OutputResoDlg::SetMode(int m, bool reset)
{
    mode = m;
    if (mode == 0) {
        showDviSet(reset ? kDviDefaultButton : -1);
        showCustomGroupIfChecked(kDviCustomButton);
    } else {
        showHdmiSet(reset ? kHdmiDefaultButton : -1);
        showCustomGroupIfChecked(kHdmiCustomButton);
    }
}

void OutputResoDlg::Refresh()
{
    const OutputResoCfg& r = Page::CurrentRecord().M_OutputData.M_OutputResoCfg;
    const int values[9] = {r.hact, r.vact, 0, r.htotal, r.vtotal, r.hsync, r.vsync, r.hbp, r.vbp};
    for (int i = 0; i < 9; ++i) {
        const QString text =
            i == int(Field::Rate) ? RateText(r.fps / 100.0) : QString::number(values[i]);
        Unchanged::SetText(ui->edits[i], text);
        ui->valid[i] = text;
    }
    if (r.outputMode == 0) {
        // Entry 17 is not offered in the DVI set: its button is the custom one.
        const bool custom = r.resoId == kCustomResoId || r.resoId == kDviCustomButton;
        const bool preset = r.resoId >= 0 && r.resoId < kDviCustomButton;
        showDviSet(custom ? kDviCustomButton : preset ? r.resoId : kButtonCount);
        showCustomGroupIfChecked(kDviCustomButton);
    } else {
        const int k = r.resoId - kHdmiFirstEntry;
        showHdmiSet(k >= 0 && k <= kHdmiCustomButton ? k : kButtonCount);
        showCustomGroupIfChecked(kHdmiCustomButton);
    }
}

void OutputResoDlg::On_SigUIRefreshOutputReso()
{
    Refresh();
}

void OutputResoDlg::OnClickedResoBtn()
{
    auto* b = qobject_cast<QPushButton*>(sender());
    if (!b)
        return;
    bool ok = false;
    const int n = b->objectName().toInt(&ok);
    if (!ok || n < 0 || n >= kButtonCount)
        return;
    if (n == customButton()) {
        ui->groupBox->show();
        return;
    }
    const int entry = mode == 0 ? n : n + kHdmiFirstEntry;
    if (entry >= kCustomResoId)
        return;
    ui->groupBox->hide();
    OutputResoCfg& r = Page::CurrentRecord().M_OutputData.M_OutputResoCfg;
    r.resoId = resoTable[entry].index;
    const uint8_t addr[3] = {kPresetTiming, 0, 0};
    SendCommand(&r, SEND_OUTPUTRESOCMD, addr, QString());
}

void OutputResoDlg::on_pushButton_clicked()
{
    OutputResoCfg& r = Page::CurrentRecord().M_OutputData.M_OutputResoCfg;
    uint8_t kind = kCustomTiming;
    r.hact = uint16_t(ui->edit(Field::Hact)->text().toInt());
    r.vact = uint16_t(ui->edit(Field::Vact)->text().toInt());
    // Rounded, not truncated: "59.94" read as a float is 59.9399986.
    r.fps = OutputTimingRules::RateToHundredths(ui->edit(Field::Rate)->text().toFloat());
    if (ui->pushButton_2->isChecked()) {
        kind = kAdvancedTiming;
        r.htotal = uint16_t(ui->edit(Field::Htotal)->text().toInt());
        r.hsync = uint16_t(ui->edit(Field::Hsync)->text().toInt());
        r.hbp = uint16_t(ui->edit(Field::Hbp)->text().toInt());
        r.vtotal = uint16_t(ui->edit(Field::Vtotal)->text().toInt());
        r.vsync = uint16_t(ui->edit(Field::Vsync)->text().toInt());
        r.vbp = uint16_t(ui->edit(Field::Vbp)->text().toInt());
    }
    r.resoId = kCustomResoId;
    const uint8_t addr[3] = {kind, 0, 0};
    SendCommand(&r, SEND_OUTPUTRESOCMD, addr, QString());
}

void OutputResoDlg::on_pushButton_2_clicked(bool checked)
{
    ui->AdvGBox->setVisible(checked);
}

void OutputResoDlg::editFinished(int field)
{
    OutputTimingRules::Timing t;
    auto value = [this](Field f) { return ui->edit(f)->text().toInt(); };
    t.hact = value(Field::Hact);
    t.vact = value(Field::Vact);
    t.rate = ui->edit(Field::Rate)->text().toFloat();
    t.htotal = value(Field::Htotal);
    t.vtotal = value(Field::Vtotal);
    t.hsync = value(Field::Hsync);
    t.vsync = value(Field::Vsync);
    t.hbp = value(Field::Hbp);
    t.vbp = value(Field::Vbp);
    if (!OutputTimingRules::Correct(t, Field(field), mode, ui->pushButton_2->isChecked())) {
        // A zero rate or total leaves no clock to check against.
        ui->edits[field]->setText(ui->valid[field]);
        return;
    }
    const int values[9] = {t.hact, t.vact, 0, t.htotal, t.vtotal, t.hsync, t.vsync, t.hbp, t.vbp};
    for (int i = 0; i < 9; ++i) {
        // Only what the check corrected is rewritten: the other edits keep
        // their text as typed.
        QString text = ui->edits[i]->text();
        if (i == int(Field::Rate)) {
            if (field == int(Field::Rate))
                text = RateText(t.rate);
        } else if (values[i] != text.toInt()) {
            text = QString::number(values[i]);
        }
        ui->edits[i]->setText(text);
    }
    for (int i = 0; i < 9; ++i)
        ui->valid[i] = ui->edits[i]->text();
}

void OutputResoDlg::on_lineEdit_editingFinished()
{
    editFinished(int(Field::Hact));
}

void OutputResoDlg::on_lineEdit_2_editingFinished()
{
    editFinished(int(Field::Vact));
}

void OutputResoDlg::on_lineEdit_7_editingFinished()
{
    editFinished(int(Field::Htotal));
}

void OutputResoDlg::on_lineEdit_8_editingFinished()
{
    editFinished(int(Field::Vtotal));
}

void OutputResoDlg::on_lineEdit_9_editingFinished()
{
    editFinished(int(Field::Hsync));
}

void OutputResoDlg::on_lineEdit_10_editingFinished()
{
    editFinished(int(Field::Vsync));
}

void OutputResoDlg::on_lineEdit_11_editingFinished()
{
    editFinished(int(Field::Hbp));
}

void OutputResoDlg::on_lineEdit_12_editingFinished()
{
    editFinished(int(Field::Vbp));
}

void OutputResoDlg::on_lineEdit_13_editingFinished()
{
    editFinished(int(Field::Rate));
}

void OutputResoDlg::resizeEvent(QResizeEvent* event)
{
    Page::ResizeTitleBar(titleBar_, this);
    event->ignore();
}

void OutputResoDlg::closeEvent(QCloseEvent*)
{
    emit DlgClose();
}

void OutputResoDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        resoTable[kCustomResoId].label = tr(kLabels[kCustomResoId]);
        resoButtons[customButton()]->setText(resoTable[kCustomResoId].label);
    }
    QWidget::changeEvent(event);
}
