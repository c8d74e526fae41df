#include "terminal/fmBasic/uFormParts.h"

#include "domain/uTranslator.h"
#include "platform/FormatSettings.h"
#include "platform/SysUtils.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

QString TranslateText(std::string_view Text)
{
    if (!Translator)
        return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
    return QString::fromStdString(Translator->Translate(Text));
}

std::string FloatText(double Value)
{
    return FloatToStr(Value, GetFormatSettings());
}

QLabel* CreateLabel(QWidget* Parent, const char* Name, const QString& Text, QRect Geometry)
{
    auto* Label = new QLabel(Text, Parent);
    Label->setObjectName(QString::fromLatin1(Name));
    Label->setGeometry(Geometry);
    return Label;
}

QLabel* CreatePicture(QWidget* Parent, const char* Name, const QPixmap& Picture, QRect Geometry)
{
    QLabel* Label = CreateLabel(Parent, Name, QString(), Geometry);
    Label->setPixmap(Picture);
    return Label;
}

QPushButton* CreateButton(QWidget* Parent, const char* Name, const QString& Text, QRect Geometry)
{
    auto* Button = new QPushButton(Text, Parent);
    Button->setObjectName(QString::fromLatin1(Name));
    Button->setGeometry(Geometry);
    return Button;
}

QFrame* CreateGreyLine(QWidget* Parent, QRect Geometry)
{
    auto* Line = new QFrame(Parent);
    Line->setFrameShape(QFrame::HLine);
    Line->setFrameShadow(QFrame::Sunken);
    Line->setGeometry(Geometry);
    return Line;
}

QWidget* CreateBottomPanel(QWidget* Form, const char* Name, int Height)
{
    auto* Panel = new QWidget(Form);
    Panel->setObjectName(QString::fromLatin1(Name));
    Panel->setGeometry(0, Form->height() - Height, Form->width(), Height);
    CreateGreyLine(Panel, QRect(0, 0, Form->width(), 2));
    return Panel;
}

void SetDialogBorder(QWidget& Dialog, const QString& Caption, QSize ClientSize)
{
    Dialog.setWindowTitle(Caption);
    Dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    Dialog.setFixedSize(ClientSize);
}
