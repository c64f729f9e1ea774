#include "Look.h"

#include <QApplication>
#include <QFile>
#include <QStyle>
#include <QWidget>

namespace Look {

QFont Font(int pointSize, int weight)
{
    QFont font(QString::fromLatin1(kFamily), pointSize, weight);
    font.setItalic(false);
    return font;
}

QFont LaidOutFont(int pointSize, int weight)
{
    QFont font = Font(pointSize, weight);
    font.setPixelSize(pointSize * 96 / 72);
    return font;
}

bool ApplyStyleSheet(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Can't open the style sheet file.");
        return false;
    }
    QByteArray text = file.readAll();
    const int nul = text.indexOf('\0');
    if (nul >= 0)
        text.truncate(nul);
    qApp->setStyleSheet(QString::fromUtf8(text));
    return true;
}

void Repolish(QWidget* widget)
{
    QStyle* style = widget->style();
    style->unpolish(widget);
    style->polish(widget);
    for (QWidget* child : widget->findChildren<QWidget*>()) {
        child->style()->unpolish(child);
        child->style()->polish(child);
    }
    widget->update();
}

}  // namespace Look
