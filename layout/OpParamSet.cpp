#include "OpParamSet.h"

#include "CustomMsgBox.h"
#include "Look.h"
#include "MiddleHandler.h"
#include "OutputResoDlg.h"
#include "OutputWindowRules.h"
#include "PageHelper.h"
#include "ProgressHelper.h"
#include "SendCommand.h"
#include "Unchanged.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

using namespace OutputWindowRules;

namespace {

// A 100 ms tick: an output-mode or working-mode switch times out after about
// 10 s without the device's read-back end.
constexpr int kProgressPeriodMs = 100;
const ProgressHelper::Operation kOutputModeSwitch = {
    QT_TRANSLATE_NOOP("OpParamSet", "Switch Output Mode"),
    QT_TRANSLATE_NOOP("OpParamSet", "Switch Output Mode Timeout"), kProgressPeriodMs};
const ProgressHelper::Operation kWorkModeSwitch = {
    QT_TRANSLATE_NOOP("OpParamSet", "Switch Work Mode..."),
    QT_TRANSLATE_NOOP("OpParamSet", "Switch Work Mode Timeout"), kProgressPeriodMs};

// The panel's own look: framed groups with a centred title, dark edits with
// the accent text (grey while they only show a value), page-look buttons.
// Every rule names the panel's own widgets: the resolution sub-panel inside
// the panel has widgets of the same classes and names, styled by the
// application's sheet, which a rule of the panel's would override.
#define OP_GROUPS "QGroupBox#MosaicGroup, QGroupBox#OpWindowGroup, QGroupBox#HDMISETTINGGBOX"
#define OP_BUTTONS(state)                                                            \
    "OpParamSet > QPushButton" state ", QGroupBox#HDMISETTINGGBOX QPushButton" state \
    ", QGroupBox#MosaicGroup QPushButton#pushButton_11" state
#define OP_EDITS(state) \
    "QGroupBox#MosaicGroup QLineEdit" state ", QGroupBox#OpWindowGroup QLineEdit" state
const char* const kPanelStyle =
    OP_GROUPS " { border: 2px solid #ef9c00; border-radius: 5px; margin-top: 14px;"
              " color: " LOOK_ACCENT "; }"
    "QGroupBox#MosaicGroup::title, QGroupBox#OpWindowGroup::title,"
    " QGroupBox#HDMISETTINGGBOX::title { subcontrol-origin: margin;"
    " subcontrol-position: top center; padding: 0 4px; }"
    "QGroupBox#MosaicGroup QLabel, QGroupBox#OpWindowGroup QLabel,"
    " QGroupBox#HDMISETTINGGBOX QLabel { color: rgb(235, 235, 235); }"
    OP_EDITS("") " { background: #242424; color: " LOOK_ACCENT ";"
    " background-image: url(:/res/Image/HPageOn.png); min-height: 28px; max-width: 90px; }"
    OP_EDITS(":disabled") ", " OP_EDITS(":read-only") " { color: rgb(128, 128, 128); }"
    OP_BUTTONS("") " { background-image: url(:/res/Image/HPageOff.png);"
    " color: rgb(235, 235, 235); border: none; border-radius: 5px; min-height: 32px;"
    " padding: 0 8px; }"
    OP_BUTTONS(":checked") ", " OP_BUTTONS(":hover") " {"
    " background-image: url(:/res/Image/HPageOn.png); color: " LOOK_ACCENT "; }"
    OP_BUTTONS(":disabled") " { color: rgb(128, 128, 128); }"
    OP_BUTTONS(":pressed") " { padding-left: 2px; padding-top: 2px; }";
#undef OP_GROUPS
#undef OP_BUTTONS
#undef OP_EDITS

const char* const kOnOffStyle =
    "QPushButton { border-image: url(:/res/Image/OnOff_off.png); background: transparent; }"
    "QPushButton:checked { border-image: url(:/res/Image/OnOff_on.png); }";

MData& Record()
{
    return Page::CurrentRecord();
}

// The panel's rows of HDMI settings: caption object name and text.
struct HdmiCaption {
    int label;  // label_N
    const char* text;
};
const HdmiCaption kHdmiCaptions[kHdmiRows] = {
    {10, QT_TRANSLATE_NOOP("OpParamSet", "色彩空间")},
    {11, QT_TRANSLATE_NOOP("OpParamSet", "颜色位深")},
    {12, QT_TRANSLATE_NOOP("OpParamSet", "RGB色彩范围")},
    {13, QT_TRANSLATE_NOOP("OpParamSet", "HDR")},
    {15, QT_TRANSLATE_NOOP("OpParamSet", "DVI/HDMI")},
    {16, QT_TRANSLATE_NOOP("OpParamSet", "输出端口")},
};
const char* const kHdmiButtonTexts[kHdmiRows][2] = {
    {QT_TRANSLATE_NOOP("OpParamSet", "RGB444"), QT_TRANSLATE_NOOP("OpParamSet", "YUV444")},
    {QT_TRANSLATE_NOOP("OpParamSet", "8 BIT"), QT_TRANSLATE_NOOP("OpParamSet", "10 BIT")},
    {QT_TRANSLATE_NOOP("OpParamSet", "Limited"), QT_TRANSLATE_NOOP("OpParamSet", "Full")},
    {QT_TRANSLATE_NOOP("OpParamSet", "ON"), QT_TRANSLATE_NOOP("OpParamSet", "OFF")},
    {QT_TRANSLATE_NOOP("OpParamSet", "DVI"), QT_TRANSLATE_NOOP("OpParamSet", "HDMI")},
    {QT_TRANSLATE_NOOP("OpParamSet", "DVI"), QT_TRANSLATE_NOOP("OpParamSet", "HDMI")},
};

}  // namespace

