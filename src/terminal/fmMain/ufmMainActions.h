#pragma once

#include "terminal/fmMain/ufmMainLayout.h"

#include <vector>

class QAction;
class QMainWindow;
class QMenu;

// Creates the commands (the lists Actions and actionFull) with their
// pictures, the menu bar, the four toolbars and the popup menus of the chart
// windows and the chart tabs. Commands start as the window opens: the chart
// commands disabled until a chart is selected.
void BuildMainActions(QMainWindow& Window, TMainControls& Controls);

// Checks Checked and clears the rest of its radio group (the intervals, the
// chart types). The group's single check is kept by the window's code from
// the model: a click never moves it by itself.
void CheckRadio(const std::vector<QAction*>& Group, const QAction* Checked);

// Removes the menu's items after its first Kept ones (the fixed items of a
// menu that lists files or symbols when it opens).
void RemoveMenuItemsAfter(QMenu* Menu, int Kept);
