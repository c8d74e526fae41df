#pragma once

class QLineEdit;

// Lets only digits and Backspace be typed into Edit: every other character
// is dropped. Keys that type no character (cursor keys, Delete, the dialog's
// Enter, Escape and Tab) and the clipboard keys still work, so pasted text
// is not filtered.
void InstallDigitKeyFilter(QLineEdit& Edit);
