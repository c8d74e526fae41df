#pragma once

#include "domain/uMarketReplies.h"
#include "platform/DateTime.h"

#include <cstdint>
#include <functional>
#include <vector>

class TDepthList;
class TKlineList;
class TSymbolList;
class TVolumeList;

// The model changes of the market-data replies, from values already read.
// User-interface thread only: these are the output steps of the workers.
// (The symbol list's own reload and price steps are TSymbolShowList's.)

// The book is rebuilt: asks in the reverse of the reply's order (the highest
// first), then the bids in the reply's order; MaxQuantity the largest of all.
void ApplyDepth(const TDepthReply& aReply, TDepthList& aBook);

// Each row updates the candle of its open time in place (undrawn again) or is
// appended. aStop is asked before each row; true ends the output there.
// Returns the number of rows applied.
int ApplyKlines(const std::vector<TKlineRow>& aRows, TKlineList& aList,
                const std::function<bool()>& aStop);

// The volume monitor: a symbol quoted in BTC whose first quote volume is known
// gets a record, newest first, when its quote volume moved by more than 0.3 %
// of the first one since the last reply; its quote volume is stored either way.
void ApplyTicker24hrVolume(const std::vector<TSymbolVolume>& aEntries, TSymbolList& aSymbols,
                           TVolumeList& aVolumes, TDateTime aNow);
