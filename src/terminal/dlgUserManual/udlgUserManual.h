#pragma once

#include "terminal/fmBasic/ufrmBasic.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;

// The user manual: one tall page image per language, scrolled in a box. The
// page of the translator's language is shown; a language without a page
// shows none.
class TfmUserManual : public TfrmBasicOf<QDialog> {
public:
    explicit TfmUserManual(QWidget* Parent = nullptr);

private:
    void FormCreate();
    void TranslateForm();

    QScrollArea* ScrollBox1;
    QLabel* imageRus;
    QLabel* imageEng;
    QPushButton* btnOk;
};

// Shows the manual modally; true when it closed with OK.
bool ExecuteDlgUserManual();
