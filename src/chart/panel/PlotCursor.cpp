#include "chart/panel/PlotCursor.h"

#include <map>

namespace {

std::map<int, QCursor>& Cursors()
{
    static std::map<int, QCursor> table;
    return table;
}

} // namespace

void PlotRegisterCursors()
{
    Cursors().insert_or_assign(crPlotHand, QCursor(Qt::PointingHandCursor));
}

void PlotUnregisterCursors()
{
    Cursors().erase(crPlotHand);
}

QCursor PlotCursor(int Number)
{
    const auto found = Cursors().find(Number);
    return found == Cursors().end() ? QCursor(Qt::ArrowCursor) : found->second;
}
