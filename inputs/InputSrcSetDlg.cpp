#include "InputSrcSetDlg.h"

#include "CommandEncoder.h"
#include "EdidDlg.h"
#include "HDMIRGBColorDlg.h"
#include "ImageCrop.h"
#include "InputLook.h"
#include "InputNames.h"
#include "InputRules.h"
#include "InputSrcCell.h"
#include "MiddleHandler.h"
#include "PageHelper.h"
#include "SendCommand.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using MDataLimits::kInputs;
using MDataLimits::kPorts;

bool IsInput(int i)
{
    return i >= 0 && i < kInputs;
}

bool IsCell(int i)
{
    return i >= 0 && i < InputSrcSetDlg::kCells;
}

bool IsTile(int i)
{
    return i == 6 || i == 7;
}

// The active port of an input, or -1 when the record names one past the
// three ports it has entries for.
int ActivePort(const InputPortCfg& port)
{
    return port.actId < kPorts ? port.actId : -1;
}

int PortCount(const InputPortCfg& port)
{
    return qMin<int>(port.portNum, kPorts);
}

bool HalfHasSignal(const InputSignalInfo& s, int half, int port)
{
    return s.width[half][port] != 0 && s.height[half][port] != 0;
}

// Texts of the tile-source buttons, by source.
QString TileButtonText(int source)
{
    if (source < 4)
        return InputSrcSetDlg::tr("Input %1").arg(source + 1);
    const int input = source < 6 ? 5 : 6;
    return (source % 2 == 0 ? QStringLiteral("Input %1-L ") : QStringLiteral("Input %1-R "))
        .arg(input);
}

// Sub-cell texts before any data has arrived.
const char* const kStartSubTexts[kInputs][3] = {
    {"DVI", "DP", "SDI"},  {"DVI", "DP", "HDMI"},  {"HDMI", "DP", "DVI"},
    {"HDMI", "DP", "DVI"}, {"DVI", "DP", nullptr}, {nullptr, nullptr, nullptr}};

}  // namespace

InputSrcSetDlg::InputSrcSetDlg(QWidget* parent, Page::BuildSteps* later) : QWidget(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("InputSrcSetDlg"));
    for (int i = 0; i < 7; ++i) {
        buttons_[i] = new QPushButton(this);
        buttons_[i]->setObjectName(i == 0 ? QStringLiteral("pushButton")
                                          : QStringLiteral("pushButton_%1").arg(i + 1));
    }
    retranslateUi();
    QMetaObject::connectSlotsByName(this);
    Page::BuildSteps now;
    Page::BuildSteps& steps = later ? *later : now;
    initWidgets(steps);
    steps.add([this] { followReports(); });
    now.runAll();
}

void InputSrcSetDlg::followReports()
{
    Page::Setup(this, [this] {
        retranslateUi();
        RefreshPortButtons(current_);
        // The tile cells' default names are texts of the operator's language;
        // a tile the operator is building keeps its entries.
        for (int t = 0; t < 2; ++t) {
            const QString name = tr("Tile %1").arg(t + 1);
            cells_[6 + t]->SetSrcLabel(name);
            if (Page::CurrentRecord().M_InputData.tile[t].name.isEmpty())
                cells_[6 + t]->SetRenameLabel(name);
        }
    });

    MiddleHandler* h = MiddleHandler::GetInstance();
    // A read-back brings the port records in several replies; the cells are
    // redrawn once for all of them.
    redraw_ = new RedrawCoalescer(this, [this] { On_SigUIRefreshInputCfg(); });
    redraw_->follow(h, &MiddleHandler::SigUIRefreshInputCfg);
    // A read-back reports every port of every input; a hidden page owes its
    // cells those reports until it is shown. Made after redraw_, so that on
    // being shown the page applies them before the configuration's redraw
    // (the event filter installed last runs first), the order in which they
    // reach a page that is up.
    signalRedraw_ = new RedrawCoalescer(this, [this] { ApplyOwedSignalReports(); });
    connect(h, &MiddleHandler::SigUIRefreshInputSignal, this, &InputSrcSetDlg::FollowSignalReport);
    connect(h, SIGNAL(SigUIRefreshInputCrop(int, int)), this,
            SLOT(On_SigUIRefreshInputCrop(int, int)));
    connect(h, SIGNAL(SigUIRefreshInputEdid(int, int)), this,
            SLOT(On_SigUIRefreshInputEdid(int, int)));
    connect(h, SIGNAL(SigUIRefreshInputTile()), this, SLOT(On_SigUIRefreshInputTile()));
    // Every port's signal report changes what the tiles show; a read-back
    // brings dozens of them, and the tiles are redrawn once for them all.
    // Made without the page as its parent, so that it never waits for a
    // hidden page to be shown: the tiles' validity reaches the layer panel
    // of the page that is up.
    tileRedraw_ = new RedrawCoalescer(nullptr, [this] { On_SigUIRefreshInputTile(); });
    tileRedraw_->setParent(this);
    // A hidden page owes the tile cells' texts and looks until it is shown;
    // their sources and validity still follow every report (see above).
    tileCellRedraw_ = new RedrawCoalescer(this, [this] { On_SigUIRefreshInputTile(); });
}

