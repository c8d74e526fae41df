#include "domain/uChartListLink.h"

IChartList* ChartList = nullptr;