// The panel's form: the widgets that take part in the behaviour, named as
// the slots bound to them by name expect.
struct OpParamSet::Form {
    QLabel* label = nullptr;  // the output-mode caption
    QPushButton* DVIMODEBTN = nullptr;
    QPushButton* HDMIMODEBTN = nullptr;
    QPushButton* OPRESOBTN = nullptr;
    QPushButton* HDMISETTINGBTN = nullptr;
    std::array<QPushButton*, 21> button{};  // pushButton (0), pushButton_2 .. pushButton_20
    QGroupBox* MosaicGroup = nullptr;
    QGroupBox* OpWindowGroup = nullptr;
    QGroupBox* HDMISETTINGGBOX = nullptr;
    std::array<QLineEdit*, 9> edit{};  // lineEdit (1), lineEdit_2 .. lineEdit_8
    std::array<QLabel*, 17> caption{};  // label_2 .. label_16
    std::array<QPushButton*, 2> hdmi[kHdmiRows]{};

    QPushButton* b(int n) const { return button[size_t(n)]; }
    QLineEdit* e(int n) const { return edit[size_t(n)]; }
};

OpParamSet::OpParamSet(QWidget* parent) : QWidget(parent), ui_(new Form)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("OpParamSet"));
    resize(1065, 219);
    setupWidgets();
    windowRedraw_ = new RedrawCoalescer(this, [this] { ShowOutputWindow(); });

    MiddleHandler* h = MiddleHandler::GetInstance();
    connect(h, SIGNAL(SigUIRefreshOutputReso()), this, SLOT(On_SigUIRefreshOutputReso()));
    connect(h, SIGNAL(SigUIRefreshAllCfg()), this, SLOT(On_SigUIRefreshAllCfg()));
    connect(h, SIGNAL(SigUIRefreshOutputWindow(int)), this, SLOT(On_SigUIRefreshOutputWindow(int)));
    connect(h, SIGNAL(SigUIRefreshOutputHdmiSetting(int)), this,
            SLOT(On_SigUIRefreshOutputHdmiSetting(int)));
    connect(h, SIGNAL(SigUIRefreshRequstCmdEnd()), this, SLOT(On_SigUIRefreshRequstCmdEnd()));
    connect(h, SIGNAL(SigUIRefreshHDRStatus(int)), this, SLOT(On_SigUIRefreshHDRStatus(int)));
    connect(h, SIGNAL(SigUIRefreshMachineVer(VerInfo_Enum)), this,
            SLOT(On_SigUIRefreshMachineVer(VerInfo_Enum)));

    progress_ = new ProgressHelper(this, kProgressPeriodMs, QString());
}

OpParamSet::~OpParamSet()
{
    delete ui_;
}

