#include "chart/core/PlotConst.h"

namespace PlotConst {

#define PLOT_DEFINE_TEXT(Name, Text) std::string Name;
PLOT_CONST_TEXTS(PLOT_DEFINE_TEXT)
#undef PLOT_DEFINE_TEXT

std::string PlotMsg_InvalidPlotFile;
std::string PlotMsg_WrongPlotFileFormat;
std::string PlotMsg_EmptyPlotFile;

} // namespace PlotConst

namespace {

#define PLOT_TEXT_ENTRY(Name, Text) {&PlotConst::Name, Text},
const TPlotText ConstTexts[] = {PLOT_CONST_TEXTS(PLOT_TEXT_ENTRY)};
#undef PLOT_TEXT_ENTRY

bool Started = false;

} // namespace

void PlotAssignTexts(std::span<const TPlotText> Texts)
{
    for (const TPlotText& T : Texts)
        *T.Variable = T.Text;
}

void PlotClearTexts(std::span<const TPlotText> Texts)
{
    for (const TPlotText& T : Texts)
        T.Variable->clear();
}

void PlotSetConstants()
{
    using namespace PlotConst;
    PlotAssignTexts(ConstTexts);
    const std::string Extension = PlotMsg_PlotExtension;
    PlotMsg_InvalidPlotFile = "Invalid Chart in *." + Extension + " file";
    PlotMsg_WrongPlotFileFormat = "Wrong *." + Extension + " file format";
    PlotMsg_EmptyPlotFile = "Empty *." + Extension + " file";
}

void PlotConstStartup()
{
    if (Started)
        return;
    Started = true;
    PlotSetConstants();
}

void PlotConstShutdown()
{
    using namespace PlotConst;
    Started = false;
    PlotClearTexts(ConstTexts);
    for (std::string* Composed :
         {&PlotMsg_InvalidPlotFile, &PlotMsg_WrongPlotFileFormat, &PlotMsg_EmptyPlotFile})
        Composed->clear();
}
