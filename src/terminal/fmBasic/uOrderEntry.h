#pragma once

#include <string>

class QLineEdit;
class TOrder;

// What the order panels and the order dialog share before an order leaves.

// The number in Edit in the program's format; NaN when it holds none, so
// that an empty or broken field never reads as a quantity or a price.
double EnteredNumber(const QLineEdit& Edit);

// A price written out in full in the program's format: every significant
// digit, never an exponent (0.00001234, 37250.01).
std::string PlainFloatText(double Value);
// The decimals PlainFloatText writes for Value (0 for a whole number).
int PlainDecimals(double Value);

// True when Order may go out; otherwise the trader is told which field is
// wrong, in one translated message, and nothing is sent.
bool OrderReady(const TOrder& Order);
