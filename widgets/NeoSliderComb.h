// The program's numeric control: a name, a slider and an editable value box.
// The value is the slider position divided by `divisor`; one end of the range
// can show a word ("OFF") instead of its number. A drag reports once, on release.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QSlider;

class NeoSliderComb : public QWidget {
    Q_OBJECT

public:
    explicit NeoSliderComb(QWidget* parent);

    void setLabelText(const QString& text);
    void setRange(float min, float max);
    void setValue(float position, bool emitChange);
    void setSliderEnabled(bool enabled);
    void setSpecialText(const QString& text, bool atMaximum);
    void setEditFixedSize(int w, int h);
    void setSliderFixedSize(int w, int h);
    void setLabelFixedSize(int w, int h);
    void setAllFont(const QFont& font);

    float divisor = 1.0f;

signals:
    void SliderValueChange(float Value);

public slots:
    void setValueChange(int Value);
    void On_sliderPressed();
    void On_sliderReleased();
    void EditFinished();

protected:
    // Deliberately empty: the control keeps its texts across language changes.
    void changeEvent(QEvent* event) override;

private:
    int chosenEnd() const;
    bool showsSpecialAt(float position) const;
    QString numberText(float value) const;
    float readBox() const;
    float clamp(float value);

    QSlider* slider_ = nullptr;
    QLabel* label_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QString specialText_;
    bool specialAtMax_ = false;
    bool emitPending_ = false;
    bool holdingBack_ = false;
};
