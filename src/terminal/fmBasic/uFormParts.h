#pragma once

#include <QRect>
#include <QString>
#include <string>
#include <string_view>

class QFrame;
class QLabel;
class QPixmap;
class QPushButton;
class QWidget;

// Building blocks shared by the dialogs, laid out by fixed geometry as the
// forms are designed. Each call creates a child of Parent named Name, so
// that the controls can be found by name.

// The text through the translator; the text itself while there is none.
QString TranslateText(std::string_view Text);

// A number as the windows write it: the shortest exact text in the
// program's format settings.
std::string FloatText(double Value);

QLabel* CreateLabel(QWidget* Parent, const char* Name, const QString& Text, QRect Geometry);
QLabel* CreatePicture(QWidget* Parent, const char* Name, const QPixmap& Picture, QRect Geometry);
QPushButton* CreateButton(QWidget* Parent, const char* Name, const QString& Text, QRect Geometry);
// A grey horizontal line across Geometry.
QFrame* CreateGreyLine(QWidget* Parent, QRect Geometry);

// A panel across the bottom of Form, Height pixels high, with a grey line
// along its top edge. Form must have its final size.
QWidget* CreateBottomPanel(QWidget* Form, const char* Name, int Height);

// Gives a dialog its fixed client size: a dialog border cannot be resized.
void SetDialogBorder(QWidget& Dialog, const QString& Caption, QSize ClientSize);
