#include "terminal/dlgEula/udlgEula.h"

#include "domain/uTranslator.h"
#include "terminal/dlgEula/uEulaText.h"
#include "terminal/fmBasic/uFormParts.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

namespace {

constexpr int cWidth = 526;
constexpr int cHeaderHeight = 54;

// A signed sheet: the picture in the header.
QPixmap AgreementPicture()
{
    QPixmap Picture(53, 53);
    Picture.fill(Qt::white);
    QPainter Painter(&Picture);
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
    Painter.setBrush(QColor(0xFA, 0xFA, 0xF0));
    Painter.drawRect(QRectF(11.5, 5.5, 28, 38));
    Painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
    for (int Y = 12; Y <= 30; Y += 4)
        Painter.drawLine(QPointF(15.5, Y + 0.5), QPointF(35.5, Y + 0.5));
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(QColor(0x2E, 0x8B, 0x3E));
    Painter.drawEllipse(QRectF(28, 30, 18, 18));
    Painter.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    Painter.drawPolyline(QPolygonF({QPointF(32, 39), QPointF(36, 43), QPointF(42, 35)}));
    return Picture;
}

QRadioButton* CreateChoice(QWidget* Parent, const char* Name, const QString& Text, QRect Geometry)
{
    auto* Choice = new QRadioButton(Text, Parent);
    Choice->setObjectName(QString::fromLatin1(Name));
    Choice->setGeometry(Geometry);
    return Choice;
}

// The agreement file's lines end in CR LF; the text box wants bare LF.
QString WithoutCarriageReturns(const std::string& Text)
{
    QString Result = QString::fromStdString(Text);
    Result.remove(QLatin1Char('\r'));
    return Result;
}

} // namespace

TfmEula::TfmEula(QWidget* Parent) : TfrmBasicOf<QDialog>(Parent)
{
    SetDialogBorder(*this, QStringLiteral("Лицензионное соглашение"), QSize(cWidth, 361));

    auto* Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(0, 0, cWidth, cHeaderHeight);
    Panel2->setAutoFillBackground(true);
    QPalette White = Panel2->palette();
    White.setColor(QPalette::Window, Qt::white);
    Panel2->setPalette(White);
    lblText1 = CreateLabel(Panel2, "lblText1", QStringLiteral("Лицензионное соглашение"),
                           QRect(16, 8, 430, 16));
    QFont Bold = lblText1->font();
    Bold.setBold(true);
    lblText1->setFont(Bold);
    lblText2 = CreateLabel(
        Panel2, "lblText2",
        QStringLiteral(
            "Пожалуйста, прочтите следующую важную информацию перед тем, как продолжить."),
        QRect(24, 26, 430, 26));
    lblText2->setWordWrap(true);
    CreatePicture(Panel2, "Image1", AgreementPicture(),
                  QRect(cWidth - 53 - 8, 0, 53, cHeaderHeight - 1));
    CreateGreyLine(this, QRect(0, cHeaderHeight, cWidth, 2));

    edLicense = new QTextEdit(this);
    edLicense->setObjectName(QStringLiteral("edLicense"));
    edLicense->setGeometry(53, 66, 420, 196);
    edLicense->setAcceptRichText(false);
    // The agreement is read, not edited; Tab goes on to the choices.
    edLicense->setReadOnly(true);
    edLicense->setTabChangesFocus(true);
    edLicense->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edLicense->setPlainText(QString::fromUtf8(cEulaText));

    rbApply = CreateChoice(this, "rbApply", QStringLiteral("Я принимаю условия соглашения"),
                           QRect(53, 268, 420, 18));
    rbNotApply =
        CreateChoice(this, "rbNotApply", QStringLiteral("Я не принимаю условия соглашения"),
                     QRect(53, 288, 420, 18));
    rbNotApply->setChecked(true);

    QWidget* Panel1 = CreateBottomPanel(this, "Panel1", 50);
    btnOk = CreateButton(Panel1, "btnOk", QStringLiteral("Дальше"), QRect(352, 13, 75, 25));
    btnCancel = CreateButton(Panel1, "btnCancel", QStringLiteral("Выход"), QRect(439, 13, 75, 25));
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &TfmEula::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(rbApply, &QRadioButton::toggled, this, [this] { InitControls(); });

    FormCreate();
}

void TfmEula::FormCreate()
{
    TranslateForm();
    InitControls();
}

void TfmEula::TranslateForm()
{
    setWindowTitle(TranslateText("Лицензионное соглашение"));
    btnOk->setText(TranslateText("Дальше"));
    btnCancel->setText(TranslateText("Выход"));
    lblText1->setText(TranslateText("Лицензионное соглашение"));
    lblText2->setText(TranslateText(
        "Пожалуйста, прочтите следующую важную информацию перед тем, как продолжить."));
    rbApply->setText(TranslateText("Я принимаю условия соглашения"));
    rbNotApply->setText(TranslateText("Я не принимаю условия соглашения"));
    if (!Translator)
        return;
    const std::string License = Translator->GetLicense();
    if (!License.empty())
        edLicense->setPlainText(WithoutCarriageReturns(License));
}

void TfmEula::InitControls()
{
    btnOk->setEnabled(rbApply->isChecked());
}

void TfmEula::accept()
{
    // Every way to OK (the button, the Enter key, a caller) passes here.
    if (rbApply->isChecked())
        QDialog::accept();
}

bool ExecuteDlgEula()
{
    TfmEula Dialog;
    return Dialog.exec() == QDialog::Accepted;
}