void InputSrcSetDlg::retranslateUi()
{
    setWindowTitle(tr("Form"));
    const char* const texts[7] = {QT_TR_NOOP("DVI Image Crop"),
                                  QT_TR_NOOP("DP Image Crop"),
                                  QT_TR_NOOP("SDI Image Crop"),
                                  QT_TR_NOOP("DP EDID"),
                                  QT_TR_NOOP("DVI EDID"),
                                  QT_TR_NOOP("SDI EDID Not Support"),
                                  QT_TR_NOOP("HDMI RGB Color Range")};
    for (int i = 0; i < 7; ++i)
        buttons_[i]->setText(tr(texts[i]));
}

QPushButton* InputSrcSetDlg::panelButton(int n) const
{
    return n >= 1 && n <= 7 ? buttons_[n - 1] : nullptr;
}

void InputSrcSetDlg::initWidgets(Page::BuildSteps& steps)
{
    crop_ = new ImageCrop(this);
    edid_ = new EdidDlg(this);
    range_ = new HDMIRGBColorDlg(this);
    connect(crop_, SIGNAL(DlgClose()), this, SLOT(On_CropSetDlgCLose()));
    connect(edid_, SIGNAL(DlgClose()), this, SLOT(On_EdidDlgCLose()));
    connect(range_, SIGNAL(DlgClose()), this, SLOT(On_RGBColorDlgCLose()));
    crop_->hide();
    edid_->hide();
    range_->hide();

    const QFont font = InputLook::Font(12);
    for (int n = 0; n < kTileButtons; ++n) {
        auto* b = new QPushButton(TileButtonText(n % 8), this);
        b->setObjectName(QString::number(n));
        b->setFixedHeight(36);
        b->setFont(font);
        b->setStyleSheet(InputLook::kButtons);
        b->setCheckable(true);
        b->setAutoExclusive(true);
        connect(b, SIGNAL(clicked()), this, SLOT(OnClickedTileSelectBtn()));
        tileButtons_[n] = b;
    }

    // The cells, the page's heaviest parts, are a step each.
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < kCells; ++i)
        steps.add([this, layout, i] { addCell(layout, i); });
    steps.add([this, layout, font] {
        auto* cropRow = new QHBoxLayout;
        for (int i : {0, 1, 2, 6})
            cropRow->addWidget(buttons_[i]);
        auto* edidRow = new QHBoxLayout;
        for (int i : {3, 4, 5})
            edidRow->addWidget(buttons_[i]);
        layout->addLayout(cropRow);
        layout->addLayout(edidRow);
        layout->addWidget(edid_);
        layout->addWidget(crop_);
        layout->addWidget(range_);

        for (QPushButton* b : buttons_) {
            b->setStyleSheet(InputLook::kButtons);
            b->setFont(font);
            b->setMinimumHeight(36);
        }
        for (QPushButton* b : tileButtons_)
            b->hide();
    });
}