void OpParamSet::setupWidgets()
{
    Form& f = *ui_;
    const QFont font = Look::Font(12);
    auto makeButton = [&](const char* name, bool checkable) {
        QPushButton* b = Page::MakeButton(this, name, checkable);
        b->setFont(font);
        b->setAutoExclusive(checkable);
        return b;
    };
    f.label = new QLabel(this);
    f.label->setObjectName(QStringLiteral("label"));
    f.label->setFont(font);
    f.label->setStyleSheet(QStringLiteral("color: " LOOK_ACCENT ";"));
    f.DVIMODEBTN = makeButton("DVIMODEBTN", true);
    f.HDMIMODEBTN = makeButton("HDMIMODEBTN", true);
    f.OPRESOBTN = makeButton("OPRESOBTN", false);
    f.HDMISETTINGBTN = makeButton("HDMISETTINGBTN", true);
    f.HDMISETTINGBTN->setAutoExclusive(false);
    for (int n = 0; n <= 20; ++n) {
        if (n == 1)
            continue;
        const QByteArray name =
            n == 0 ? QByteArray("pushButton") : "pushButton_" + QByteArray::number(n);
        // The on/off button and "Reset" are plain; the others are choices.
        f.button[size_t(n)] = makeButton(name.constData(), n != 10 && n != 11);
    }
    f.b(10)->setCheckable(true);
    f.b(10)->setAutoExclusive(false);
    f.b(10)->setStyleSheet(QString::fromLatin1(kOnOffStyle));
    f.b(10)->setFixedSize(70, 32);
    f.b(11)->setFixedSize(70, 32);

    auto makeGroup = [&](const char* name) {
        auto* g = new QGroupBox(this);
        g->setObjectName(QLatin1String(name));
        g->setFont(font);
        g->setAlignment(Qt::AlignHCenter);
        return g;
    };
    f.MosaicGroup = makeGroup("MosaicGroup");
    f.OpWindowGroup = makeGroup("OpWindowGroup");
    f.HDMISETTINGGBOX = makeGroup("HDMISETTINGGBOX");
    for (int n = 2; n <= 16; ++n) {
        if (n == 14)
            continue;
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("label_%1").arg(n));
        f.caption[size_t(n)] = l;
    }
    for (int n = 1; n <= 8; ++n) {
        auto* e = new QLineEdit(this);
        e->setObjectName(n == 1 ? QStringLiteral("lineEdit")
                                : QStringLiteral("lineEdit_%1").arg(n));
        e->setFont(font);
        // The canvas and the window sizes take five digits; the window's
        // position in the raster is a 16-bit field, so its edits stop at
        // 65535 instead of storing the low bits of a larger number.
        const bool rasterPosition = n == 5 || n == 7;
        e->setValidator(new QIntValidator(0, rasterPosition ? kMaxPosition : kMaxEdit, e));
        f.edit[size_t(n)] = e;
    }
    f.e(3)->setReadOnly(true);
    f.e(4)->setReadOnly(true);

    // Exclusive groups: output mode, layout, working mode, each HDMI row.
    auto group = [this](std::initializer_list<QPushButton*> buttons) {
        auto* g = new QButtonGroup(this);
        g->setExclusive(true);
        for (QPushButton* b : buttons)
            g->addButton(b);
    };
    group({f.HDMIMODEBTN, f.DVIMODEBTN});
    group({f.b(7), f.b(8), f.b(9)});
    group({f.b(14), f.b(15), f.b(16)});
    for (int r = 0; r < kHdmiRows; ++r) {
        f.hdmi[r] = {findChild<QPushButton*>(QLatin1String(kHdmiRowButtons[r].first)),
                     findChild<QPushButton*>(QLatin1String(kHdmiRowButtons[r].second))};
        group({f.hdmi[r][0], f.hdmi[r][1]});
    }

    // The arrangement: controls grid, HDMI settings, canvas place, raster
    // window, and the resolution sub-panel in their place while it is open.
    auto* controls = new QGridLayout;
    controls->addWidget(f.b(14), 0, 0);
    controls->addWidget(f.b(15), 0, 1);
    controls->addWidget(f.b(16), 0, 2);
    controls->addWidget(f.label, 1, 0, 1, 2);
    controls->addWidget(f.DVIMODEBTN, 1, 2);
    controls->addWidget(f.HDMIMODEBTN, 1, 3);
    controls->addWidget(f.OPRESOBTN, 2, 0, 1, 2);
    controls->addWidget(f.HDMISETTINGBTN, 2, 2);
    controls->addWidget(f.b(7), 3, 0);
    controls->addWidget(f.b(8), 3, 1);
    controls->addWidget(f.b(9), 3, 2);

    auto* hdmiGrid = new QGridLayout(f.HDMISETTINGGBOX);
    for (int r = 0; r < kHdmiRows; ++r) {
        hdmiGrid->addWidget(f.caption[size_t(kHdmiCaptions[r].label)], r, 0);
        hdmiGrid->addWidget(f.hdmi[r][0], r, 1);
        hdmiGrid->addWidget(f.hdmi[r][1], r, 2);
    }

    auto* onOff = new QVBoxLayout;
    onOff->addWidget(f.b(10));
    onOff->addWidget(f.b(11));
    auto* mosaicGrid = new QGridLayout;
    mosaicGrid->addWidget(f.caption[2], 0, 0);
    mosaicGrid->addWidget(f.e(1), 0, 1);
    mosaicGrid->addWidget(f.caption[4], 0, 2);
    mosaicGrid->addWidget(f.e(3), 0, 3);
    mosaicGrid->addWidget(f.caption[3], 1, 0);
    mosaicGrid->addWidget(f.e(2), 1, 1);
    mosaicGrid->addWidget(f.caption[5], 1, 2);
    mosaicGrid->addWidget(f.e(4), 1, 3);
    auto* mosaic = new QHBoxLayout(f.MosaicGroup);
    mosaic->addLayout(onOff);
    mosaic->addLayout(mosaicGrid);

    auto* window = new QGridLayout(f.OpWindowGroup);
    window->addWidget(f.caption[6], 0, 0);
    window->addWidget(f.e(5), 0, 1);
    window->addWidget(f.caption[7], 0, 2);
    window->addWidget(f.e(6), 0, 3);
    window->addWidget(f.caption[8], 1, 0);
    window->addWidget(f.e(7), 1, 1);
    window->addWidget(f.caption[9], 1, 2);
    window->addWidget(f.e(8), 1, 3);

    setStyleSheet(QString::fromLatin1(kPanelStyle));
    // Checked once the buttons sit in their groups.
    f.DVIMODEBTN->setChecked(true);
    f.b(14)->setChecked(true);
    // The form's own texts; a language change takes the switcher variant's.
    retranslate();
    f.b(15)->setText(tr("HDMI Switcher"));
    f.HDMIMODEBTN->setText(tr("HDMI"));
    // Bound before the sub-panel exists: binding by name looks through every
    // descendant, and the sub-panel has widgets of the same names.
    QMetaObject::connectSlotsByName(this);

    resoDlg_ = new OutputResoDlg(this);
    resoDlg_->hide();
    connect(resoDlg_, SIGNAL(DlgClose()), this, SLOT(On_DviResoDlgCLose()));

    auto* row = new QHBoxLayout(this);
    row->addLayout(controls);
    row->addWidget(f.HDMISETTINGGBOX);
    row->addWidget(f.MosaicGroup);
    row->addWidget(f.OpWindowGroup);
    row->addWidget(resoDlg_);
    row->addStretch();

    f.HDMISETTINGGBOX->hide();
    f.b(15)->hide();
    f.HDMIMODEBTN->hide();
    f.HDMISETTINGBTN->hide();
    f.DVIMODEBTN->hide();
    f.label->hide();
}

