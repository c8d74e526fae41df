#pragma once

#include "terminal/charts/uChartSettings.h"
#include "terminal/fmBasic/ufrmBasic.h"

#include <QDialog>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TChartSettingsPreview;
class TColorPickBox;
class TKlineList;

// A chart's settings on two pages: six colours with four colour schemes and a
// preview of the chart's first candles, and the display flags, pins and
// chart type. The dialog edits a working copy; OK writes what it shows into
// the chart's settings only when both pins are numbers. UI thread only; the
// chart engine must be started.
class TfmChartSettings : public TfrmBasicOf<QDialog> {
public:
    explicit TfmChartSettings(QWidget* Parent = nullptr);
    ~TfmChartSettings() override;

    // Shows a copy of aSettings (zoom and left edge aside); OK writes into
    // aSettings, which must outlive the dialog.
    void SetInfo(TChartSettingsInfo& aSettings);
    // The preview's candles.
    void InitChart(const TKlineList& aKlineList);

    static constexpr int cColorCount = 6;
    static constexpr int cFlagCount = 12;

private:
    void FormCreate();
    void TranslateForm();
    void CreateColorsPage(QWidget* Page);
    void CreateCommonPage(QWidget* Page);
    void CreateButtons();
    void FillColors();
    void ShowColors();
    void ShowFlags();
    void FillChart();
    void RefreshFixed();
    void cbColorChange(int Index);
    void cbColorSchemeChange(int Index);
    void rbBarClick(TChartType aType);
    void btnResetClick();
    void btnOkClick();
    // The settings as shown, over aSettings' series colour, zoom and left
    // edge; raises EConvertError when a pin is no number, and an error when
    // the fixed scale's pins are no range (the maximum not above the
    // minimum), changing nothing.
    void ApplyShown(TChartSettingsInfo& aSettings) const;

    QTabWidget* pcSettings;
    std::array<TColorPickBox*, cColorCount> fColorBoxes{};
    QComboBox* cbColorScheme;
    std::array<QCheckBox*, cFlagCount> fFlagBoxes{};
    QLabel* lblPinMax;
    QLineEdit* edPinMax;
    QLabel* lblPinMin;
    QLineEdit* edPinMin;
    QRadioButton* rbBar;
    QRadioButton* rbCandle;
    QRadioButton* rbLine;
    QPushButton* btnOk;
    QPushButton* btnCancel;
    QPushButton* btnReset;
    std::unique_ptr<TChartSettingsPreview> fPreview;

    // The settings being edited, and the chart's that OK writes into.
    TChartSettingsInfo fSettings;
    TChartSettingsInfo* fTarget = nullptr;
};

// Edits aSettings for a chart whose candles are aKlineList; true when the
// dialog closed with OK, aSettings then holding what it showed.
bool ExecuteDlgChartSettings(const TKlineList& aKlineList, TChartSettingsInfo& aSettings);