void InputSrcSetDlg::addCell(QVBoxLayout* layout, int i)
{
    auto* c = new InputSrcCell(this);
    c->index = i;
    cells_[i] = c;
    layout->addWidget(c);
    layout->setSpacing(5);
    if (i < kInputs) {
        c->SetSrcLabel(QString::asprintf("Input %d:%s", i + 1, "DVI"));
        c->SetTileMode(false);
        c->SetSubCount(i < 4 ? 3 : 2);
        c->SetRenameLabel(QString::asprintf("Input %d", i + 1));
        for (int p = 0; p < 3; ++p)
            if (kStartSubTexts[i][p])
                c->SetSubText(p, QLatin1String(kStartSubTexts[i][p]));
        if (i >= 4)
            c->SetSplit(true);
    } else {
        // The tile's row of sources sits right below its cell.
        auto* row = new QHBoxLayout;
        for (int n = (i - 6) * 8; n < (i - 5) * 8; ++n)
            row->addWidget(tileButtons_[n]);
        layout->addLayout(row);
        c->SetSubCount(4);
        c->SetTileMode(true);
        c->SetSrcLabel(tr("Tile %1").arg(i - 5));
        c->SetRenameLabel(tr("Tile %1").arg(i - 5));
    }
    connect(c, SIGNAL(ClickInputSrcEvent(int, int)), this, SLOT(OnClickInputSrc(int, int)));
    connect(c, SIGNAL(SigClickInputSubSrc(int, int)), this, SLOT(On_SigClickInputSubSrc(int, int)));
    connect(c, SIGNAL(SigRenameInputSrc(int, QString)), this,
            SLOT(On_SigRenameInputSrc(int, QString)));
    connect(c, SIGNAL(SigInputClearBtn(int)), this, SLOT(On_SigClearBtn(int)));
    connect(c, SIGNAL(SigInputApplyBtn(int)), this, SLOT(On_SigConfirmBtn(int)));
}

void InputSrcSetDlg::SetLayerPanelMode()
{
    pageMode_ = false;
    crop_->hide();
    edid_->hide();
    for (QPushButton* b : buttons_)
        b->hide();
    for (InputSrcCell* c : cells_) {
        c->SetSubCount(0);
        c->clickable = true;
    }
}

void InputSrcSetDlg::SetInputName(int idx, const QString& name)
{
    if (IsCell(idx))
        cells_[idx]->SetRenameLabel(name);
}

void InputSrcSetDlg::ResetCells() {}

void InputSrcSetDlg::UiRefreshAll()
{
    if (crop_->isVisible())
        crop_->refreshFor(current_, 0);
}

void InputSrcSetDlg::OnClickCell(int IpSrc, int AreadId)
{
    for (int i = 0; i < kCells; ++i)
        cells_[i]->SetSelected(i == IpSrc, AreadId);
}

void InputSrcSetDlg::OnClickInputSrc(int id, int AreaId)
{
    if (!IsCell(id))
        return;
    OnClickCell(id, AreaId);
    current_ = id;
    // A tile (only the compact column selects one) has no port record: the
    // listener needs only its index.
    if (IsTile(id)) {
        emit ChangeInputSrcEvent(id, AreaId, false, QString());
        return;
    }
    crop_->setInputIndex(id);
    crop_->setHalfIndex(AreaId == 1 ? 1 : 0);
    edid_->setInputIndex(id);
    range_->setInputIndex(id);
    RefreshPortButtons(id);

    const InputPortCfg& port = Page::CurrentRecord().M_InputData.port[id];
    const InputSignalInfo& sig = Page::CurrentRecord().M_InputData.signal[id];
    const int a = ActivePort(port);
    const bool bLR = a >= 0 && HalfHasSignal(sig, 1, a);
    const QString type = a >= 0 ? InputTypeName(port.inputType[a]) : QString();
    const int ports = PortCount(port);
    if (ports > 0) {
        bool hdmi = false;
        for (int p = 0; p < ports; ++p)
            hdmi = hdmi || port.inputType[p] == 2;
        buttons_[6]->setEnabled(hdmi);
    }
    emit ChangeInputSrcEvent(id, AreaId, bLR, type);
}