void OpParamSet::retranslate()
{
    Form& f = *ui_;
    setWindowTitle(tr("Form"));
    f.label->setText(tr("输出模式"));
    f.DVIMODEBTN->setText(tr("DVI"));
    f.OPRESOBTN->setText(tr("输出分辨率"));
    f.HDMISETTINGBTN->setText(tr("HDMI 设置"));
    f.b(7)->setText(tr("水平排布"));
    f.b(8)->setText(tr("垂直排布"));
    f.b(9)->setText(tr("田字排布"));
    f.b(14)->setText(tr("Mosaic Mode"));
    f.b(16)->setText(tr("Backup Mode"));
    f.b(11)->setText(tr("Reset"));
    f.MosaicGroup->setTitle(tr("Mosaic Parameters"));
    f.OpWindowGroup->setTitle(tr("Output Window"));
    f.HDMISETTINGGBOX->setTitle(tr("HDMI 设置"));
    const std::pair<int, const char*> captions[] = {
        {2, QT_TR_NOOP("Hpos")}, {3, QT_TR_NOOP("Vpos")}, {4, QT_TR_NOOP("Hact")},
        {5, QT_TR_NOOP("Vact")}, {6, QT_TR_NOOP("Hpos")}, {7, QT_TR_NOOP("Hact")},
        {8, QT_TR_NOOP("Vpos")}, {9, QT_TR_NOOP("Vact")},
    };
    for (const auto& c : captions)
        f.caption[size_t(c.first)]->setText(tr(c.second));
    for (int r = 0; r < kHdmiRows; ++r) {
        f.caption[size_t(kHdmiCaptions[r].label)]->setText(tr(kHdmiCaptions[r].text));
        f.hdmi[r][0]->setText(tr(kHdmiButtonTexts[r][0]));
        f.hdmi[r][1]->setText(tr(kHdmiButtonTexts[r][1]));
    }
}

void OpParamSet::applySwitcherTexts()
{
    const SwitcherVariant v = VariantOf(Record().M_SwitcherType);
    ui_->b(15)->setText(tr(v.switcherText));
    ui_->HDMIMODEBTN->setText(tr(v.hdmiText));
}

void OpParamSet::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        applySwitcherTexts();
        progress_->retranslate();
        progress_->setCancelButtonText(tr("Cancel"));
    }
    QWidget::changeEvent(event);
}

// ---- visibility --------------------------------------------------------

