#pragma once

class QLineEdit;

// Lets only a plain decimal number into Edit: digits and one decimal
// separator ("," and "." both become the program's separator, a second one is
// refused). Typed keys, paste (keys, menu, middle button), drops and texts
// set by the program all pass the same rule: a text that breaks it leaves the
// field as it was. Return and Enter are dropped, so that no default button
// fires from a number field. The editing keys work as in any field: cursor
// and selection keys, undo and redo, the clipboard, Escape and Tab.
void InstallDecimalKeyFilter(QLineEdit& Edit);
