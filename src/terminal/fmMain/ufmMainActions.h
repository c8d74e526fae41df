#pragma once

#include "terminal/fmMain/ufmMainLayout.h"

class QMainWindow;

// Creates the commands (the lists Actions and actionFull, with their radio
// groups), the menu bar, the four toolbars and the popup menus of the chart
// windows and the chart tabs. Commands start as the window opens: the chart
// commands disabled until a chart is selected.
void BuildMainActions(QMainWindow& Window, TMainControls& Controls);
