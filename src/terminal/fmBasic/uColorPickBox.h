#pragma once

#include "platform/Graphics.h"

#include <QComboBox>
#include <functional>
#include <optional>

// A drop-down list of colours, each entry with its swatch: first "Custom...",
// which asks the user for any colour and then shows it, then the sixteen
// standard colours. A colour set from outside the list shows on the custom
// entry too, so every colour reads back unchanged. UI thread only.
class TColorPickBox : public QComboBox {
public:
    // Asks for a colour starting from Initial; none when the user cancels.
    using TPickColor = std::function<std::optional<TColor>(TColor Initial, QWidget* Parent)>;

    explicit TColorPickBox(QWidget* Parent = nullptr);

    // The colour of the current entry; black while none is current.
    TColor Selected() const;
    void SetSelected(TColor Value);

    // Runs after the user chose a colour, not when one is set.
    std::function<void()> OnChange;
    // The platform's colour dialog; tests put their own.
    static TPickColor PickColor;

private:
    void Choose(int Index);
    void SetCustom(TColor Value);

    // The entry before the user opened the list: a cancelled custom choice
    // goes back to it.
    int fChosen = -1;
};
