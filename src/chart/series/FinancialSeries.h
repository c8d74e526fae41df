#pragma once

// The financial companions of the candle series in the gallery: the volume
// and Darvas series and the ADX and RSI functions, registered after the
// candle kind on its page and unregistered at the engine's stop.

void FinancialSeriesStartup();
void FinancialSeriesShutdown();
