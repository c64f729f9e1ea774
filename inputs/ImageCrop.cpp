#include "ImageCrop.h"

#include "CommandEncoder.h"
#include "InputLook.h"
#include "InputRules.h"
#include "MiddleHandler.h"
#include "ResizeShowComponent.h"
#include "SendCommand.h"
#include "PageHelper.h"
#include "TitleBar.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
enum Which { kPos, kSize, kRange };
}

ImageCrop::ImageCrop(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ImageCrop"));
    groupBox_ = new QGroupBox(this);
    groupBox_->setObjectName(QStringLiteral("groupBox"));
    const char* const labelNames[6] = {"label_2", "label_4", "label_6",
                                       "label_3", "label_5", "label_7"};
    for (int i = 0; i < 6; ++i) {
        labels_[i] = new QLabel(groupBox_);
        labels_[i]->setObjectName(QLatin1String(labelNames[i]));
        edits_[i] = new QLineEdit(groupBox_);
        edits_[i]->setObjectName(i == 0 ? QStringLiteral("lineEdit")
                                        : QStringLiteral("lineEdit_%1").arg(i + 1));
    }
    onOff_ = new QPushButton(this);
    onOff_->setObjectName(QStringLiteral("CropOnoffBtn"));
    onOff_->setCheckable(true);
    match_ = new QPushButton(this);
    match_->setObjectName(QStringLiteral("pushButton_2"));
    reset_ = new QPushButton(this);
    reset_->setObjectName(QStringLiteral("pushButton"));
    exit_ = new QPushButton(this);
    exit_->setObjectName(QStringLiteral("pushButton_3"));
    retranslateUi();
    QMetaObject::connectSlotsByName(this);
    initWidgets();
}

void ImageCrop::retranslateUi()
{
    setWindowTitle(tr("Form"));
    groupBox_->setTitle(tr("Crop Setting"));
    const char* const texts[6] = {QT_TR_NOOP("Hpos"), QT_TR_NOOP("Hact"), QT_TR_NOOP("HRange"),
                                  QT_TR_NOOP("Vpos"), QT_TR_NOOP("Vact"), QT_TR_NOOP("VRange")};
    for (int i = 0; i < 6; ++i)
        labels_[i]->setText(tr(texts[i]));
    match_->setText(tr("Match To Input"));
    reset_->setText(tr("Reset"));
    exit_->setText(tr("Exit"));
}

void ImageCrop::initWidgets()
{
    canvas_ = new ResizeShowComponent(this);
    connect(canvas_, &ResizeShowComponent::SigRealSize, this, &ImageCrop::On_SigRealSize);
    canvas_->installEventFilter(this);

    const QFont font = InputLook::Font(12);
    auto* validator = new QIntValidator(0, 9999, this);
    // Edits in the grid: Hpos Hact HRange / Vpos Vact VRange.
    const int editAt[6] = {0, 2, 4, 1, 3, 5};
    auto* grid = new QGridLayout(groupBox_);
    for (int i = 0; i < 6; ++i) {
        QLineEdit* edit = edits_[editAt[i]];
        edit->setAlignment(Qt::AlignCenter);
        edit->setMaximumSize(50, 28);
        edit->setFont(font);
        edit->setStyleSheet(InputLook::kEdit);
        edit->setValidator(validator);
        grid->addWidget(labels_[i], i / 3, 2 * (i % 3));
        grid->addWidget(edit, i / 3, 2 * (i % 3) + 1);
    }
    grid->addWidget(canvas_, 0, 6, 2, 1);
    grid->setColumnStretch(6, 1);
    groupBox_->setFont(font);
    groupBox_->setStyleSheet(InputLook::kGroupBox);

    onOff_->setFixedSize(70, 32);
    onOff_->setStyleSheet(
        QStringLiteral("QPushButton{border-image:url(:/res/Image/OnOff_off.png);border:0px;}"
                       "QPushButton:checked{border-image:url(:/res/Image/OnOff_on.png);}"));
    for (QPushButton* b : {match_, reset_, exit_}) {
        b->setFont(font);
        b->setStyleSheet(InputLook::kButtons);
        b->setMinimumHeight(32);
    }
    auto* buttons = new QGridLayout;
    buttons->setContentsMargins(0, 0, 50, 0);
    buttons->addWidget(onOff_, 0, 0);
    buttons->addWidget(match_, 0, 1);
    buttons->addWidget(reset_, 0, 2);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 26, 0, 0);
    row->addWidget(groupBox_, 2);
    row->addLayout(buttons, 1);
    initTitleBar();
    exit_->hide();
}

