#include "terminal/fmBasic/uDecimalKeyFilter.h"

#include "platform/FormatSettings.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

class TDecimalKeyFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        auto* Edit = qobject_cast<QLineEdit*>(Watched);
        if (!Edit || Event->type() != QEvent::KeyPress)
            return false;
        return !Pass(*Edit, *static_cast<QKeyEvent*>(Event));
    }

private:
    // False when the key is dropped (or typed here in another form).
    static bool Pass(QLineEdit& Edit, const QKeyEvent& Key)
    {
        // Also the keys that carry no character (Shift+Insert, Ctrl+Insert).
        for (QKeySequence::StandardKey Clipboard :
             {QKeySequence::Paste, QKeySequence::Copy, QKeySequence::Cut})
            if (Key.matches(Clipboard))
                return false;
        switch (Key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            return true;
        default:
            break;
        }
        const QString Text = Key.text();
        if (Text.isEmpty())
            return true;
        if (Text.size() != 1)
            return false;
        const QChar Typed = Text.front();
        if (Typed >= QLatin1Char('0') && Typed <= QLatin1Char('9'))
            return true;
        if (Typed == QLatin1Char(',') || Typed == QLatin1Char('.')) {
            const QChar Separator = QLatin1Char(GetFormatSettings().DecimalSeparator);
            if (!Edit.text().contains(Separator))
                Edit.insert(Separator);
        }
        return false;
    }
};

} // namespace

void InstallDecimalKeyFilter(QLineEdit& Edit)
{
    Edit.installEventFilter(new TDecimalKeyFilter(&Edit));
}
