#include "terminal/dlgBaseLogon/udlgBaseLogon.h"

#include "domain/uProfile.h"
#include "domain/uUser.h"
#include "platform/FormatSettings.h"
#include "platform/SysUtils.h"
#include "platform/qt/GdiObjects.h"
#include "terminal/fmBasic/uDecimalKeyFilter.h"
#include "terminal/fmBasic/uFormParts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace {

constexpr int cWidth = 608;
constexpr int cTopHeight = 30;
constexpr int cRowHeight = 26;
constexpr int cBottomHeight = 33;
constexpr int cKeyLength = 100;
constexpr TColor cUntested = 0xC0C0C0;

// A key: the picture at the left.
QPixmap KeyPicture()
{
    QPixmap Picture(48, 48);
    Picture.fill(Qt::transparent);
    QPainter Painter(&Picture);
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setPen(QPen(QColor(0x8A, 0x6D, 0x1F), 2));
    Painter.setBrush(QColor(0xE8, 0xC5, 0x4A));
    Painter.drawEllipse(QRectF(5, 14, 20, 20));
    Painter.drawRect(QRectF(24, 21, 19, 6));
    Painter.drawRect(QRectF(35, 27, 4, 6));
    Painter.setBrush(Qt::white);
    Painter.drawEllipse(QRectF(11, 20, 8, 8));
    return Picture;
}

QLineEdit* CreateEdit(QWidget* Parent, const char* Name, QRect Geometry)
{
    auto* Edit = new QLineEdit(Parent);
    Edit->setObjectName(QString::fromLatin1(Name));
    Edit->setGeometry(Geometry);
    return Edit;
}

TColor TestColour(TUserAuth Auth)
{
    switch (Auth) {
    case uaAuth:
        return clLtGreen;
    case uaUnauth:
        return clLtRed;
    default:
        return cUntested;
    }
}

// A ratio that is not a number is stored as 0.
double RateOf(const QString& Text)
{
    double Rate = 0;
    return TryStrToFloat(Text.toStdString(), Rate, GetFormatSettings()) ? Rate : 0;
}

// Puts an account's own keys back when it goes out of scope.
class TKeptKeys {
public:
    explicit TKeptKeys(TConnectionItem& Account)
        : fAccount(Account), fApiKey(Account.ApiKey()), fSecretKey(Account.SecretKey())
    {
    }
    TKeptKeys(const TKeptKeys&) = delete;
    TKeptKeys& operator=(const TKeptKeys&) = delete;
    ~TKeptKeys()
    {
        fAccount.SetApiKey(fApiKey);
        fAccount.SetSecretKey(fSecretKey);
    }

private:
    TConnectionItem& fAccount;
    std::string fApiKey;
    std::string fSecretKey;
};

} // namespace

TdlgBaseLogon::TdlgBaseLogon(QWidget* Parent) : TfrmBasicOf<QDialog>(Parent)
{
    SetDialogBorder(*this, QStringLiteral("Авторизация"), QSize(cWidth, 115));
    QFont Font(QStringLiteral("Microsoft JhengHei"));
    Font.setPixelSize(11);
    setFont(Font);
    CreatePicture(this, "Image1", KeyPicture(), QRect(8, 8, 48, 48));

    panTop = new QWidget(this);
    panTop->setObjectName(QStringLiteral("panTop"));
    panTop->setGeometry(64, 0, cWidth - 64, cTopHeight);
    lblName = CreateLabel(panTop, "lblName", QStringLiteral("Наименование"), QRect(0, 7, 88, 17));
    edName = CreateEdit(panTop, "edName", QRect(90, 4, 224, 23));
    lblRate = CreateLabel(panTop, "lblRate", QStringLiteral("Коефициент"), QRect(320, 7, 78, 17));
    edRate = CreateEdit(panTop, "edRate", QRect(400, 4, 117, 23));
    InstallDecimalKeyFilter(*edRate);

    lblAPI = CreateLabel(this, "lblAPI", QStringLiteral("API key:"), QRect(64, 0, 82, 17));
    edAPI = CreateEdit(this, "edAPI", QRect(154, 0, 445, 23));
    lblSecret = CreateLabel(this, "lblSecret", QStringLiteral("Secret key:"), QRect(64, 0, 82, 17));
    edSecret = CreateEdit(this, "edSecret", QRect(154, 0, 445, 23));
    for (QLineEdit* Key : {edAPI, edSecret})
        Key->setMaxLength(cKeyLength);

    QWidget* panBottom = CreateBottomPanel(this, "panBottom", cBottomHeight);
    btnTest = CreateButton(panBottom, "btnTest", QStringLiteral("Тест"), QRect(64, 5, 75, 25));
    panTest = CreateLabel(panBottom, "panTest", QString(), QRect(147, 7, 20, 20));
    panTest->setAutoFillBackground(true);
    btnSave =
        CreateButton(panBottom, "btnSave", QStringLiteral("Сохранить"), QRect(443, 5, 75, 25));
    Cancel = CreateButton(panBottom, "Cancel", QStringLiteral("Выход"), QRect(524, 5, 75, 25));
    btnSave->setEnabled(false);
    Cancel->setDefault(true);

    for (QLineEdit* Edit : {edName, edAPI, edSecret})
        connect(Edit, &QLineEdit::textEdited, this, [this] { edChange(); });
    connect(edRate, &QLineEdit::textChanged, this, [this] { InitInterface(); });
    connect(btnTest, &QPushButton::clicked, this, [this] { btnTestClick(); });
    connect(btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    TranslateForm();
}

// The key rows sit below the name row when it is shown.
void TdlgBaseLogon::SetMode(TConnectionItem* aConnection, bool aFull)
{
    fFull = aFull;
    fConnection = aConnection;
    panTop->setVisible(aFull);
    const int Top = aFull ? cTopHeight : 8;
    for (auto [Label, Edit, Row] :
         {std::tuple{lblAPI, edAPI, 0}, std::tuple{lblSecret, edSecret, 1}}) {
        Edit->move(Edit->x(), Top + Row * cRowHeight);
        Label->move(Label->x(), Top + Row * cRowHeight + 3);
    }
}

void TdlgBaseLogon::TranslateForm()
{
    setWindowTitle(TranslateText(windowTitle().toStdString()));
    for (QLabel* Label : {lblName, lblAPI, lblSecret, lblRate})
        Label->setText(TranslateText(Label->text().toStdString()));
    for (QPushButton* Button : {btnTest, btnSave, Cancel})
        Button->setText(TranslateText(Button->text().toStdString()));
}

void TdlgBaseLogon::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    fAuth = uaUndefined;
    FillProfiles();
}

