#include "terminal/fmBasic/uDecimalKeyFilter.h"

#include "platform/FormatSettings.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace {

QChar Separator()
{
    return QLatin1Char(GetFormatSettings().DecimalSeparator);
}

// Digits with at most one separator; either separator is written as the
// program's, so that a pasted "2.5" reads as a number on every locale.
class TDecimalValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& Input, int&) const override
    {
        int Separators = 0;
        for (QChar& Char : Input) {
            if (Char == QLatin1Char(',') || Char == QLatin1Char('.')) {
                Char = Separator();
                ++Separators;
            } else if (Char < QLatin1Char('0') || Char > QLatin1Char('9')) {
                return Invalid;
            }
        }
        return Separators <= 1 ? Acceptable : Invalid;
    }
};

class TDecimalKeyFilter : public QObject {
public:
    TDecimalKeyFilter(QLineEdit& Edit) : QObject(&Edit), fValidator(new TDecimalValidator(&Edit))
    {
        Edit.setValidator(fValidator);
        Edit.installEventFilter(this);
        Keep(Edit);
        connect(&Edit, &QLineEdit::textChanged, this, [this, &Edit] { Keep(Edit); });
    }

    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        auto* Edit = qobject_cast<QLineEdit*>(Watched);
        if (!Edit || Event->type() != QEvent::KeyPress)
            return false;
        return !Pass(*Edit, *static_cast<QKeyEvent*>(Event));
    }

private:
    // A text the program set goes through no validator: one that breaks the
    // rule is put back to the last good one.
    void Keep(QLineEdit& Edit)
    {
        QString Text = Edit.text();
        int Position = 0;
        if (fValidator->validate(Text, Position) == QValidator::Invalid)
            Edit.setText(fLastGood);
        else if (Text != Edit.text())
            Edit.setText(Text);
        else
            fLastGood = Text;
    }

    // False when the key is dropped (or typed here in another form).
    static bool Pass(QLineEdit& Edit, const QKeyEvent& Key)
    {
        if (Key.key() == Qt::Key_Return || Key.key() == Qt::Key_Enter)
            return false;
        // Shortcuts are the field's own editing (select all, undo, the
        // clipboard, word moves); whatever they put in meets the validator.
        if (Key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            return true;
        const QString Text = Key.text();
        // Cursor keys, Backspace, Delete, Escape and Tab type nothing.
        if (Text.isEmpty() || (Text.size() == 1 && !Text.front().isPrint()))
            return true;
        if (Text.size() != 1)
            return false;
        const QChar Typed = Text.front();
        if (Typed >= QLatin1Char('0') && Typed <= QLatin1Char('9'))
            return true;
        if (Typed == QLatin1Char(',') || Typed == QLatin1Char('.')) {
            // A selection is replaced, its separator with it.
            QString Kept = Edit.text();
            if (Edit.hasSelectedText())
                Kept.remove(Edit.selectionStart(), Edit.selectionLength());
            if (!Kept.contains(Separator()))
                Edit.insert(Separator());
        }
        return false;
    }

    TDecimalValidator* fValidator;
    QString fLastGood;
};

} // namespace

void InstallDecimalKeyFilter(QLineEdit& Edit)
{
    new TDecimalKeyFilter(Edit);
}
