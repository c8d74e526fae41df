#pragma once

// The texts of the core table, in assignment order: each variable of
// PlotConst.h with its English text. Data only; PlotConst.h and
// PlotConst.cpp expand the list. Texts keep the accelerator "&" of their
// captions and the placeholders ("%s", "%d") that Format fills. The last
// four are the engine's own: its notice, assistant and theme captions, and
// the message of the axis-master check.

// clang-format off
#define PLOT_CONST_TEXTS(X) \
    X(PlotMsg_Test, "Test...") \
    X(PlotMsg_LegendFirstValue, "First Legend Value must be > 0") \
    X(PlotMsg_LegendColorWidth, "Legend Color Width must be > 0%") \
    X(PlotMsg_SeriesSetDataSource, "The series has no parent chart to check its data source") \
    X(PlotMsg_SeriesInvDataSource, "%s is not a valid data source") \
    X(PlotMsg_FillSample, "Fill with sample values") \
    X(PlotMsg_AxisLogDateTime, "DateTime Axis cannot be Logarithmic") \
    X(PlotMsg_AxisLogNotPositive, "Logarithmic Axis Min and Max values should be >= 0") \
    X(PlotMsg_AxisLabelSep, "Labels Separation % must be greater than 0") \
    X(PlotMsg_AxisIncrementNeg, "Axis increment must be >= 0") \
    X(PlotMsg_AxisMinMax, "Axis Minimum Value must be <= Maximum") \
    X(PlotMsg_AxisMaxMin, "Axis Maximum Value must be >= Minimum") \
    X(PlotMsg_AxisLogBase, "Axis Logarithmic Base should be <> 1 and > 0") \
    X(PlotMsg_MaxPointsPerPage, "MaxPointsPerPage must be >= 0") \
    X(PlotMsg_3dPercent, "3D effect percent must be between %d and %d") \
    X(PlotMsg_CircularSeries, "Circular Series dependences are not allowed") \
    X(PlotMsg_WarningHiColor, "Gradients and blends look best with 16 bits of colour or more") \
    X(PlotMsg_DefaultPercentOf, "%s of %s") \
    X(PlotMsg_DefaultPercentOf2, "%s\rof %s") \
    X(PlotMsg_DefPercentFormat, "##0.## %") \
    X(PlotMsg_DefValueFormat, "#,##0.###") \
    X(PlotMsg_DefLogValueFormat, "#.0 \"x10\" E+0") \
    X(PlotMsg_AxisTitle, "Axis Title") \
    X(PlotMsg_AxisLabels, "Axis Labels") \
    X(PlotMsg_RefreshInterval, "Refresh interval must be between 0 and 60") \
    X(PlotMsg_SeriesParentNoSelf, "Series.ParentChart is not myself!") \
    X(PlotMsg_GalleryLine, "Line") \
    X(PlotMsg_GalleryPoint, "Point") \
    X(PlotMsg_GalleryArea, "Area") \
    X(PlotMsg_GalleryBar, "Bar") \
    X(PlotMsg_GalleryHorizBar, "Horizontal Bar") \
    X(PlotMsg_Stack, "Stacked") \
    X(PlotMsg_GalleryPie, "Pie") \
    X(PlotMsg_GalleryCircled, "Round") \
    X(PlotMsg_GalleryFastLine, "Fast Line") \
    X(PlotMsg_GalleryHorizLine, "Horizontal Line") \
    X(PlotMsg_PieSample1, "Rent") \
    X(PlotMsg_PieSample2, "Food") \
    X(PlotMsg_PieSample3, "Travel") \
    X(PlotMsg_PieSample4, "Savings") \
    X(PlotMsg_PieSample5, "Energy") \
    X(PlotMsg_PieSample6, "Books") \
    X(PlotMsg_PieSample7, "Health") \
    X(PlotMsg_PieSample8, "Leisure") \
    X(PlotMsg_GalleryLogoFont, "Sans Serif") \
    X(PlotMsg_Editing, "Changing %s") \
    X(PlotMsg_GalleryStandard, "Standard") \
    X(PlotMsg_GalleryExtended, "More") \
    X(PlotMsg_GalleryFunctions, "Functions") \
    X(PlotMsg_EditChart, "Chart &Settings...") \
    X(PlotMsg_PrintPreview, "Print Pre&view...") \
    X(PlotMsg_ExportChart, "Ex&port Chart...") \
    X(PlotMsg_CustomAxes, "Custom Axes...") \
    X(PlotMsg_InvalidEditorClass, "%s cannot be changed with %s") \
    X(PlotMsg_MissingEditorClass, "%s has no settings window") \
    X(PlotMsg_GalleryArrow, "Arrow") \
    X(PlotMsg_ExpFinish, "&Done") \
    X(PlotMsg_ExpNext, "&Next >") \
    X(PlotMsg_GalleryGantt, "Gantt") \
    X(PlotMsg_GanttSample1, "Plan") \
    X(PlotMsg_GanttSample2, "Research") \
    X(PlotMsg_GanttSample3, "Design") \
    X(PlotMsg_GanttSample4, "Build") \
    X(PlotMsg_GanttSample5, "Review") \
    X(PlotMsg_GanttSample6, "Testing") \
    X(PlotMsg_GanttSample7, "Fixes") \
    X(PlotMsg_GanttSample8, "Training") \
    X(PlotMsg_GanttSample9, "Release") \
    X(PlotMsg_GanttSample10, "Support") \
    X(PlotMsg_ChangeSeriesTitle, "Rename Series") \
    X(PlotMsg_NewSeriesTitle, "Series title:") \
    X(PlotMsg_DateTime, "Date and Time") \
    X(PlotMsg_TopAxis, "Top Axis") \
    X(PlotMsg_BottomAxis, "Bottom Axis") \
    X(PlotMsg_LeftAxis, "Left Axis") \
    X(PlotMsg_RightAxis, "Right Axis") \
    X(PlotMsg_SureToDelete, "Delete %s?") \
    X(PlotMsg_DateTimeFormat, "Date and time for&mat:") \
    X(PlotMsg_Default, "Default") \
    X(PlotMsg_ValuesFormat, "Values For&mat:") \
    X(PlotMsg_Maximum, "Maximum") \
    X(PlotMsg_Minimum, "Minimum") \
    X(PlotMsg_DesiredIncrement, "Step for %s") \
    X(PlotMsg_IncorrectMaxMinValue, "That value is not allowed. Reason: %s") \
    X(PlotMsg_EnterDateTime, "Type [number of days] [hh:mm:ss]") \
    X(PlotMsg_SureToApply, "Apply the changes?") \
    X(PlotMsg_SelectedSeries, "(Selected Series)") \
    X(PlotMsg_RefreshData, "&Reload Data") \
    X(PlotMsg_DefaultFontSize, "8") \
    X(PlotMsg_DefaultEditorSize, "420") \
    X(PlotMsg_DefaultEditorHeight, "300") \
    X(PlotMsg_FunctionAdd, "Sum") \
    X(PlotMsg_FunctionSubtract, "Difference") \
    X(PlotMsg_FunctionMultiply, "Product") \
    X(PlotMsg_FunctionDivide, "Quotient") \
    X(PlotMsg_FunctionHigh, "Highest") \
    X(PlotMsg_FunctionLow, "Lowest") \
    X(PlotMsg_FunctionAverage, "Mean") \
    X(PlotMsg_GalleryShape, "Shape") \
    X(PlotMsg_GalleryBubble, "Bubble") \
    X(PlotMsg_FunctionNone, "Copy") \
    X(PlotMsg_None, "(none)") \
    X(PlotMsg_PrivateDeclarations, "{ Private members }") \
    X(PlotMsg_PublicDeclarations, "{ Public members }") \
    X(PlotMsg_DefaultFontName, "Arial") \
    X(PlotMsg_CheckPointerSize, "Pointer size must be greater than zero") \
    X(PlotMsg_About, "About the Tavrix chart engine...") \
    X(tcAdditional, "More") \
    X(tcDControls, "Data Views") \
    X(tcQReport, "Reports") \
    X(PlotMsg_DataSet, "Table") \
    X(PlotMsg_AskDataSet, "&Table:") \
    X(PlotMsg_SingleRecord, "One record") \
    X(PlotMsg_AskDataSource, "&Source:") \
    X(PlotMsg_Summary, "Totals") \
    X(PlotMsg_FunctionPeriod, "Function Period should be >= 0") \
    X(PlotMsg_WizardTab, "Business") \
    X(PlotMsg_ClearImage, "Remo&ve") \
    X(PlotMsg_BrowseImage, "Choo&se...") \
    X(PlotMsg_WizardSureToClose, "Leave the chart assistant without making a chart?") \
    X(PlotMsg_FieldNotFound, "Field %s does not exist") \
    X(PlotMsg_DepthAxis, "Depth Right") \
    X(PlotMsg_PieOther, "Others") \
    X(PlotMsg_ShapeGallery1, "abc") \
    X(PlotMsg_ShapeGallery2, "xyz") \
    X(PlotMsg_ValuesX, "X") \
    X(PlotMsg_ValuesY, "Y") \
    X(PlotMsg_ValuesPie, "Slice") \
    X(PlotMsg_ValuesBar, "Height") \
    X(PlotMsg_ValuesAngle, "Angle") \
    X(PlotMsg_ValuesGanttStart, "Begin") \
    X(PlotMsg_ValuesGanttEnd, "Finish") \
    X(PlotMsg_ValuesGanttNextTask, "Following Task") \
    X(PlotMsg_ValuesBubbleRadius, "Radius") \
    X(PlotMsg_ValuesArrowEndX, "To X") \
    X(PlotMsg_ValuesArrowEndY, "To Y") \
    X(PlotMsg_Legend, "Legend") \
    X(PlotMsg_Title, "Title") \
    X(PlotMsg_Foot, "Footer") \
    X(PlotMsg_Period, "Period") \
    X(PlotMsg_PeriodRange, "Period range") \
    X(PlotMsg_CalcPeriod, "Compute %s over:") \
    X(PlotMsg_SmallDotsPen, "Fine Dots") \
    X(PlotMsg_ChartAxesCategoryName, "Chart Axes") \
    X(PlotMsg_ChartAxesCategoryDesc, "Settings and events of the chart's axes") \
    X(PlotMsg_ChartWallsCategoryName, "Chart Walls") \
    X(PlotMsg_ChartWallsCategoryDesc, "Settings and events of the chart's walls") \
    X(PlotMsg_ChartTitlesCategoryName, "Chart Titles") \
    X(PlotMsg_ChartTitlesCategoryDesc, "Settings and events of the chart's titles") \
    X(PlotMsg_Chart3DCategoryName, "Chart 3D") \
    X(PlotMsg_Chart3DCategoryDesc, "Settings and events of the chart's 3D view") \
    X(PlotMsg_CustomAxesEditor, "Custom Axes") \
    X(PlotMsg_Series, "Series") \
    X(PlotMsg_SeriesList, "Series...") \
    X(PlotMsg_PageOfPages, "Page %d of %d") \
    X(PlotMsg_FileSize, "%d bytes") \
    X(PlotMsg_First, "First") \
    X(PlotMsg_Prior, "Previous") \
    X(PlotMsg_Next, "Next") \
    X(PlotMsg_Last, "Last") \
    X(PlotMsg_Insert, "Insert") \
    X(PlotMsg_Delete, "Delete") \
    X(PlotMsg_Edit, "Change") \
    X(PlotMsg_Post, "Save") \
    X(PlotMsg_Cancel, "Cancel") \
    X(PlotMsg_All, "(everything)") \
    X(PlotMsg_Index, "Number") \
    X(PlotMsg_Text, "Text") \
    X(PlotMsg_AsBMP, "as &Bitmap") \
    X(PlotMsg_BMPFilter, "Bitmap images (*.bmp)|*.bmp") \
    X(PlotMsg_AsEMF, "as &Metafile") \
    X(PlotMsg_EMFFilter, "Enhanced metafiles (*.emf)|*.emf") \
    X(PlotMsg_ExportPanelNotSet, "Nothing to export: the panel is not set") \
    X(PlotMsg_Normal, "Plain") \
    X(PlotMsg_NoBorder, "Borderless") \
    X(PlotMsg_Dotted, "Dots") \
    X(PlotMsg_Colors, "Colours") \
    X(PlotMsg_Filled, "Solid Fill") \
    X(PlotMsg_Marks, "Marks") \
    X(PlotMsg_Stairs, "Steps") \
    X(PlotMsg_Points, "Points") \
    X(PlotMsg_Height, "Height") \
    X(PlotMsg_Hollow, "Empty") \
    X(PlotMsg_Point2D, "Flat Point") \
    X(PlotMsg_Triangle, "Triangle") \
    X(PlotMsg_Star, "Star") \
    X(PlotMsg_Circle, "Circle") \
    X(PlotMsg_DownTri, "Triangle Down") \
    X(PlotMsg_Cross, "Cross") \
    X(PlotMsg_Diamond, "Diamond") \
    X(PlotMsg_NoLines, "Without Lines") \
    X(PlotMsg_Stack100, "Stacked to 100%") \
    X(PlotMsg_Pyramid, "Pyramid") \
    X(PlotMsg_Ellipse, "Ellipse") \
    X(PlotMsg_InvPyramid, "Pyramid Upside Down") \
    X(PlotMsg_Sides, "Sides") \
    X(PlotMsg_SideAll, "Every Side") \
    X(PlotMsg_Patterns, "Hatches") \
    X(PlotMsg_Exploded, "Pulled Out") \
    X(PlotMsg_Shadow, "Shadow") \
    X(PlotMsg_SemiPie, "Half Pie") \
    X(PlotMsg_Rectangle, "Rectangle") \
    X(PlotMsg_VertLine, "Vertical Line") \
    X(PlotMsg_HorizLine, "Horizontal Line") \
    X(PlotMsg_Line, "Line") \
    X(PlotMsg_Cube, "Cube") \
    X(PlotMsg_DiagCross, "Diagonal Cross") \
    X(PlotMsg_CanNotFindTempPath, "No folder for temporary files was found") \
    X(PlotMsg_CanNotCreateTempChart, "The temporary chart file %s could not be written") \
    X(PlotMsg_CanNotEmailChart, "The chart could not be sent by e-mail (error %d)") \
    X(PlotMsg_SeriesDelete, "Series Delete: ValueIndex %d out of bounds (0 to %d).") \
    X(PlotMsg_NoSeriesSelected, "Select a series first") \
    X(PlotMsg_CannotLoadChartFromURL, "The chart could not be read from %s (error %d)") \
    X(PlotMsg_CannotLoadSeriesDataFromURL, "The series data could not be read from %s (error %d)") \
    X(PlotMsg_AsJPEG, "as &JPEG") \
    X(PlotMsg_JPEGFilter, "JPEG images (*.jpg)|*.jpg") \
    X(PlotMsg_AsGIF, "as &GIF") \
    X(PlotMsg_GIFFilter, "GIF images (*.gif)|*.gif") \
    X(PlotMsg_AsPNG, "as &PNG") \
    X(PlotMsg_PNGFilter, "PNG images (*.png)|*.png") \
    X(PlotMsg_AsPCX, "as PC&X") \
    X(PlotMsg_PCXFilter, "PCX images (*.pcx)|*.pcx") \
    X(PlotMsg_AsVML, "as &VML (HTML)") \
    X(PlotMsg_VMLFilter, "VML pages (*.htm)|*.htm") \
    X(PlotMsg_AskLanguage, "&Language...") \
    X(PlotMsg_TextFile, "Text file") \
    X(PlotMsg_Gradient, "Gradient") \
    X(PlotMsg_WantToSave, "Save the changes to %s?") \
    X(PlotMsg_NativeFilter, "Tavrix charts (*.%s)|*.%s") \
    X(PlotMsg_Property, "Setting") \
    X(PlotMsg_Value, "Value") \
    X(PlotMsg_Yes, "Yes") \
    X(PlotMsg_No, "No") \
    X(PlotMsg_Image, "(picture)") \
    X(PlotMsg_FunctionCustom, "Formula") \
    X(PlotMsg_AsPDF, "as &PDF") \
    X(PlotMsg_PDFFilter, "PDF documents (*.pdf)|*.pdf") \
    X(PlotMsg_AsPS, "as PostScript") \
    X(PlotMsg_PSFilter, "PostScript files (*.eps)|*.eps") \
    X(PlotMsg_GalleryHorizArea, "Horizontal Area") \
    X(PlotMsg_SelfStack, "Stacked on Itself") \
    X(PlotMsg_DarkPen, "Dark Border") \
    X(PlotMsg_SelectFolder, "Choose a folder") \
    X(PlotMsg_BDEAlias, "&Database:") \
    X(PlotMsg_ADOConnection, "&Connection:") \
    X(PlotMsg_Apply, "&Apply") \
    X(PlotMsg_AddNewGroup, "New group") \
    X(PlotMsg_ChangeGroupName, "Rename the group") \
    X(PlotMsg_GroupName, "Group name:") \
    X(PlotMsg_FunctionMedian, "Middle Value") \
    X(PlotMsg_FunctionMode, "Most Frequent") \
    X(PlotMsg_Options, "Choices") \
    X(PlotMsg_DepthTopAxis, "Depth Top") \
    X(PlotMsg_View2D, "Flat") \
    X(PlotMsg_Outline, "Outline") \
    X(PlotMsg_TextFilter1, "Tab") \
    X(PlotMsg_TextFilter2, "Comma") \
    X(PlotMsg_TextFilter3, "Space") \
    X(PlotMsg_TextFilter4, "Semicolon") \
    X(PlotMsg_TextFilter5, "Other") \
    X(PlotMsg_XMLFilter, "XML files (*.xml)|*.xml") \
    X(PlotMsg_HTMLFilter, "HTML pages (*.htm)|*.htm") \
    X(PlotMsg_ExcelFilter, "Spreadsheets (*.xls)|*.xls") \
    X(PlotMsg_ViewOrthoRight, "Right Angle View") \
    X(PlotMsg_ViewOrthoLeft, "Left Angle View") \
    X(PlotMsg_View3DFront, "3D from the Front") \
    X(PlotMsg_View3DRight, "3D from the Right") \
    X(PlotMsg_View3DLeft, "3D from the Left") \
    X(PlotMsg_AsSVG, "as &SVG") \
    X(PlotMsg_SVGFilter, "SVG images (*.svg)|*.svg") \
    X(PlotMsg_SubTitle, "Second Title") \
    X(PlotMsg_SubFoot, "Second Footer") \
    X(PlotMsg_FunctionSubset, "Part") \
    X(PlotMsg_Hexagon, "Hexagon") \
    X(PlotMsg_AntiAlias, "Smooth Edges") \
    X(PlotMsg_Percent, "Percent") \
    X(PlotMsg_Smooth, "Soft") \
    X(PlotMsg_Blur, "Blur") \
    X(PlotMsg_Width, "Width") \
    X(PlotMsg_Resize, "Scale") \
    X(PlotMsg_Left, "Left") \
    X(PlotMsg_Top, "Top") \
    X(PlotMsg_Crop, "Trim") \
    X(PlotMsg_Invert, "Negative") \
    X(PlotMsg_GrayScale, "Grey Tones") \
    X(PlotMsg_Mosaic, "Tiles") \
    X(PlotMsg_Flip, "Upside Down") \
    X(PlotMsg_Reverse, "Left to Right") \
    X(PlotMsg_Brightness, "Lightness") \
    X(PlotMsg_Color, "Colour") \
    X(PlotMsg_HueLumSat, "Hue, Lightness, Saturation") \
    X(PlotMsg_Sharpen, "Sharpen") \
    X(PlotMsg_GammaCorrection, "Gamma") \
    X(PlotMsg_Emboss, "Relief") \
    X(PlotMsg_Contrast, "Contrast") \
    X(PlotMsg_Rotate, "Turn") \
    X(PlotMsg_Back, "Background") \
    X(PlotMsg_Autosize, "Fit to Size") \
    X(PlotMsg_Mirror, "Mirror") \
    X(PlotMsg_Columns, "Columns") \
    X(PlotMsg_Rows, "Rows") \
    X(PlotMsg_Tile, "Repeat") \
    X(PlotMsg_Bevel, "Bevel") \
    X(PlotMsg_Zoom, "Magnify") \
    X(PlotMsg_ThemeDefault, "Default") \
    X(PlotMsg_ThemeExcel, "Excel") \
    X(PlotMsg_ThemeVictorian, "Victorian") \
    X(PlotMsg_ThemePastels, "Pastels") \
    X(PlotMsg_ThemeSolid, "Solid") \
    X(PlotMsg_ThemeClassic, "Classic") \
    X(PlotMsg_ThemeWeb, "Web") \
    X(PlotMsg_ThemeModern, "Modern") \
    X(PlotMsg_ThemeRainbow, "Rainbow") \
    X(PlotMsg_ThemeWinXP, "Win. XP") \
    X(PlotMsg_ThemeMacOS, "Mac OS") \
    X(PlotMsg_ThemeWinVista, "Win. Vista") \
    X(PlotMsg_ThemeGrayScale, "Gray scale") \
    X(PlotMsg_ThemeOpera, "Opera") \
    X(PlotMsg_ThemeWarm, "Warm") \
    X(PlotMsg_ThemeCool, "Cool") \
    X(PlotMsg_MenuFilters, "Picture Effects...") \
    X(PlotMsg_CrossTab, "Cross Table") \
    X(PlotMsg_DBSumEditCaption, "Totals by Group") \
    X(PlotMsg_AsFlex, "as &Flash (Flex)") \
    X(PlotMsg_FlexFilter, "Flash movies (*.swf)|*.swf") \
    X(PlotMsg_AsXAML, "as &XAML") \
    X(PlotMsg_XAMLFilter, "XAML files (*.xaml)|*.xaml") \
    X(PlotMsg_SelectTmpFolder, "Choose a folder for temporary files") \
    X(PlotMsg_PathAdobeFlexCompiler, "Folder of the Flex compiler:") \
    X(PlotPolarDegreeSymbol, "°") \
    X(PlotMsg_NewChart, "New Chart") \
    X(PlotMsg_RenameChart, "Rename the Chart") \
    X(PlotMsg_ChartName, "Chart name:") \
    X(PlotMsg_SelectTextFile, "Choose a text file") \
    X(PlotMsg_SaveTextFile, "Save as a text file") \
    X(PlotMsg_EngineNotice, "Chart engine of the Tavrix terminal") \
    X(PlotMsg_ChartWizard, "Chart Assistant") \
    X(PlotMsg_ChartTheme, "Chart Theme") \
    X(PlotMsg_AxisCircularMaster, "Circular Axis master dependences are not allowed")
// clang-format on
