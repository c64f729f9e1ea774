#include "NeoSliderComb.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

NeoSliderComb::NeoSliderComb(QWidget* parent) : QWidget(parent)
{
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(QStringLiteral("slider"));
    slider_->setFixedSize(140, 28);
    slider_->setSingleStep(1);
    label_ = new QLabel(QStringLiteral("BrightLevel"), this);
    label_->setObjectName(QStringLiteral("label"));
    label_->setAlignment(Qt::AlignRight | Qt::AlignHCenter | Qt::AlignVCenter);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("valueBox"));
    edit_->setFixedSize(50, 28);
    edit_->setAlignment(Qt::AlignCenter);

    auto* row = new QHBoxLayout(this);
    row->addWidget(label_);
    row->addWidget(slider_);
    row->addWidget(edit_);
    row->setSpacing(2);
    row->addStretch();

    // Slider, value box and label are styled by the application style sheet.

    connect(slider_, SIGNAL(valueChanged(int)), this, SLOT(setValueChange(int)));
    connect(slider_, SIGNAL(sliderPressed()), this, SLOT(On_sliderPressed()));
    connect(slider_, SIGNAL(sliderReleased()), this, SLOT(On_sliderReleased()));
    connect(edit_, SIGNAL(editingFinished()), this, SLOT(EditFinished()));
}

void NeoSliderComb::setLabelText(const QString& text)
{
    label_->setText(text);
}

void NeoSliderComb::setRange(float min, float max)
{
    slider_->setRange(static_cast<int>(min), static_cast<int>(max));
}

void NeoSliderComb::setValue(float position, bool emitChange)
{
    holdingBack_ = true;
    emitPending_ = emitChange;
    slider_->setValue(static_cast<int>(position));
    holdingBack_ = false;
    if (showsSpecialAt(position))
        edit_->setText(specialText_);
}

void NeoSliderComb::setSliderEnabled(bool enabled)
{
    edit_->setEnabled(enabled);
    slider_->setEnabled(enabled);
}

void NeoSliderComb::setSpecialText(const QString& text, bool atMaximum)
{
    specialText_ = text;
    specialAtMax_ = atMaximum;
}

void NeoSliderComb::setEditFixedSize(int w, int h)
{
    edit_->setFixedSize(w, h);
}

void NeoSliderComb::setSliderFixedSize(int w, int h)
{
    slider_->setFixedSize(w, h);
}

void NeoSliderComb::setLabelFixedSize(int w, int h)
{
    label_->setFixedSize(w, h);
}

void NeoSliderComb::setAllFont(const QFont& font)
{
    setFont(font);
    edit_->setFont(font);
    label_->setFont(font);
}

void NeoSliderComb::changeEvent(QEvent*) {}

int NeoSliderComb::chosenEnd() const
{
    return specialAtMax_ ? slider_->maximum() : slider_->minimum();
}

bool NeoSliderComb::showsSpecialAt(float position) const
{
    return !specialText_.isEmpty() && position == static_cast<float>(chosenEnd());
}

QString NeoSliderComb::numberText(float value) const
{
    return QStringLiteral("%1").arg(static_cast<double>(value), 0, 'g');
}

float NeoSliderComb::readBox() const
{
    const QString text = edit_->text();
    if (!specialText_.isEmpty() && text == specialText_)
        return static_cast<float>(chosenEnd()) / divisor;
    return text.toFloat();  // not a number reads as 0
}

float NeoSliderComb::clamp(float value)
{
    const float low = static_cast<float>(slider_->minimum()) / divisor;
    const float high = static_cast<float>(slider_->maximum()) / divisor;
    if (value < low) {
        value = low;
        edit_->setText(numberText(low));
    } else if (value > high) {
        value = high;
        edit_->setText(numberText(high));
    }
    return value;
}

void NeoSliderComb::setValueChange(int Value)
{
    const float value = static_cast<float>(Value) / divisor;
    edit_->setText(showsSpecialAt(static_cast<float>(Value)) ? specialText_ : numberText(value));
    if (!holdingBack_) {
        emit SliderValueChange(value);
    } else if (emitPending_) {
        emitPending_ = false;
        emit SliderValueChange(value);
    }
}

void NeoSliderComb::On_sliderPressed()
{
    holdingBack_ = true;
}

void NeoSliderComb::On_sliderReleased()
{
    const float value = clamp(readBox());
    emitPending_ = false;
    slider_->setValue(static_cast<int>(value * divisor));
    emit SliderValueChange(value);
    holdingBack_ = false;
}

void NeoSliderComb::EditFinished()
{
    float value = readBox();
    if (value == static_cast<float>(slider_->value()) / divisor)
        return;
    value = clamp(value);
    holdingBack_ = true;
    emitPending_ = false;
    slider_->setValue(static_cast<int>(value * divisor));
    emit SliderValueChange(value);
    holdingBack_ = false;
}
