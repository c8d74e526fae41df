#pragma once

#include "domain/uCommon.h"
#include "terminal/fmBasic/ufrmBasic.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TConnectionItem;

// The keys of one exchange account, tested against the exchange before they
// may be saved. For a further account (full mode) also its name and the
// ratio its mirrored orders are sized by.
class TdlgBaseLogon : public TfrmBasicOf<QDialog> {
public:
    explicit TdlgBaseLogon(QWidget* Parent = nullptr);

    void SetMode(TConnectionItem* aConnection, bool aFull);
    TUserAuth Auth() const { return fAuth; }

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void TranslateForm();
    void FillProfiles();
    void InitInterface();
    void edChange();
    void btnTestClick();
    void btnSaveClick();

    QWidget* panTop;
    QLabel* lblName;
    QLineEdit* edName;
    QLabel* lblRate;
    QLineEdit* edRate;
    QLabel* lblAPI;
    QLineEdit* edAPI;
    QLabel* lblSecret;
    QLineEdit* edSecret;
    QPushButton* btnTest;
    QLabel* panTest;
    QPushButton* btnSave;
    QPushButton* Cancel;

    TUserAuth fAuth = uaUndefined;
    bool fFull = false;
    TConnectionItem* fConnection = nullptr;
};

// Edits an account's keys in the dialog: aConnection, or with nullptr the
// main account. The profile's main account and the authorisation state are
// held in their edit buffers meanwhile, and the main account's keys are
// edited and tested on its edit copy only, so that no other request signs
// with keys under test. Saved, the main account takes the tested keys,
// "config.json" is written and the tested state holds. In full mode
// (a further account, with its name and ratio) and when cancelled, the main
// account and the authorisation stay as they were. True when the user saved.
bool ExecuteDlgBaseLogon(TConnectionItem* aConnection, bool aFull);
