#include "controls/ACXPVS.h"

#include <QApplication>

namespace {

constexpr TVisualStyles Library = {&IsThemeActive, &OpenThemeData, &CloseThemeData,
                                   &DrawThemeBackground};

const TVisualStyles* Loaded = nullptr;

} // namespace

void LoadDLL()
{
    if (!Loaded && qobject_cast<QApplication*>(QCoreApplication::instance()))
        Loaded = &Library;
}

void UnLoadDLL()
{
    Loaded = nullptr;
}

const TVisualStyles* VisualStyles()
{
    return Loaded;
}