void InputSrcSetDlg::RefreshPortButtons(int input)
{
    if (!IsInput(input))
        return;
    const InputPortCfg& port = Page::CurrentRecord().M_InputData.port[input];
    for (int p = 0; p < kPorts; ++p)
        buttons_[p]->setText(InputTypeName(port.inputType[p]) + QLatin1Char(' ') +
                             tr("Image Crop"));
    buttons_[2]->setEnabled(port.portNum > 2);
    for (int p = 0; p < kPorts; ++p) {
        QPushButton* b = buttons_[3 + p];
        b->setEnabled(false);
        const int type = port.inputType[p];
        b->setText(InputTypeName(type) + QLatin1Char(' ') + tr("EDID"));
        b->setEnabled(type == 1 || type == 2 || type == 4);
    }
}

void InputSrcSetDlg::SwitchSubPanel(bool closing, int panel)
{
    QWidget* panels[3] = {crop_, edid_, range_};
    if (panel < 0 || panel > 2)
        return;
    if (!closing) {
        for (QPushButton* b : buttons_)
            b->hide();
        for (QPushButton* b : tileButtons_)
            b->hide();
        panels[panel]->show();
    } else {
        for (QPushButton* b : buttons_)
            b->show();
        panels[panel]->hide();
    }
}

void InputSrcSetDlg::On_CropSetDlgCLose()
{
    SwitchSubPanel(true, 0);
}

void InputSrcSetDlg::On_EdidDlgCLose()
{
    SwitchSubPanel(true, 1);
}

void InputSrcSetDlg::On_RGBColorDlgCLose()
{
    SwitchSubPanel(true, 2);
}

void InputSrcSetDlg::on_pushButton_clicked()
{
    SwitchSubPanel(false, 0);
    crop_->setPortIndex(0);
}

void InputSrcSetDlg::on_pushButton_2_clicked()
{
    SwitchSubPanel(false, 0);
    crop_->setPortIndex(1);
}

void InputSrcSetDlg::on_pushButton_3_clicked()
{
    SwitchSubPanel(false, 0);
    crop_->setPortIndex(2);
}

void InputSrcSetDlg::on_pushButton_4_clicked()
{
    SwitchSubPanel(false, 1);
    edid_->setPortIndex(0);
}

void InputSrcSetDlg::on_pushButton_5_clicked()
{
    SwitchSubPanel(false, 1);
    edid_->setPortIndex(1);
}

void InputSrcSetDlg::on_pushButton_6_clicked()
{
    SwitchSubPanel(false, 1);
    edid_->setPortIndex(2);
}

void InputSrcSetDlg::on_pushButton_7_clicked()
{
    SwitchSubPanel(false, 2);
}

void InputSrcSetDlg::SetInputTileButtonsEnabled(int input, bool enabled)
{
    if (IsCell(input)) {
        if (tileSourcesEnabled_[input] == int8_t(enabled))
            return;
        tileSourcesEnabled_[input] = int8_t(enabled);
    }
    for (int row = 0; row < 2; ++row)
        for (int s = 0; s < TileRules::kSources; ++s)
            if (TileRules::SourceInput(s) == input)
                tileButtons_[8 * row + s]->setEnabled(enabled);
}

void InputSrcSetDlg::On_SigUIRefreshInputCfg()
{
    if (pageMode_)
        OnClickInputSrc(0, 0);
    const MData& d = Page::CurrentRecord();
    for (int i = 0; i < kInputs; ++i) {
        InputSrcCell* c = cells_[i];
        const InputPortCfg& port = d.M_InputData.port[i];
        const int ports = PortCount(port);
        if (pageMode_)
            c->SetSubCount(ports);
        if (ports == 0) {
            c->clickable = false;
            c->SetSrcLabel(tr("None"));
            c->SetSignal(false);
            c->SetSignalLabel(QStringLiteral("NO SIGNAL"));
            c->SetRenameLabel(tr("None"));
            c->SetDraggable(false);
            c->SetSplit(false);
            SetInputTileButtonsEnabled(i, false);
            continue;
        }
        const int a = ActivePort(port);
        c->clickable = true;
        c->SetRenameLabel(port.inputRename.isEmpty() ? QString::asprintf("Input %d", i + 1)
                                                     : port.inputRename);
        for (int p = 0; p < ports; ++p)
            c->SetSubText(p, InputTypeName(port.inputType[p]));
        if (a < 0) {
            // No entry for the active port: nothing to show or drag from it.
            c->SetSrcLabel(InputLabel(i, -1, 0));
            c->SetDraggable(false);
            c->SetSignal(false);
            c->SetSignalLabel(QStringLiteral("NO SIGNAL"));
            SetInputTileButtonsEnabled(i, false);
            continue;
        }
        c->SetInputType(port.inputType[a]);
        // The name label carries "-L" while the cell is split.
        c->SetSrcLabel(InputLabel(i, port.inputType[a], port.chnlId[a]), c->isSplit());
        c->activePort = a;
        c->SelectSub(a, false);
        c->SetDraggable(true);
        SetInputTileButtonsEnabled(i, !d.M_InputData.signal[i].interlaced[0][a]);
    }
}

