// main() of the tests that need a Qt application: an offscreen screen at 96 dpi
// without high-dpi scaling, the Fusion style and DejaVu Sans, so that pixels
// and text extents are the same on every machine.
#include "support/SourceSelection.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>
#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    const std::string Source = TakeSourceArgument(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_SCALE_FACTOR", "1");
    qputenv("QT_FONT_DPI", "96");
    QApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Floor);
    QApplication App(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setFont(QFont("DejaVu Sans", 9));
    ::testing::InitGoogleMock(&argc, argv);
    if (!SelectTestsOfSource(Source))
        return 1;
    return RUN_ALL_TESTS();
}