void TdlgBaseLogon::FillProfiles()
{
    if (fConnection) {
        edAPI->setText(QString::fromStdString(fConnection->ApiKey()));
        edSecret->setText(QString::fromStdString(fConnection->SecretKey()));
        if (fFull) {
            edName->setText(QString::fromStdString(fConnection->Name()));
            edRate->setText(QString::fromStdString(FloatText(fConnection->Rate())));
        }
    }
    InitInterface();
}

void TdlgBaseLogon::InitInterface()
{
    const bool Typed = !edAPI->text().isEmpty() && !edSecret->text().isEmpty();
    const bool Named = !fFull || (!edName->text().isEmpty() && !edRate->text().isEmpty());
    btnTest->setEnabled(Typed && Named);
    QPalette Palette = panTest->palette();
    Palette.setColor(QPalette::Window, ToQColor(ColorToRGB(TestColour(fAuth))));
    panTest->setPalette(Palette);
    btnSave->setEnabled(fAuth == uaAuth);
}

// A change of the name or a key makes the last test void; the ratio does not.
void TdlgBaseLogon::edChange()
{
    fAuth = uaUndefined;
    InitInterface();
}

// The typed keys are tried on the account itself; its own keys are back in
// place afterwards, whatever the exchange said.
void TdlgBaseLogon::btnTestClick()
{
    if (!fConnection)
        return;
    const TKeptKeys Kept(*fConnection);
    fConnection->SetApiKey(edAPI->text().toStdString());
    fConnection->SetSecretKey(edSecret->text().toStdString());
    if (User)
        User->Input().SetAuth(uaUndefined);
    gLastServerError.Clear();
    if (!fConnection->ApiKey().empty() && !fConnection->SecretKey().empty()) {
        fAuth = fConnection->AccountEx(fConnection, false);
        InitInterface();
    }
}

void TdlgBaseLogon::btnSaveClick()
{
    if (fAuth != uaAuth || !fConnection)
        return;
    fConnection->SetApiKey(edAPI->text().toStdString());
    fConnection->SetSecretKey(edSecret->text().toStdString());
    fConnection->SetName(edName->text().toStdString());
    fConnection->SetRate(RateOf(edRate->text()));
    accept();
}

bool ExecuteDlgBaseLogon(TConnectionItem* aConnection, bool aFull)
{
    Profile->MainBeginUpdate();
    User->Input().AuthBeginUpdate();
    const auto Rollback = [] {
        Profile->MainRollbackUpdate();
        User->Input().AuthRollbackUpdate();
    };
    // Taken after the update began: the main account is its edit copy now.
    TConnectionItem& Edited = aConnection ? *aConnection : Profile->MainProfile();
    bool Saved = false;
    try {
        TdlgBaseLogon Dialog;
        Dialog.SetMode(&Edited, aFull);
        Saved = Dialog.exec() == QDialog::Accepted;
    } catch (...) {
        Rollback();
        throw;
    }
    // A further account's test says nothing of the main user: the main
    // account and the authorisation stay as they were.
    if (!Saved || aFull) {
        Rollback();
        return Saved;
    }
    if (&Edited != &Profile->MainProfile())
        Profile->MainProfile().Assign(Edited);
    Profile->MainCommitUpdate();
    // Both buffers are closed before the file is written: a failed write
    // leaves no edit half open.
    User->Input().AuthCommitUpdate();
    Profile->SaveToFile();
    return true;
}
