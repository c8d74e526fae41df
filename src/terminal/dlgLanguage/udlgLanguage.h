#pragma once

#include "terminal/fmBasic/ufrmBasic.h"

#include <QDialog>
#include <string>

class QComboBox;

// Asks for the program's language at the first start, before any language
// is set: its texts are never translated.
class TfmLanguage : public TfrmBasicOf<QDialog> {
public:
    explicit TfmLanguage(QWidget* Parent = nullptr);

    // "English" for the first item, "Russian" for the second.
    std::string ChosenLanguage() const;

private:
    QComboBox* cbLanguage;
};

// Shows the dialog modally. On OK stores the chosen language in aLanguage and
// returns true; otherwise empties aLanguage and returns false.
bool ExecuteDlgLanguage(std::string& aLanguage);