void InputSrcSetDlg::On_SigUIRefreshInputSignal(int GId, int PId)
{
    if (!IsInput(GId) || PId < 0 || PId >= kPorts)
        return;
    const MData& d = Page::CurrentRecord();
    const InputPortCfg& port = d.M_InputData.port[GId];
    const InputSignalInfo& sig = d.M_InputData.signal[GId];
    InputSrcCell* c = cells_[GId];
    const bool active = port.actId == PId;
    // The split view shows the active port's picture: a report of another
    // port leaves it alone (the device reports every port of every input in
    // a read-back, and those of version 1 would otherwise always end it).
    if (active)
        c->SetSplit(port.chnlId[PId] == 2 && HalfHasSignal(sig, 1, PId));
    if (active) {
        const int w = sig.width[0][PId], h = sig.height[0][PId];
        if (w == 0 || h == 0)
            c->SetSignalLabel(QStringLiteral("NO SIGNAL"));
        else if (sig.interlaced[0][PId])
            c->SetSignalLabel(QString::asprintf("%d i", h));
        else
            c->SetSignalLabel(QString::asprintf("%d x %d", w + sig.width[1][PId], h));
        c->SetSignal(w != 0 && h != 0);
    }
    // An input without ports (or without a usable active port) offers no
    // source, whatever its ports report.
    SetInputTileButtonsEnabled(
        GId, PortCount(port) > 0 && ActivePort(port) >= 0 && !sig.interlaced[0][PId]);
    c->SetSubSignal(PId, HalfHasSignal(sig, 0, PId));
    tileRedraw_->request();
}

void InputSrcSetDlg::FollowSignalReport(int GId, int PId)
{
    if (!signalRedraw_->oweWhileHidden()) {
        On_SigUIRefreshInputSignal(GId, PId);
        return;
    }
    // Each report redraws from the record as it then stands: of repeats, the
    // last one alone leaves its mark, in its place among the others.
    const std::pair<int, int> report(GId, PId);
    owedSignalReports_.erase(
        std::remove(owedSignalReports_.begin(), owedSignalReports_.end(), report),
        owedSignalReports_.end());
    owedSignalReports_.push_back(report);
    // The tiles' validity reaches the layer panel of the page that is up.
    tileRedraw_->request();
}

void InputSrcSetDlg::ApplyOwedSignalReports()
{
    const std::vector<std::pair<int, int>> reports = std::move(owedSignalReports_);
    owedSignalReports_.clear();
    for (const std::pair<int, int>& r : reports)
        On_SigUIRefreshInputSignal(r.first, r.second);
}

void InputSrcSetDlg::On_SigClickInputSubSrc(int idx, int SubId)
{
    if (!IsCell(idx) || SubId < 0 || SubId >= InputSrcCell::kSubCells)
        return;
    if (IsTile(idx)) {
        const int row = idx - 6;
        const bool shown = tileButtons_[8 * row]->isVisible();
        for (int s = 0; s < 8; ++s)
            tileButtons_[8 * row + s]->setVisible(!shown);
        editedCell_ = idx;
        editedSlot_ = SubId;
        return;
    }
    if (SubId >= kPorts)
        return;
    MData& d = Page::CurrentRecord();
    InputPortCfg& port = d.M_InputData.port[idx];
    port.actId = uint8_t(SubId);
    const uint8_t buf[2] = {uint8_t(idx), uint8_t(SubId)};
    SendCommand(buf, SEND_INPUTPORTCMD, nullptr, QString());
    InputSrcCell* c = cells_[idx];
    c->SetInputType(port.inputType[SubId]);
    c->SetSrcLabel(InputLabel(idx, port.inputType[SubId], port.chnlId[SubId]));
    c->activePort = SubId;
    On_SigUIRefreshInputSignal(idx, SubId);
    emit SigChangeInputSubSrc(idx, SubId);
}

