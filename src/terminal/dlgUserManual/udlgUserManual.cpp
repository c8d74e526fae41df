#include "terminal/dlgUserManual/udlgUserManual.h"

#include "domain/uTranslator.h"
#include "platform/Resources.h"
#include "terminal/fmBasic/uFormParts.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>

namespace {

constexpr int cWidth = 767;
constexpr int cHeight = 500;
constexpr int cPanelHeight = 50;

// The page image embedded under Name, or an empty picture when it is absent
// or unreadable.
QPixmap PageImage(std::string_view Name)
{
    const auto Bytes = FindResource(Name);
    if (!Bytes)
        return {};
    return QPixmap::fromImage(QImage::fromData(reinterpret_cast<const uchar*>(Bytes->data()),
                                               static_cast<int>(Bytes->size()), "PNG"));
}

QLabel* CreatePage(QWidget* Parent, const char* Name, std::string_view Resource, QSize Size)
{
    return CreatePicture(Parent, Name, PageImage(Resource), QRect(QPoint(0, 0), Size));
}

} // namespace

TfmUserManual::TfmUserManual(QWidget* Parent) : TfrmBasicOf<QDialog>(Parent)
{
    SetDialogBorder(*this, QStringLiteral("Руководство пользователя"), QSize(cWidth, cHeight));

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(0, 0, cWidth, cHeight - cPanelHeight);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    auto* Pages = new QWidget;
    imageRus = CreatePage(Pages, "imageRus", "manual/russian.png", QSize(754, 5606));
    imageEng = CreatePage(Pages, "imageEng", "manual/english.png", QSize(750, 5606));
    ScrollBox1->setWidget(Pages);

    QWidget* Panel1 = CreateBottomPanel(this, "Panel1", cPanelHeight);
    btnOk = CreateButton(Panel1, "btnOk", QStringLiteral("Ок"), QRect(cWidth - 87, 13, 75, 25));
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

    FormCreate();
}

void TfmUserManual::FormCreate()
{
    TranslateForm();
}

void TfmUserManual::TranslateForm()
{
    setWindowTitle(TranslateText("Руководство пользователя"));
    btnOk->setText(TranslateText("Ок"));
    const std::string Language = Translator ? Translator->Language() : std::string();
    imageRus->setVisible(Language == "Russian");
    imageEng->setVisible(Language == "English");
    // The box scrolls over the page shown, or over nothing.
    QSize Shown(0, 0);
    for (QLabel* Page : {imageRus, imageEng})
        if (!Page->isHidden())
            Shown = Shown.expandedTo(Page->size());
    ScrollBox1->widget()->resize(Shown);
}

bool ExecuteDlgUserManual()
{
    TfmUserManual Dialog;
    return Dialog.exec() == QDialog::Accepted;
}