void OpParamSet::SetControlsHidden(bool hidden)
{
    Form& f = *ui_;
    // The switcher button, the output-mode row and the HDMI settings button
    // stay hidden: the row shows only after a version report asks for it.
    // Each widget goes straight to its state: shown and hidden again, they
    // would be laid out anew at every redraw of the page.
    const std::initializer_list<QWidget*> staysHidden{f.b(15), f.HDMIMODEBTN, f.HDMISETTINGBTN,
                                                      f.DVIMODEBTN, f.label};
    for (QWidget* w : std::initializer_list<QWidget*>{
             f.DVIMODEBTN, f.HDMIMODEBTN, f.HDMISETTINGBTN, f.OPRESOBTN, f.label, f.b(7), f.b(8),
             f.b(9), f.b(14), f.b(15), f.b(16), f.MosaicGroup, f.OpWindowGroup})
        w->setHidden(hidden ||
                     std::find(staysHidden.begin(), staysHidden.end(), w) != staysHidden.end());
    f.HDMISETTINGGBOX->setVisible(!hidden && f.HDMISETTINGBTN->isChecked());
}

void OpParamSet::On_SigUIRefreshMachineVer(VerInfo_Enum VerType)
{
    if (VerType != VER_MAINBOARD)
        return;
    const SwitcherVariant v = VariantOf(Record().M_SwitcherType);
    applySwitcherTexts();
    ui_->label->setVisible(v.modeRowShown);
    ui_->DVIMODEBTN->setVisible(v.modeRowShown);
    ui_->HDMIMODEBTN->setVisible(v.modeRowShown);
    if (v.hideHdmiSettings)
        ui_->HDMISETTINGBTN->hide();
}

// ---- output window -----------------------------------------------------

OutputWindowRecord* OpParamSet::currentRecord()
{
    if (currentOutput_ < 0 || currentOutput_ >= kWindows)
        return nullptr;
    return &Record().M_OutputData.M_OPDisplayCfg[currentOutput_];
}

int OpParamSet::cellOfRecord(int record) const
{
    const MData& d = Record();
    return CellOfRecord(record, d.M_AllCfg.workMode, d.M_OutputData.M_OutputResoCfg.outputMode);
}

void OpParamSet::sendWindow(const OutputWindowRecord& record)
{
    SendCommand(&record, SEND_OUTPUTWINDOWCMD, nullptr, QString());
}

void OpParamSet::ShowOutputWindow()
{
    const OutputWindowRecord* w = currentRecord();
    if (!w)
        return;
    Form& f = *ui_;
    const int values[] = {0,     w->mosaicHs, w->mosaicVs, w->mosaicHact, w->mosaicVact,
                          w->hs, w->hact,     w->vs,       w->vact};
    for (int n = 1; n <= 8; ++n)
        Unchanged::SetText(f.e(n), QString::number(values[n]));
    // The button shows the output's state, off included: left checked from
    // another output, it would offer to turn off an output that is off.
    f.b(10)->setChecked(w->onOff != 0);
}

void OpParamSet::On_SigClickOutputCell(int id)
{
    const MData& d = Record();
    const int wm = d.M_AllCfg.workMode;
    const int om = d.M_OutputData.M_OutputResoCfg.outputMode;
    const int record = RecordOfCell(id, wm, om);
    if (record < 0)
        return;
    currentOutput_ = record;
    if (HdmiOutputsInUse(wm, om))
        setHdrEnabled(id == 0);
    else if (wm == MOSAIC_MODE || wm == BACKUP_MODE)
        setHdrEnabled(false);
    ShowOutputWindow();
}

void OpParamSet::On_SigOutputCellOnOff(int idx, bool IsOnOff)
{
    const MData& d = Record();
    const int record =
        RecordOfCell(idx, d.M_AllCfg.workMode, d.M_OutputData.M_OutputResoCfg.outputMode);
    if (record < 0)
        return;
    OutputWindowRecord& w = Record().M_OutputData.M_OPDisplayCfg[record];
    // The button belongs to the edited output; another cell's switch leaves
    // it showing the edited one.
    if (record == currentOutput_)
        ui_->b(10)->setChecked(IsOnOff);
    w.onOff = IsOnOff ? 1 : 0;
    sendWindow(w);
}

void OpParamSet::On_SigMouseMoveOPCell(QRect realRc)
{
    OutputWindowRecord* w = currentRecord();
    if (!w || !realRc.isValid())
        return;
    const Size s =
        ClipToOutput(realRc.width(), realRc.height(), Record().M_OutputData.M_OutputResoCfg);
    w->mosaicHs = realRc.left();
    w->mosaicVs = realRc.top();
    w->hact = uint16_t(s.width);
    w->mosaicHact = s.width;
    w->vact = uint16_t(s.height);
    w->mosaicVact = s.height;
    sendWindow(*w);
    if (s.clipped) {
        // The cell snaps back to the stored size.
        emit sigOPPosChange(w, cellOfRecord(currentOutput_));
        showExceedTip();
    }
    Form& f = *ui_;
    f.e(1)->setText(QString::number(realRc.left()));
    f.e(2)->setText(QString::number(realRc.top()));
    f.e(3)->setText(QString::number(s.width));
    f.e(4)->setText(QString::number(s.height));
    f.e(6)->setText(QString::number(s.width));
    f.e(8)->setText(QString::number(s.height));
}

