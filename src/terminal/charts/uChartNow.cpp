#include "terminal/charts/uChartNow.h"

#include "domain/uCommon.h"

#include <chrono>

TDateTime ChartNow()
{
    const auto Since1970 = std::chrono::system_clock::now().time_since_epoch();
    return StampToDate(std::chrono::duration_cast<std::chrono::milliseconds>(Since1970).count());
}
