#include "terminal/dlgLanguage/udlgLanguage.h"

#include "terminal/fmBasic/uFormParts.h"

#include <QComboBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace {

// A globe: the picture beside the question.
QPixmap GlobePicture()
{
    QPixmap Picture(33, 33);
    Picture.fill(Qt::transparent);
    QPainter Painter(&Picture);
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setPen(QPen(QColor(0x1F, 0x5F, 0xA8), 1.5));
    Painter.setBrush(QColor(0xD8, 0xE8, 0xF8));
    const QRectF Globe(2.5, 2.5, 28, 28);
    Painter.drawEllipse(Globe);
    Painter.setBrush(Qt::NoBrush);
    Painter.drawEllipse(QRectF(10.5, 2.5, 12, 28));
    Painter.drawLine(QPointF(16.5, 2.5), QPointF(16.5, 30.5));
    Painter.drawLine(QPointF(2.5, 16.5), QPointF(30.5, 16.5));
    Painter.drawLine(QPointF(5, 9.5), QPointF(28, 9.5));
    Painter.drawLine(QPointF(5, 23.5), QPointF(28, 23.5));
    return Picture;
}

} // namespace

TfmLanguage::TfmLanguage(QWidget* Parent) : TfrmBasicOf<QDialog>(Parent)
{
    SetDialogBorder(*this, QStringLiteral("Выберите язык"), QSize(286, 115));
    QFont Font(QStringLiteral("Microsoft JhengHei"));
    Font.setPixelSize(11);
    setFont(Font);

    CreatePicture(this, "Image1", GlobePicture(), QRect(10, 12, 33, 33));
    CreateLabel(this, "lblText2", QStringLiteral("Выберите язык программы"),
                QRect(54, 12, 222, 17));
    cbLanguage = new QComboBox(this);
    cbLanguage->setObjectName(QStringLiteral("cbLanguage"));
    cbLanguage->setGeometry(54, 34, 222, 23);
    cbLanguage->addItems({QStringLiteral("English"), QStringLiteral("Русский")});
    cbLanguage->setCurrentIndex(0);

    QPushButton* btnOk =
        CreateButton(this, "btnOk", QStringLiteral("Дальше"), QRect(120, 80, 75, 25));
    QPushButton* btnCancel =
        CreateButton(this, "btnCancel", QStringLiteral("Выход"), QRect(201, 80, 75, 25));
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::string TfmLanguage::ChosenLanguage() const
{
    return cbLanguage->currentIndex() == 0 ? "English" : "Russian";
}

bool ExecuteDlgLanguage(std::string& aLanguage)
{
    TfmLanguage Dialog;
    if (Dialog.exec() != QDialog::Accepted) {
        aLanguage.clear();
        return false;
    }
    aLanguage = Dialog.ChosenLanguage();
    return true;
}
