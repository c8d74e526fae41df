#pragma once

class QLineEdit;

// Lets only what makes a decimal number into Edit: digits, Backspace, and one
// decimal separator ("," and "." both type the program's separator, a second
// one is dropped). Every other character is dropped, paste and copy keys
// included; cursor keys and the dialog's Enter, Escape and Tab still work.
void InstallDecimalKeyFilter(QLineEdit& Edit);
