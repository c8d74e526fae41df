#pragma once

#include "terminal/fmBasic/ufrmBasic.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class QTextEdit;

// The licence agreement asked at the first start. "Next" is enabled, and the
// dialog accepts, only while "I accept" is chosen.
class TfmEula : public TfrmBasicOf<QDialog> {
public:
    explicit TfmEula(QWidget* Parent = nullptr);

    void accept() override;

private:
    void FormCreate();
    void TranslateForm();
    void InitControls();

    QLabel* lblText1;
    QLabel* lblText2;
    QTextEdit* edLicense;
    QRadioButton* rbApply;
    QRadioButton* rbNotApply;
    QPushButton* btnOk;
    QPushButton* btnCancel;
};

// Shows the agreement modally; true exactly when it closed with OK.
bool ExecuteDlgEula();
