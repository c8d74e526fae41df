#pragma once

#include "terminal/charts/uIndicatorInfo.h"
#include "terminal/fmBasic/ufrmBasic.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class TColorPickBox;
class TExComboBox;

// The colour, style and width lists of a line indicator's panel.
struct TLineControls {
    TColorPickBox* Color = nullptr;
    QComboBox* Style = nullptr;
    TExComboBox* Width = nullptr;

    void Show(const TLineIndicatorInfo& aInfo) const;
    void Read(TLineIndicatorInfo& aInfo) const;
};

// The settings of one indicator, on the panel of its kind. OK writes the
// panel into the indicator only when every number field holds a number;
// otherwise the conversion error is shown, the indicator stays as it was and
// the dialog stays open. Ranges are not checked here.
class TfmIndicator : public TfrmBasicOf<QDialog> {
public:
    explicit TfmIndicator(QWidget* Parent = nullptr);

    // The indicator being edited (not owned), with the controls' values:
    // raises EConvertError, changing nothing, when a number field is not a
    // number.
    TBaseIndicatorInfo* GetIndicator();
    // Shows the panel of Value's kind filled from it; Value outlives the form.
    void SetIndicator(TBaseIndicatorInfo* Value);

private:
    void FormCreate();
    void TranslateForm();
    void RefreshForm();
    void btnOkClick();
    void btnResetClick();

    QWidget* panelMA;
    TLineControls fMaLine;
    QComboBox* cbMethod;
    QLineEdit* edPeriod;
    QLineEdit* edShift;
    QComboBox* cbPrice;

    QWidget* panelFractal;
    TColorPickBox* cbFColor;

    QWidget* panelBollinger;
    TLineControls fBollingerLine;
    QComboBox* cbBPrice;
    QLineEdit* edBPeriod;
    QLineEdit* edBShift;
    QLineEdit* edBDev;

    QWidget* panelZZ;
    TLineControls fZigZagLine;
    QLineEdit* edZZDepth;
    QLineEdit* edZZBackstep;

    QPushButton* btnOk;
    QPushButton* btnCancel;
    QPushButton* btnReset;

    TBaseIndicatorInfo* fIndicatorInfo = nullptr;
};

// Shows the dialog for aInfo; true when it closed with OK, aInfo then
// holding the dialog's values.
bool ExecuteDlgIndicator(TBaseIndicatorInfo& aInfo);
