// Setters for the pages' redraws from the record. A read-back reports the
// whole configuration again, nearly all of it as it stands, and some of Qt's
// setters lay out, restyle and repaint even when given the value the widget
// already shows (a line edit also drops its cursor and undo history): these
// leave such a widget alone. The value signals they would emit are the same
// either way: Qt emits none for an unchanged value.
#pragma once

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QSpinBox>
#include <QString>

namespace Unchanged {

inline void SetText(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        edit->setText(text);
}

inline void SetValue(QSpinBox* box, int value)
{
    if (box->value() != value)
        box->setValue(value);
}

// A date-time edit keeps only the fields its format shows (a time without
// seconds drops them): it is compared as it shows the value.
inline void SetTime(QDateTimeEdit* edit, const QTime& time)
{
    const QString format = edit->displayFormat();
    if (edit->dateTime().toString(format) != QDateTime(edit->date(), time).toString(format))
        edit->setTime(time);
}

inline void SetDate(QDateTimeEdit* edit, const QDate& date)
{
    const QString format = edit->displayFormat();
    if (edit->dateTime().toString(format) != QDateTime(date, edit->time()).toString(format))
        edit->setDate(date);
}

inline void SetItemText(QComboBox* box, int index, const QString& text)
{
    if (box->itemText(index) != text)
        box->setItemText(index, text);
}

}  // namespace Unchanged