void ImageCrop::initTitleBar()
{
    titleBar_ = Page::AddSubPageTitleBar(this);
}

void ImageCrop::setInputIndex(int input)
{
    input_ = input;
    if (isVisible())
        refresh(true);
}

void ImageCrop::setHalfIndex(int half)
{
    half_ = half;
    if (isVisible())
        refresh(true);
}

void ImageCrop::setPortIndex(int port)
{
    port_ = port;
    refresh(true);
}

void ImageCrop::refreshFor(int input, int port)
{
    if (input == input_ && port == port_)
        refresh(true);
}

InputCropCfg* ImageCrop::current() const
{
    if (input_ < 0 || input_ >= MDataLimits::kInputs || port_ < 0 || port_ >= MDataLimits::kPorts ||
        half_ < 0 || half_ >= MDataLimits::kHalves)
        return nullptr;
    MData* data = MiddleHandler::GetInstance()->GetCurrentMData();
    return data ? &data->M_InputData.crop[input_] : nullptr;
}

// Setting texts and the checked state runs none of the edit slots.
void ImageCrop::refresh(bool withCanvas)
{
    const InputCropCfg* c = current();
    if (!c)
        return;
    const int k = entry();
    onOff_->setChecked(c->onOff[k]);
    const uint16_t values[6] = {c->hs[k],   c->vs[k],     c->hact[k],
                                c->vact[k], c->hRange[k], c->vRange[k]};
    for (int i = 0; i < 6; ++i)
        edits_[i]->setText(QString::number(values[i]));
    if (withCanvas)
        updateCanvas();
}

void ImageCrop::updateCanvas()
{
    const InputCropCfg* c = current();
    if (!c)
        return;
    const int k = entry();
    canvas_->setRealCanvas(0, 0, c->hRange[k] - 1, c->vRange[k] - 1);
    canvas_->setRealRect(c->hs[k], c->vs[k], c->hs[k] + c->hact[k] - 1, c->vs[k] + c->vact[k] - 1);
    canvas_->setMinimumRealSize(CropRules::kMinSize, CropRules::kMinSize);
}

// The command carries both halves of the port, so it is built from a copy of
// the whole input as it stands after the change.
void ImageCrop::send()
{
    const InputCropCfg* c = current();
    if (!c)
        return;
    const InputCropCfg snapshot = *c;
    const uint8_t addr[3] = {uint8_t(input_), uint8_t(port_), 0};
    SendCommand(&snapshot, SEND_INPUTCROPCMD, addr, QString());
}

void ImageCrop::editFinished(QLineEdit* edit, bool vertical, int which)
{
    InputCropCfg* c = current();
    if (!c)
        return;
    const int k = entry();
    uint16_t& pos = vertical ? c->vs[k] : c->hs[k];
    uint16_t& size = vertical ? c->vact[k] : c->hact[k];
    uint16_t& range = vertical ? c->vRange[k] : c->hRange[k];
    const uint16_t value = uint16_t(qBound(0, edit->text().toInt(), 65535));
    const CropRules::Span before{pos, size, range};
    const CropRules::Span after = which == kPos    ? CropRules::SetPosition(before, value)
                                  : which == kSize ? CropRules::SetSize(before, value)
                                                   : CropRules::SetRange(before, value);
    pos = after.pos;
    size = after.size;
    range = after.range;
    refresh(true);
    send();
}

