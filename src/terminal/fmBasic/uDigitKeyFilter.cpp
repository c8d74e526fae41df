#include "terminal/fmBasic/uDigitKeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

class TDigitKeyFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (!qobject_cast<QLineEdit*>(Watched) || Event->type() != QEvent::KeyPress)
            return false;
        const auto& Key = *static_cast<QKeyEvent*>(Event);
        // Shortcuts (the clipboard's among them) are no typing.
        if (Key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            return false;
        return Drops(Key.text());
    }

private:
    // A typed character other than a digit; control characters pass.
    static bool Drops(const QString& Text)
    {
        for (const QChar Typed : Text)
            if (Typed.isPrint() && (Typed < QLatin1Char('0') || Typed > QLatin1Char('9')))
                return true;
        return false;
    }
};

} // namespace

void InstallDigitKeyFilter(QLineEdit& Edit)
{
    Edit.installEventFilter(new TDigitKeyFilter(&Edit));
}