void InputSrcSetDlg::On_SigRenameInputSrc(int idx, QString Str)
{
    if (!IsCell(idx))
        return;
    emit SigRenameInputSrc(idx, Str);
    MData& d = Page::CurrentRecord();
    if (IsInput(idx))
        d.M_InputData.port[idx].inputRename = Str;
    else
        d.M_InputData.tile[idx - 6].name = Str;
}

void InputSrcSetDlg::On_SigUIRefreshInputCrop(int Gid, int Pid)
{
    if (crop_->isVisible())
        crop_->refreshFor(Gid, Pid);
}

void InputSrcSetDlg::On_SigUIRefreshInputEdid(int Gid, int Pid)
{
    if (edid_->isVisible())
        edid_->refreshFor(Gid, Pid);
}

void InputSrcSetDlg::On_SigRenameToInputSrc(int idx, QString Str)
{
    SetInputName(idx, Str);
}

// --- Tile editor -------------------------------------------------------

int InputSrcSetDlg::TileSourceWidth(int s) const
{
    return TileRules::SignalOf(Page::CurrentRecord(), s).width;
}

int InputSrcSetDlg::TileSourceHeight(int s) const
{
    return TileRules::SignalOf(Page::CurrentRecord(), s).height;
}

bool InputSrcSetDlg::TileSourceHasSignal(int s) const
{
    return TileSourceWidth(s) != 0 && TileSourceHeight(s) != 0;
}

bool InputSrcSetDlg::TileSourceInterlaced(int s) const
{
    return TileRules::SignalOf(Page::CurrentRecord(), s).interlaced;
}

bool InputSrcSetDlg::IsTileSourceValid(int count, uint8_t s0, uint8_t s1, uint8_t s2,
                                       uint8_t s3) const
{
    const uint8_t s[4] = {s0, s1, s2, s3};
    return TileRules::IsValid(Page::CurrentRecord(), count, s);
}

void InputSrcSetDlg::OnClickedTileSelectBtn()
{
    auto* button = qobject_cast<QPushButton*>(sender());
    if (!button || !IsTile(editedCell_) || editedSlot_ < 0 || editedSlot_ >= 4)
        return;
    bool ok = false;
    const int n = button->objectName().toInt(&ok);
    if (!ok || n < 0 || n >= kTileButtons)
        return;
    const int row = n / 8, source = n % 8;
    for (int s = 0; s < 8; ++s)
        tileButtons_[8 * row + s]->hide();

    InputSrcCell* c = cells_[editedCell_];
    uint8_t cand[4];
    for (int i = 0; i < 4; ++i)
        cand[i] = uint8_t(c->SubSource(i));
    cand[editedSlot_] = uint8_t(source);
    int k = 0;
    for (uint8_t v : cand)
        k += v < TileRules::kSources ? 1 : 0;
    const bool valid = IsTileSourceValid(k, cand[0], cand[1], cand[2], cand[3]);
    c->SetApplyEnabled(valid);
    if (k == 1 || valid) {
        if (editedSlot_ < 3)
            c->SetSubEnabled(editedSlot_ + 1, true);
        c->SetSubSource(editedSlot_, source);
        c->SetSubText(editedSlot_, button->text());
        return;
    }
    uint8_t now[4];
    int filled = 0;
    for (int i = 0; i < 4; ++i) {
        now[i] = uint8_t(c->SubSource(i));
        filled += now[i] < TileRules::kSources ? 1 : 0;
    }
    c->SetApplyEnabled(IsTileSourceValid(filled, now[0], now[1], now[2], now[3]));
}