void OpParamSet::showExceedTip()
{
    auto* box = new CustomMsgBox(this, tr("Tips"), tr("Output Window Exceed Output Resolution."),
                                 QDialogButtonBox::Ok, QDialogButtonBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
}

// Return ends an edit, and the focus leaving it ends it a second time: only
// a text typed since the last finish is stored and sent. A value equal to
// the record's is sent all the same: typing it again is how the operator
// brings a device that holds something else back in line.
bool OpParamSet::takeFinishedEdit(int n)
{
    QLineEdit* e = ui_->e(n);
    if (!e->isModified())
        return false;
    e->setModified(false);
    return true;
}

void OpParamSet::on_lineEdit_editingFinished()
{
    OutputWindowRecord* w = currentRecord();
    if (!takeFinishedEdit(1) || !w)
        return;
    w->mosaicHs = EditValue(ui_->e(1)->text());
    emit sigOPPosChange(w, cellOfRecord(currentOutput_));
    sendWindow(*w);
}

void OpParamSet::on_lineEdit_2_editingFinished()
{
    OutputWindowRecord* w = currentRecord();
    if (!takeFinishedEdit(2) || !w)
        return;
    w->mosaicVs = EditValue(ui_->e(2)->text());
    emit sigOPPosChange(w, cellOfRecord(currentOutput_));
    sendWindow(*w);
}

void OpParamSet::on_lineEdit_5_editingFinished()
{
    OutputWindowRecord* w = currentRecord();
    if (!takeFinishedEdit(5) || !w)
        return;
    w->hs = RasterPosition(EditValue(ui_->e(5)->text()));
    sendWindow(*w);
}

void OpParamSet::on_lineEdit_7_editingFinished()
{
    OutputWindowRecord* w = currentRecord();
    if (!takeFinishedEdit(7) || !w)
        return;
    w->vs = RasterPosition(EditValue(ui_->e(7)->text()));
    sendWindow(*w);
}

void OpParamSet::on_lineEdit_6_editingFinished()
{
    OutputWindowRecord* w = currentRecord();
    if (!takeFinishedEdit(6) || !w)
        return;
    const int typed = EditValue(ui_->e(6)->text());
    const Size s = ClipToOutput(typed, 0, Record().M_OutputData.M_OutputResoCfg);
    if (s.width != typed) {
        ui_->e(6)->setText(QString::number(s.width));
        showExceedTip();
    }
    w->hact = uint16_t(s.width);
    w->mosaicHact = s.width;
    ui_->e(3)->setText(QString::number(w->mosaicHact));
    emit sigOPPosChange(w, cellOfRecord(currentOutput_));
    sendWindow(*w);
}

void OpParamSet::on_lineEdit_8_editingFinished()
{
    OutputWindowRecord* w = currentRecord();
    if (!takeFinishedEdit(8) || !w)
        return;
    const int typed = EditValue(ui_->e(8)->text());
    const Size s = ClipToOutput(0, typed, Record().M_OutputData.M_OutputResoCfg);
    if (s.height != typed) {
        ui_->e(8)->setText(QString::number(s.height));
        showExceedTip();
    }
    w->vact = uint16_t(s.height);
    w->mosaicVact = s.height;
    ui_->e(4)->setText(QString::number(w->mosaicVact));
    emit sigOPPosChange(w, cellOfRecord(currentOutput_));
    sendWindow(*w);
}

void OpParamSet::on_pushButton_10_clicked(bool checked)
{
    OutputWindowRecord* w = currentRecord();
    if (!w)
        return;
    w->onOff = checked ? 1 : 0;
    emit sigOPOnoff(w, cellOfRecord(currentOutput_));
    sendWindow(*w);
}

void OpParamSet::on_pushButton_11_clicked()
{
    OutputWindowRecord* w = currentRecord();
    if (!w)
        return;
    Reset(*w, Record().M_OutputData.M_OutputResoCfg);
    ShowOutputWindow();
    emit sigOPPosChange(w, cellOfRecord(currentOutput_));
    sendWindow(*w);
}

void OpParamSet::applyLayout(int kind)
{
    MData& d = Record();
    const int wm = d.M_AllCfg.workMode;
    const int om = d.M_OutputData.M_OutputResoCfg.outputMode;
    const Range range = LayoutRange(wm, om);
    OutputWindowRecord* windows = d.M_OutputData.M_OPDisplayCfg;
    const QVector<int> moved = Arrange(windows, range, Layout(kind));
    for (int i : moved) {
        emit sigOPPosChange(&windows[i], i - range.first);
        sendWindow(windows[i]);
    }
    ShowOutputWindow();
    emit SigOuputLayout();
}

void OpParamSet::on_pushButton_7_clicked()
{
    applyLayout(int(Layout::Horizontal));
}

void OpParamSet::on_pushButton_8_clicked()
{
    applyLayout(int(Layout::Vertical));
}

void OpParamSet::on_pushButton_9_clicked()
{
    applyLayout(int(Layout::Grid));
}

// ---- output mode and resolution ------------------------------------------

void OpParamSet::setHdrEnabled(bool enabled)
{
    ui_->hdmi[Hdr][0]->setEnabled(enabled);
    ui_->hdmi[Hdr][1]->setEnabled(enabled);
}

void OpParamSet::on_DVIMODEBTN_clicked()
{
    Form& f = *ui_;
    resoDlg_->SetMode(DVI_MODE, true);
    f.HDMISETTINGBTN->setEnabled(false);
    f.HDMISETTINGGBOX->hide();
    f.HDMISETTINGBTN->setChecked(false);
    OutputResoCfg& reso = Record().M_OutputData.M_OutputResoCfg;
    if (reso.outputMode == DVI_MODE)
        return;
    reso.outputMode = DVI_MODE;
    reso.resoId = 10;  // "1920 x 1080 60Hz" of the DVI presets
    const uint8_t preset = 0;
    SendCommand(&reso, SEND_OUTPUTRESOCMD, &preset, QString());
    setHdrEnabled(false);
    showProgressDialog(kOutputModeSwitch);
}

void OpParamSet::on_HDMIMODEBTN_clicked()
{
    resoDlg_->SetMode(HDMI_MODE, true);
    ui_->HDMISETTINGBTN->setEnabled(true);
    OutputResoCfg& reso = Record().M_OutputData.M_OutputResoCfg;
    if (reso.outputMode == HDMI_MODE)
        return;
    reso.outputMode = HDMI_MODE;
    reso.resoId = 26;  // "1920 x 1080 60Hz" of the HDMI presets
    const uint8_t preset = 0;
    SendCommand(&reso, SEND_OUTPUTRESOCMD, &preset, QString());
    // The device's answer moves the edits to record 4.
    setHdrEnabled(currentOutput_ == kFirstHdmi);
    showProgressDialog(kOutputModeSwitch);
}

void OpParamSet::on_OPRESOBTN_clicked()
{
    SetControlsHidden(true);
    resoDlg_->Refresh();
    resoDlg_->show();
}

void OpParamSet::On_DviResoDlgCLose()
{
    SetControlsHidden(false);
}

void OpParamSet::CloseResoDlg()
{
    resoDlg_->hide();
    SetControlsHidden(false);
}

// ---- HDMI settings ---------------------------------------------------------

void OpParamSet::on_HDMISETTINGBTN_clicked(bool checked)
{
    ui_->HDMISETTINGGBOX->setVisible(checked);
}

void OpParamSet::setHdmiField(int row, int value)
{
    HdmiSettingCfg& cfg = Record().M_OutputData.M_HdmiSettingCfg;
    SetHdmiField(cfg, row, value);
    SendCommand(&cfg, SEND_HDMISETTINGCMD, nullptr, QString());
}

void OpParamSet::on_pushButton_clicked()
{
    setHdmiField(ColorSpace, kHdmiRowButtons[ColorSpace].value[0]);
}
void OpParamSet::on_pushButton_2_clicked()
{
    setHdmiField(ColorSpace, kHdmiRowButtons[ColorSpace].value[1]);
}
void OpParamSet::on_pushButton_3_clicked()
{
    setHdmiField(ColorDepth, kHdmiRowButtons[ColorDepth].value[0]);
}
void OpParamSet::on_pushButton_4_clicked()
{
    setHdmiField(ColorDepth, kHdmiRowButtons[ColorDepth].value[1]);
}
void OpParamSet::on_pushButton_5_clicked()
{
    setHdmiField(RgbRange, kHdmiRowButtons[RgbRange].value[0]);
}
void OpParamSet::on_pushButton_6_clicked()
{
    setHdmiField(RgbRange, kHdmiRowButtons[RgbRange].value[1]);
}
void OpParamSet::on_pushButton_13_clicked()
{
    setHdmiField(Hdr, kHdmiRowButtons[Hdr].value[0]);
}
void OpParamSet::on_pushButton_12_clicked()
{
    setHdmiField(Hdr, kHdmiRowButtons[Hdr].value[1]);
}
void OpParamSet::on_pushButton_17_clicked()
{
    setHdmiField(DviHdmi, kHdmiRowButtons[DviHdmi].value[0]);
}
void OpParamSet::on_pushButton_18_clicked()
{
    setHdmiField(DviHdmi, kHdmiRowButtons[DviHdmi].value[1]);
}
void OpParamSet::on_pushButton_19_clicked()
{
    setHdmiField(OutputPort, kHdmiRowButtons[OutputPort].value[0]);
}
void OpParamSet::on_pushButton_20_clicked()
{
    setHdmiField(OutputPort, kHdmiRowButtons[OutputPort].value[1]);
}

void OpParamSet::On_SigUIRefreshOutputHdmiSetting(int)
{
    const HdmiSettingCfg& cfg = Record().M_OutputData.M_HdmiSettingCfg;
    for (int r = 0; r < kHdmiRows; ++r) {
        const int b = HdmiButtonOf(cfg, r);
        if (b >= 0)
            ui_->hdmi[r][size_t(b)]->setChecked(true);
    }
}

void OpParamSet::On_SigUIRefreshHDRStatus(int Status)
{
    ui_->hdmi[Hdr][(Status & 1) ? 0 : 1]->setChecked(true);
}

// ---- working mode ----------------------------------------------------------

void OpParamSet::selectWorkMode(int mode)
{
    MData& d = Record();
    if (d.M_AllCfg.workMode == mode)
        return;
    d.M_AllCfg.workMode = mode;
    SendCommand(&d.M_AllCfg, SEND_ALLCFGCMD, nullptr, QString());
    showProgressDialog(kWorkModeSwitch);
}

void OpParamSet::on_pushButton_14_clicked()
{
    selectWorkMode(MOSAIC_MODE);
}

void OpParamSet::on_pushButton_15_clicked()
{
    selectWorkMode(SWITCHER_MODE);
}

void OpParamSet::on_pushButton_16_clicked()
{
    selectWorkMode(BACKUP_MODE);
}

// ---- refresh ---------------------------------------------------------------

void OpParamSet::On_SigUIRefreshOutputReso()
{
    Form& f = *ui_;
    const int om = Record().M_OutputData.M_OutputResoCfg.outputMode;
    if (om == DVI_MODE) {
        resoDlg_->SetMode(DVI_MODE, false);
        f.DVIMODEBTN->setChecked(true);
        f.HDMISETTINGBTN->setEnabled(false);
        f.HDMISETTINGGBOX->hide();
        currentOutput_ = 0;
    } else if (om == HDMI_MODE) {
        resoDlg_->SetMode(HDMI_MODE, false);
        f.HDMIMODEBTN->setChecked(true);
        f.HDMISETTINGBTN->setEnabled(true);
        currentOutput_ = kFirstHdmi;
    } else {
        // A mode this tool does not know (a newer firmware's, a damaged
        // file's) changes nothing and never becomes an OutputMode_Enum.
        return;
    }
    emit SigOuputMode(OutputMode_Enum(om));
}

void OpParamSet::On_SigUIRefreshOutputWindow(int idx)
{
    if (idx == currentOutput_)
        windowRedraw_->request();
}

void OpParamSet::On_SigUIRefreshAllCfg()
{
    Form& f = *ui_;
    const int wm = Record().M_AllCfg.workMode;
    if (wm == MOSAIC_MODE || wm == BACKUP_MODE || wm == SWITCHER_MODE) {
        const bool switcher = wm == SWITCHER_MODE;
        (switcher ? f.HDMIMODEBTN : f.DVIMODEBTN)->setChecked(true);
        f.DVIMODEBTN->setEnabled(!switcher);
        for (QWidget* w : std::initializer_list<QWidget*>{f.b(7), f.b(8), f.b(9), f.MosaicGroup,
                                                          f.OpWindowGroup})
            w->setEnabled(!switcher);
        f.b(19)->setEnabled(switcher);
        f.b(20)->setEnabled(switcher);
        if (switcher)
            f.HDMISETTINGBTN->setEnabled(true);
        f.b(wm == MOSAIC_MODE ? 14 : switcher ? 15 : 16)->setChecked(true);
    }
    On_SigUIRefreshOutputReso();
}

void OpParamSet::UiRefreshAll()
{
    On_SigUIRefreshAllCfg();
}

// ---- progress --------------------------------------------------------------

void OpParamSet::showProgressDialog(const ProgressHelper::Operation& op)
{
    // One dialog for both switches: a new switch restarts the count on the
    // dialog on screen and takes over the time-out text.
    progress_->startOperation(op);
}

void OpParamSet::stopProgressDialog()
{
    progress_->stopProgressDialog();
}

void OpParamSet::updateProgressDialog()
{
    if (progress_->isRunning())
        progress_->updateProgressDialog();
}

void OpParamSet::On_SigUIRefreshRequstCmdEnd()
{
    stopProgressDialog();
}
