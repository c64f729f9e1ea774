// What the tests of the progress dialogs share (header only; the test links
// Qt Widgets through the pages it tests).
//
//   ProgressTest::ClosedForGood(dialog)   the dialog is not on screen and
//       cannot come up by itself: the toolkit's own show timer, which every
//       start arms and which shows the dialog after its minimum duration
//       unless the run is closed properly, is not armed.
//   ProgressTest::MarkingTranslator   a translator that turns every text
//       into "context|source", so that a test sees which texts were
//       translated again after a language change, and in which context.
#pragma once

#include <QCoreApplication>
#include <QProgressDialog>
#include <QString>
#include <QTimer>
#include <QTranslator>

namespace ProgressTest {

inline bool ClosedForGood(const QProgressDialog* dialog)
{
    QCoreApplication::processEvents();
    if (dialog->isVisible())
        return false;
    for (const QTimer* t : dialog->findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly))
        if (t->isActive())
            return false;
    return true;
}

class MarkingTranslator : public QTranslator {
public:
    static QString mark(const char* context, const char* source)
    {
        return QString::fromLatin1(context) + QLatin1Char('|') + QString::fromUtf8(source);
    }
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* = nullptr,
                      int = -1) const override
    {
        return mark(context, source);
    }
};

}  // namespace ProgressTest