void InputSrcSetDlg::On_SigConfirmBtn(int Gid)
{
    if (!IsTile(Gid))
        return;
    MData& d = Page::CurrentRecord();
    InputTileCfg& tile = d.M_InputData.tile[Gid - 6];
    InputSrcCell* c = cells_[Gid];
    int k = 0;
    for (int i = 0; i < 4; ++i) {
        const int s = c->SubSource(i);
        if (s < 0 || s >= TileRules::kSources)
            continue;
        tile.input[i] = TileRules::SourceInput(s);
        tile.half[i] = TileRules::SourceHalf(s);
        ++k;
    }
    tile.count = k;
    emit SigInputTileEnable(Gid, k > 1);
    SendCommand(&d.M_InputData, SEND_INPUTTILECMD, nullptr, QString());
    On_SigUIRefreshInputTile();
}

void InputSrcSetDlg::On_SigClearBtn(int Gid)
{
    if (!IsTile(Gid))
        return;
    InputSrcCell* c = cells_[Gid];
    for (int i = 0; i < 4; ++i)
        c->SetSubEnabled(i, i == 0);
    On_SigConfirmBtn(Gid);
}

void InputSrcSetDlg::On_SigUIRefreshInputTile()
{
    const bool draw = !tileCellRedraw_->oweWhileHidden();
    RedrawTile(0, draw);
    RedrawTile(1, draw);
}

// Without draw, only what is not drawn: the cell's sources and validity, and
// the validity's report.
void InputSrcSetDlg::RedrawTile(int t, bool draw)
{
    const MData& d = Page::CurrentRecord();
    const InputTileCfg& tile = d.M_InputData.tile[t];
    InputSrcCell* c = cells_[6 + t];
    if (draw)
        c->SetRenameLabel(tile.name.isEmpty() ? tr("Tile %1").arg(t + 1) : tile.name);
    if (tile.count < 2 || tile.count > 4) {
        for (int i = 0; i < 4; ++i) {
            c->SetSubSource(i, InputSrcCell::kNoSource);
            if (draw) {
                c->SetSubText(i, QStringLiteral("NONE"));
                c->SetSubEnabled(i, i == 0);
            }
        }
        if (draw)
            c->SetApplyEnabled(false);
        c->SetTileValid(false);
        emit SigInputTileEnable(6 + t, false);
        if (draw)
            c->SetSignalLabel(QString());
        return;
    }
    QString summary = QStringLiteral("Input:");
    for (int i = 0; i < tile.count; ++i) {
        const int in = tile.input[i];
        if (in < 0 || in >= kInputs)
            continue;
        const int source = TileRules::SourceFor(in, tile.half[i] != 0 ? 1 : 0);
        c->SetSubSource(i, source);
        if (!draw)
            continue;
        QString text;
        if (tile.half[i] != 0) {
            text = QString::asprintf("Input %d -R", in + 1);
            summary += QString::number(in + 1) + QStringLiteral("R,");
        } else {
            const InputPortCfg& port = d.M_InputData.port[in];
            const int a = ActivePort(port);
            const InputSignalInfo& sig = d.M_InputData.signal[in];
            if (a >= 0 && sig.width[0][a] != 0 && sig.width[1][a] != 0) {
                text = QString::asprintf("Input %d -L", in + 1);
                summary += QString::number(in + 1) + QStringLiteral("L,");
            } else {
                text = QString::asprintf("Input %d", in + 1);
                summary += QString::number(in + 1) + QStringLiteral(",");
            }
        }
        c->SetSubText(i, text);
        c->SetSubEnabled(i, true);
    }
    for (int i = tile.count; i < 4; ++i) {
        c->SetSubSource(i, InputSrcCell::kNoSource);
        if (draw) {
            c->SetSubText(i, QStringLiteral("NONE"));
            c->SetSubEnabled(i, i == tile.count);
        }
    }
    uint8_t s[4];
    int k = 0;
    for (int i = 0; i < 4; ++i) {
        s[i] = uint8_t(c->SubSource(i));
        k += s[i] < TileRules::kSources ? 1 : 0;
    }
    const bool valid = IsTileSourceValid(k, s[0], s[1], s[2], s[3]);
    if (draw)
        c->SetApplyEnabled(valid);
    c->SetTileValid(valid);
    emit SigInputTileEnable(6 + t, valid);
    if (draw)
        c->SetSignalLabel(summary);
}

void InputSrcSetDlg::SetTileEnable(int idx, bool bEnable)
{
    if (IsTile(idx))
        cells_[idx]->SetTileValid(bEnable);
    tileRedraw_->request();
}
