#include "platform/qt/Pictures.h"

#include "platform/Resources.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A master is drawn sharp at its grid or twice it; a sharp drawing that
// leaves more than a quarter of the size empty gives way to one scaled to
// fill it.
constexpr int cMaxSharpMultiple = 2;

// One drawing of a picture and the grid it was drawn on (0: none).
struct TMaster {
    int Grid = 0;
    std::unique_ptr<QSvgRenderer> Renderer;
};

std::unique_ptr<QSvgRenderer> LoadMaster(const std::string& ResourceName)
{
    const auto Bytes = FindResource(ResourceName);
    if (!Bytes)
        return nullptr;
    auto Renderer = std::make_unique<QSvgRenderer>(
        QByteArray(Bytes->data(), static_cast<qsizetype>(Bytes->size())));
    return Renderer->isValid() ? std::move(Renderer) : nullptr;
}

// The grid of a master's name after "<name>-": "16.svg" is 16; 0 for a
// name of another picture ("new-16.svg" of "chart"). Grids have at most
// four digits.
int GridOf(std::string_view Tail)
{
    constexpr std::string_view cExtension = ".svg";
    if (!Tail.ends_with(cExtension) || Tail.size() <= cExtension.size() ||
        Tail.size() > cExtension.size() + 4)
        return 0;
    int Grid = 0;
    for (const char Digit : Tail.substr(0, Tail.size() - cExtension.size())) {
        if (Digit < '0' || Digit > '9')
            return 0;
        Grid = Grid * 10 + (Digit - '0');
    }
    return Grid;
}

// Rect of Pixels wide centred in Size, with the master's proportions.
QRectF Placement(const QSvgRenderer& Renderer, QSize Size, int Pixels)
{
    const QSizeF Box = Renderer.viewBoxF().size();
    QSizeF Drawn(Pixels, Box.width() > 0 ? Pixels * Box.height() / Box.width() : Pixels);
    if (Drawn.height() > Size.height())
        Drawn *= Size.height() / Drawn.height();
    return QRectF(QPointF((Size.width() - Drawn.width()) / 2, (Size.height() - Drawn.height()) / 2),
                  Drawn);
}

class TPicture {
public:
    explicit TPicture(std::string_view Name)
    {
        const std::string Stem = "images/" + std::string(Name);
        for (const std::string& Resource : ResourceNames(Stem + "-"))
            if (const int Grid = GridOf(std::string_view(Resource).substr(Stem.size() + 1)))
                if (auto Renderer = LoadMaster(Resource))
                    fMasters.push_back({Grid, std::move(Renderer)});
        std::sort(fMasters.begin(), fMasters.end(),
                  [](const TMaster& A, const TMaster& B) { return A.Grid < B.Grid; });
        if (fMasters.empty())
            if (auto Renderer = LoadMaster(Stem + ".svg"))
                fMasters.push_back({0, std::move(Renderer)});
    }

    bool IsNull() const { return fMasters.empty(); }

    // Size in device pixels; kept for the next request of the same size.
    QPixmap Render(QSize Size, QIcon::Mode Mode)
    {
        if (IsNull() || Size.isEmpty())
            return QPixmap();
        const auto Key = std::make_tuple(Size.width(), Size.height(), int(Mode));
        if (auto Found = fCache.find(Key); Found != fCache.end())
            return Found->second;
        QPixmap Pixmap = Draw(Size);
        if (Mode == QIcon::Disabled)
            Pixmap = Disabled(Pixmap);
        fCache.emplace(Key, Pixmap);
        return Pixmap;
    }

private:
    QPixmap Draw(QSize Size)
    {
        std::vector<int> Grids;
        for (const TMaster& Master : fMasters)
            Grids.push_back(Master.Grid);
        TMasterChoice Choice{0, Size.width()};
        if (Grids.front() > 0)
            Choice = ChooseMaster(Grids, std::min(Size.width(), Size.height()));
        QSvgRenderer& Renderer = *fMasters[std::size_t(Choice.Index)].Renderer;
        QImage Image(Size, QImage::Format_ARGB32_Premultiplied);
        Image.fill(Qt::transparent);
        QPainter Painter(&Image);
        Painter.setRenderHint(QPainter::Antialiasing);
        Painter.setRenderHint(QPainter::SmoothPixmapTransform);
        Renderer.render(&Painter, Placement(Renderer, Size, Choice.Pixels));
        Painter.end();
        return QPixmap::fromImage(std::move(Image));
    }

    // The style's disabled look, when there is a widget style to ask.
    static QPixmap Disabled(const QPixmap& Pixmap)
    {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return Pixmap;
        QStyleOption Option;
        Option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(QIcon::Disabled, Pixmap, &Option);
    }

    std::vector<TMaster> fMasters;
    std::map<std::tuple<int, int, int>, QPixmap> fCache;
};

// Loaded once per name and kept for the life of the process.
std::shared_ptr<TPicture> FindPicture(std::string_view Name)
{
    static auto* Pictures = new std::map<std::string, std::shared_ptr<TPicture>, std::less<>>;
    auto Found = Pictures->find(Name);
    if (Found == Pictures->end())
        Found = Pictures->emplace(std::string(Name), std::make_shared<TPicture>(Name)).first;
    return Found->second->IsNull() ? nullptr : Found->second;
}

class TPictureIconEngine : public QIconEngine {
public:
    explicit TPictureIconEngine(std::shared_ptr<TPicture> Picture) : fPicture(std::move(Picture)) {}

    QPixmap pixmap(const QSize& Size, QIcon::Mode Mode, QIcon::State) override
    {
        return fPicture->Render(Size, Mode);
    }

    void paint(QPainter* Painter, const QRect& Rect, QIcon::Mode Mode, QIcon::State) override
    {
        const qreal Ratio = Painter->device() ? Painter->device()->devicePixelRatioF() : 1.0;
        QPixmap Pixmap = fPicture->Render(Rect.size() * Ratio, Mode);
        Pixmap.setDevicePixelRatio(Ratio);
        Painter->drawPixmap(Rect.topLeft(), Pixmap);
    }

    QIconEngine* clone() const override { return new TPictureIconEngine(fPicture); }
    QString key() const override { return QStringLiteral("TPictureIconEngine"); }

private:
    std::shared_ptr<TPicture> fPicture;
};

} // namespace

TMasterChoice ChooseMaster(std::span<const int> Grids, int Size)
{
    if (Grids.empty())
        return {};
    TMasterChoice Choice;
    int Nearest = 0;
    for (int Index = 0; Index < int(Grids.size()); ++Index) {
        const int Grid = Grids[std::size_t(Index)];
        const int Multiple = std::min(Size / Grid, cMaxSharpMultiple);
        if (Multiple >= 1) {
            Nearest = Index;
            if (Multiple * Grid >= Choice.Pixels)
                Choice = {Index, Multiple * Grid};
        }
    }
    if (Choice.Index >= 0 && Choice.Pixels * 4 > Size * 3)
        return Choice;
    return {Nearest, Size};
}

QIcon PictureIcon(std::string_view Name)
{
    auto Picture = FindPicture(Name);
    return Picture ? QIcon(new TPictureIconEngine(std::move(Picture))) : QIcon();
}

QPixmap PicturePixmap(std::string_view Name, QSize Size, qreal DevicePixelRatio)
{
    auto Picture = FindPicture(Name);
    if (!Picture)
        return QPixmap();
    QPixmap Pixmap = Picture->Render(Size * DevicePixelRatio, QIcon::Normal);
    Pixmap.setDevicePixelRatio(DevicePixelRatio);
    return Pixmap;
}