void ImageCrop::on_lineEdit_editingFinished()
{
    editFinished(edits_[0], false, kPos);
}

void ImageCrop::on_lineEdit_2_editingFinished()
{
    editFinished(edits_[1], true, kPos);
}

void ImageCrop::on_lineEdit_3_editingFinished()
{
    editFinished(edits_[2], false, kSize);
}

void ImageCrop::on_lineEdit_4_editingFinished()
{
    editFinished(edits_[3], true, kSize);
}

void ImageCrop::on_lineEdit_5_editingFinished()
{
    editFinished(edits_[4], false, kRange);
}

void ImageCrop::on_lineEdit_6_editingFinished()
{
    editFinished(edits_[5], true, kRange);
}

void ImageCrop::on_CropOnoffBtn_clicked(bool checked)
{
    InputCropCfg* c = current();
    if (!c)
        return;
    c->onOff[entry()] = checked;
    send();
}

void ImageCrop::on_pushButton_clicked()
{
    InputCropCfg* c = current();
    if (!c)
        return;
    const int k = entry();
    c->hs[k] = 0;
    c->vs[k] = 0;
    c->hact[k] = c->hRange[k];
    c->vact[k] = c->vRange[k];
    send();
    refresh(true);
}

// A port without signal measures 0 x 0: matching it would write an empty
// window to the device, so nothing changes.
void ImageCrop::on_pushButton_2_clicked()
{
    InputCropCfg* c = current();
    if (!c)
        return;
    const int k = entry();
    const InputSignalInfo& sig =
        MiddleHandler::GetInstance()->GetCurrentMData()->M_InputData.signal[input_];
    const uint16_t w = sig.width[half_][port_];
    const uint16_t h = sig.height[half_][port_];
    CropRules::Span hs{c->hs[k], c->hact[k], c->hRange[k]};
    CropRules::Span vs{c->vs[k], c->vact[k], c->vRange[k]};
    if (w == 0 || h == 0 || hs.range == 0 || vs.range == 0)
        return;
    CropRules::MatchToInput(hs, w);
    CropRules::MatchToInput(vs, h);
    c->hs[k] = hs.pos;
    c->hact[k] = hs.size;
    c->hRange[k] = hs.range;
    c->vs[k] = vs.pos;
    c->vact[k] = vs.size;
    c->vRange[k] = vs.range;
    send();
    refresh(true);
}

void ImageCrop::on_pushButton_3_clicked() {}

void ImageCrop::On_SigRealSize(QRect RealRc, bool bSendCMD)
{
    InputCropCfg* c = current();
    if (!c)
        return;
    const int k = entry();
    c->hs[k] = uint16_t(qMax(0, RealRc.left()));
    c->vs[k] = uint16_t(qMax(0, RealRc.top()));
    c->hact[k] = uint16_t(qMax(0, RealRc.right() - RealRc.left() + 1));
    c->vact[k] = uint16_t(qMax(0, RealRc.bottom() - RealRc.top() + 1));
    if (bSendCMD)
        send();
    refresh(false);
}

void ImageCrop::resizeEvent(QResizeEvent* event)
{
    titleBar_->resize(width(), TitleBar::kHeight);
    QWidget::resizeEvent(event);
    event->ignore();
}

void ImageCrop::closeEvent(QCloseEvent* event)
{
    emit DlgClose();
    event->accept();
}

// The canvas fixes its scale from its size when it is given the range, and
// fills itself with the rectangle when resized: the panel is laid out only
// after it is shown, so the window is drawn again once the canvas has its size.
bool ImageCrop::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == canvas_ && event->type() == QEvent::Resize)
        QMetaObject::invokeMethod(
            this, [this] { updateCanvas(); }, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, event);
}

void ImageCrop::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}
