#pragma once

// The texts of the extended table, in assignment order: each variable of
// PlotProCo.h with its English text. Data only, as PlotConstTexts.h.

// clang-format off
#define PLOT_PROCO_TEXTS(X) \
    X(PlotMsg_GalleryPolar, "Polar") \
    X(PlotMsg_GalleryCandle, "Candle") \
    X(PlotMsg_GalleryVolume, "Volume") \
    X(PlotMsg_GallerySurface, "Surface") \
    X(PlotMsg_GalleryContour, "Contour") \
    X(PlotMsg_GalleryBezier, "Curve") \
    X(PlotMsg_GalleryPoint3D, "3D Point") \
    X(PlotMsg_GalleryRadar, "Radar") \
    X(PlotMsg_GalleryDonut, "Ring") \
    X(PlotMsg_GalleryCursor, "Cursor") \
    X(PlotMsg_GalleryBar3D, "3D Bar") \
    X(PlotMsg_GalleryBigCandle, "Wide Candle") \
    X(PlotMsg_GalleryLinePoint, "Line with Points") \
    X(PlotMsg_GalleryHistogram, "Histogram") \
    X(PlotMsg_GalleryWaterFall, "Waterfall") \
    X(PlotMsg_GalleryWindRose, "Wind Rose") \
    X(PlotMsg_GalleryClock, "Clock") \
    X(PlotMsg_GalleryColorGrid, "Colour Grid") \
    X(PlotMsg_GalleryBoxPlot, "Box Plot") \
    X(PlotMsg_GalleryHorizBoxPlot, "Horizontal Box Plot") \
    X(PlotMsg_GalleryBarJoin, "Joined Bars") \
    X(PlotMsg_GallerySmith, "Smith Chart") \
    X(PlotMsg_GalleryPyramid, "Pyramid") \
    X(PlotMsg_GalleryMap, "Map") \
    X(PlotMsg_GalleryVolumePipe, "Volume Pipe") \
    X(PlotMsg_PolyDegreeRange, "Polynomial degree must be between 1 and 20") \
    X(PlotMsg_AnswerVectorIndex, "Answer vector index must be between 1 and %d") \
    X(PlotMsg_FittingError, "The curve could not be fitted") \
    X(PlotMsg_PeriodRange, "Period must be 0 or more") \
    X(PlotMsg_ExpAverageWeight, "The weight of an exponential average must be between 0 and 1") \
    X(PlotMsg_GalleryErrorBar, "Error Bar") \
    X(PlotMsg_GalleryError, "Error") \
    X(PlotMsg_GalleryHighLow, "High and Low") \
    X(PlotMsg_FunctionMomentum, "Momentum") \
    X(PlotMsg_FunctionMomentumDiv, "Momentum Ratio") \
    X(PlotMsg_FunctionExpAverage, "Exponential Average") \
    X(PlotMsg_FunctionMovingAverage, "Moving Average") \
    X(PlotMsg_FunctionExpMovAve, "Exponential Moving Average") \
    X(PlotMsg_FunctionRSI, "R.S.I.") \
    X(PlotMsg_FunctionCurveFitting, "Fitted Curve") \
    X(PlotMsg_FunctionTrend, "Trend Line") \
    X(PlotMsg_FunctionExpTrend, "Exponential Trend Line") \
    X(PlotMsg_FunctionLogTrend, "Logarithmic Trend Line") \
    X(PlotMsg_FunctionCumulative, "Running Total") \
    X(PlotMsg_FunctionStdDeviation, "Standard Deviation") \
    X(PlotMsg_FunctionBollinger, "Bollinger Bands") \
    X(PlotMsg_FunctionRMS, "Root Mean Square") \
    X(PlotMsg_FunctionMACD, "MACD") \
    X(PlotMsg_FunctionStochastic, "Stochastic Oscillator") \
    X(PlotMsg_FunctionADX, "ADX") \
    X(PlotMsg_FunctionCount, "Number of Points") \
    X(PlotMsg_LoadChart, "Open a chart...") \
    X(PlotMsg_SaveChart, "Save the chart...") \
    X(PlotMsg_PlotFiles, "Tavrix charts") \
    X(PlotMsg_GallerySamples, "Examples") \
    X(PlotMsg_GalleryStats, "Statistics") \
    X(PlotMsg_CannotFindEditor, "No settings window for %s was found") \
    X(PlotMsg_ValuesDate, "Date") \
    X(PlotMsg_ValuesOpen, "Open") \
    X(PlotMsg_ValuesHigh, "High") \
    X(PlotMsg_ValuesLow, "Low") \
    X(PlotMsg_ValuesClose, "Close") \
    X(PlotMsg_ValuesOffset, "Shift") \
    X(PlotMsg_ValuesStdError, "Standard Error") \
    X(PlotMsg_Grid3D, "3D Grid") \
    X(PlotMsg_LowBezierPoints, "A curve needs at least two points") \
    X(PlotCommanMsg_Normal, "Plain") \
    X(PlotCommanMsg_Edit, "Change") \
    X(PlotCommanMsg_Print, "Print") \
    X(PlotCommanMsg_Copy, "Copy") \
    X(PlotCommanMsg_Save, "Save") \
    X(PlotCommanMsg_3D, "3D") \
    X(PlotCommanMsg_Rotating, "Turning: %d° across, %d° up") \
    X(PlotCommanMsg_Rotate, "Turn") \
    X(PlotCommanMsg_Moving, "Shift: across %d, up %d") \
    X(PlotCommanMsg_Move, "Shift") \
    X(PlotCommanMsg_Zooming, "Magnification: %d %%") \
    X(PlotCommanMsg_Zoom, "Magnify") \
    X(PlotCommanMsg_Depthing, "Depth: %d %%") \
    X(PlotCommanMsg_Depth, "Depth") \
    X(PlotCommanMsg_Chart, "Chart") \
    X(PlotCommanMsg_Panel, "Panel") \
    X(PlotCommanMsg_RotateLabel, "Drag %s to turn the chart") \
    X(PlotCommanMsg_MoveLabel, "Drag %s to shift the chart") \
    X(PlotCommanMsg_ZoomLabel, "Drag %s to magnify the chart") \
    X(PlotCommanMsg_DepthLabel, "Drag %s to change the 3D depth") \
    X(PlotCommanMsg_NormalLabel, "Drag the left button to magnify, the right button to scroll") \
    X(PlotCommanMsg_NormalPieLabel, "Drag a pie slice to pull it out") \
    X(PlotCommanMsg_PieExploding, "Slice %d pulled out by %d %%") \
    X(PlotMsg_TriSurfaceLess, "A triangle surface needs at least four points") \
    X(PlotMsg_TriSurfaceAllColinear, "All the points lie on one line") \
    X(PlotMsg_TriSurfaceSimilar, "Two points are too close to tell apart") \
    X(PlotMsg_GalleryTriSurface, "Triangle Surface") \
    X(PlotMsg_AllSeries, "Every Series") \
    X(PlotMsg_Edit, "Change...") \
    X(PlotMsg_GalleryFinancial, "Financial") \
    X(PlotMsg_CursorTool, "Cross Hair") \
    X(PlotMsg_DragMarksTool, "Move Marks") \
    X(PlotMsg_AxisArrowTool, "Axis Arrows") \
    X(PlotMsg_DrawLineTool, "Draw Lines") \
    X(PlotMsg_NearestTool, "Closest Point") \
    X(PlotMsg_ColorBandTool, "Colour Band") \
    X(PlotMsg_ColorLineTool, "Colour Line") \
    X(PlotMsg_RotateTool, "Turn") \
    X(PlotMsg_ImageTool, "Picture") \
    X(PlotMsg_MarksTipTool, "Mark Tips") \
    X(PlotMsg_AnnotationTool, "Note") \
    X(PlotMsg_CantDeleteAncestor, "This item was inherited and stays") \
    X(PlotMsg_Load, "Open...") \
    X(PlotMsg_CategoryChartActions, "Chart") \
    X(PlotMsg_CategorySeriesActions, "Chart Series") \
    X(PlotMsg_Action3D, "&3D") \
    X(PlotMsg_Action3DHint, "Switch between a flat and a 3D view") \
    X(PlotMsg_ActionSeriesActive, "&Show") \
    X(PlotMsg_ActionSeriesActiveHint, "Show or hide the series") \
    X(PlotMsg_ActionEditHint, "Change the chart's settings") \
    X(PlotMsg_ActionEdit, "&Change...") \
    X(PlotMsg_ActionCopyHint, "Put the chart on the clipboard") \
    X(PlotMsg_ActionCopy, "&Copy") \
    X(PlotMsg_ActionPrintHint, "Print the chart") \
    X(PlotMsg_ActionPrint, "&Print...") \
    X(PlotMsg_ActionAxesHint, "Show or hide the axes") \
    X(PlotMsg_ActionAxes, "&Axes") \
    X(PlotMsg_ActionGridsHint, "Show or hide the grid lines") \
    X(PlotMsg_ActionGrids, "&Grid Lines") \
    X(PlotMsg_ActionLegendHint, "Show or hide the legend") \
    X(PlotMsg_ActionLegend, "&Legend") \
    X(PlotMsg_ActionSeriesEditHint, "Change the series' settings") \
    X(PlotMsg_ActionSeriesMarksHint, "Show or hide the series' marks") \
    X(PlotMsg_ActionSeriesMarks, "&Marks") \
    X(PlotMsg_ActionSaveHint, "Save the chart to a file") \
    X(PlotMsg_ActionSave, "&Save...") \
    X(PlotMsg_CandleBar, "Bar") \
    X(PlotMsg_CandleNoOpen, "Without Open") \
    X(PlotMsg_CandleNoClose, "Without Close") \
    X(PlotMsg_NoHigh, "Without High") \
    X(PlotMsg_NoLow, "Without Low") \
    X(PlotMsg_ColorRange, "Colour Scale") \
    X(PlotMsg_WireFrame, "Wires") \
    X(PlotMsg_DotFrame, "Dots") \
    X(PlotMsg_Positions, "Places") \
    X(PlotMsg_NoGrid, "Without Grid") \
    X(PlotMsg_NoPoint, "Without Points") \
    X(PlotMsg_NoLine, "Without Line") \
    X(PlotMsg_Labels, "Labels") \
    X(PlotMsg_NoCircle, "Without Circle") \
    X(PlotMsg_Lines, "Lines") \
    X(PlotMsg_Border, "Frame") \
    X(PlotMsg_SmithResistance, "Resistance") \
    X(PlotMsg_SmithReactance, "Reactance") \
    X(PlotMsg_Column, "Column") \
    X(PlotMsg_Separator, "Separator") \
    X(PlotMsg_FunnelSegment, "Stage") \
    X(PlotMsg_FunnelSeries, "Funnel") \
    X(PlotMsg_FunnelPercent, "0.00 %") \
    X(PlotMsg_FunnelExceed, "Over the limit") \
    X(PlotMsg_FunnelWithin, "Inside the limits") \
    X(PlotMsg_FunnelBelow, "Under the limit") \
    X(PlotMsg_CalendarSeries, "Calendar") \
    X(PlotMsg_DeltaPointSeries, "Change Point") \
    X(PlotMsg_ImagePointSeries, "Picture Point") \
    X(PlotMsg_ImageBarSeries, "Picture Bar") \
    X(PlotMsg_SeriesTextFieldZero, "Series text: the field number must be above 0") \
    X(PlotMsg_Origin, "Base") \
    X(PlotMsg_Transparency, "See-through") \
    X(PlotMsg_Box, "Box") \
    X(PlotMsg_ExtrOut, "Far Outliers") \
    X(PlotMsg_MildOut, "Near Outliers") \
    X(PlotMsg_PageNumber, "Page Number") \
    X(PlotMsg_DragPoint, "Move Point") \
    X(PlotMsg_OpportunityValues, "Opportunities") \
    X(PlotMsg_QuoteValues, "Quotes") \
    X(PlotMsg_FunctionSmooth, "Smoothing") \
    X(PlotMsg_FunctionCross, "Crossings") \
    X(PlotMsg_GridTranspose, "Turn 3D Grid") \
    X(PlotMsg_FunctionCompress, "Compression") \
    X(PlotMsg_ExtraLegendTool, "Second Legend") \
    X(PlotMsg_FunctionCLV, "Close Location Value") \
    X(PlotMsg_FunctionOBV, "On Balance Volume") \
    X(PlotMsg_FunctionCCI, "Commodity Channel Index") \
    X(PlotMsg_FunctionPVO, "Percentage Volume Oscillator") \
    X(PlotMsg_SeriesAnimTool, "Series Animation") \
    X(PlotMsg_GalleryPointFigure, "Point and Figure") \
    X(PlotMsg_Up, "Rising") \
    X(PlotMsg_Down, "Falling") \
    X(PlotMsg_GanttTool, "Gantt Drag") \
    X(PlotMsg_XMLFile, "XML file") \
    X(PlotMsg_GridBandTool, "Grid Bands") \
    X(PlotMsg_FunctionPerf, "Performance") \
    X(PlotMsg_GalleryGauge, "Gauge") \
    X(PlotMsg_GalleryGauges, "Gauges") \
    X(PlotMsg_ValuesVectorEndZ, "To Z") \
    X(PlotMsg_GalleryVector3D, "3D Vector") \
    X(PlotMsg_Gallery3D, "3D") \
    X(PlotMsg_GalleryTower, "Towers") \
    X(PlotMsg_SingleColor, "One Colour") \
    X(PlotMsg_Cover, "Lid") \
    X(PlotMsg_Cone, "Cone") \
    X(PlotMsg_PieTool, "Pie Slices") \
    X(PlotMsg_Stop, "Stop") \
    X(PlotMsg_Execute, "Run") \
    X(PlotMsg_Themes, "Themes") \
    X(PlotMsg_LightTool, "Lighting") \
    X(PlotMsg_Current, "Now") \
    X(PlotMsg_FunctionCorrelation, "Correlation") \
    X(PlotMsg_FunctionVariance, "Variance") \
    X(PlotMsg_GalleryBubble3D, "3D Bubble") \
    X(PlotMsg_GalleryHorizHistogram, "Horizontal Histogram") \
    X(PlotMsg_FunctionPerimeter, "Outline") \
    X(PlotMsg_SurfaceNearestTool, "Closest Surface Cell") \
    X(PlotMsg_AxisScrollTool, "Axis Scroll") \
    X(PlotMsg_RectangleTool, "Rectangle") \
    X(PlotMsg_GalleryPolarBar, "Polar Bar") \
    X(PlotMsg_AsWapBitmap, "as Wireless Bitmap") \
    X(PlotMsg_WapBMPFilter, "Wireless bitmaps (*.wbmp)|*.wbmp") \
    X(PlotMsg_ClipSeries, "Clip Series") \
    X(PlotMsg_SeriesBandTool, "Series Band") \
    X(PlotMsg_ThemeFacts, "Facts") \
    X(PlotMsg_FunctionDownSampling, "Thinning") \
    X(PlotMsg_SelectorTool, "Pick") \
    X(PlotMsg_LegendScrollBar, "Legend Scroll Bar") \
    X(PlotMsg_DataTableTool, "Value Table") \
    X(PlotMsg_IsoSurfaceSeries, "Height Bands") \
    X(PlotMsg_UpToValue, "Up to the value") \
    X(PlotMsg_NoCompression, "Uncompressed") \
    X(PlotMsg_GalleryDarvas, "Darvas") \
    X(PlotMsg_VideoTool, "Video Recorder") \
    X(PlotMsg_VideoToolDesc, "Records the chart as a video file") \
    X(PlotMsg_VideoPlayerTool, "Video Player") \
    X(PlotMsg_VideoPlayerToolDesc, "Plays a video file inside the chart") \
    X(PlotMsg_CursorToolDesc, "Lines that follow the mouse across the chart") \
    X(PlotMsg_DragMarksDesc, "Marks can be moved with the mouse") \
    X(PlotMsg_DragPointDesc, "Points can be moved with the mouse") \
    X(PlotMsg_DrawLineDesc, "Lines can be drawn on the chart with the mouse") \
    X(PlotMsg_ExtraLegendDesc, "A further legend for one series") \
    X(PlotMsg_GanttToolDesc, "Gantt bars can be moved and stretched with the mouse") \
    X(PlotMsg_MarksTipDesc, "The mark of the point under the mouse is shown as a tip") \
    X(PlotMsg_NearestToolDesc, "Shows the point closest to the mouse") \
    X(PlotMsg_PieToolDesc, "Pie slices can be picked with the mouse") \
    X(PlotMsg_SeriesAnimationDesc, "Series grow into place") \
    X(PlotMsg_AxisArrowDesc, "Arrows at the ends of an axis scroll it") \
    X(PlotMsg_ColorBandDesc, "A coloured band between two axis values") \
    X(PlotMsg_ColorLineDesc, "A coloured line at an axis value") \
    X(PlotMsg_GridBandDesc, "Alternating coloured bands between grid lines") \
    X(PlotMsg_GridTransposeDesc, "Swaps the rows and columns of a 3D grid") \
    X(PlotMsg_AnnotationDesc, "A text note on the chart") \
    X(PlotMsg_RectangleToolDesc, "A rectangle that can be moved and sized on the chart") \
    X(PlotMsg_RotateDesc, "Turns a 3D chart with the mouse") \
    X(PlotMsg_ImageToolDesc, "A picture on the chart") \
    X(PlotMsg_LightToolDesc, "Lights a 3D chart from a point") \
    X(PlotMsg_SurfaceNearestDesc, "Shows the surface cell under the mouse") \
    X(PlotMsg_AxisScrollDesc, "An axis scrolls when dragged") \
    X(PlotMsg_LegendScrollBarDesc, "A scroll bar for a long legend") \
    X(PlotMsg_ClipSeriesDesc, "Clips a series to its axes") \
    X(PlotMsg_SelectorDesc, "Chart parts can be picked with the mouse") \
    X(PlotMsg_StatsToolDesc, "Figures about a series' values") \
    X(PlotMsg_PageNumberDesc, "Shows the page number of a paged chart") \
    X(PlotMsg_TransposeSeries, "Swap Series") \
    X(PlotMsg_TransposeSeriesDesc, "Swaps the series with their points") \
    X(PlotMsg_GridTranspDesc, "Turns a 3D grid's rows into columns") \
    X(PlotMsg_LegendScrollDesc, "Scrolls a long legend") \
    X(PlotMsg_DataTableDesc, "A table of the series' values under the chart") \
    X(PlotMsg_SeriesBandDesc, "Fills the room between two series") \
    X(PlotMsg_ThemeRandom, "Random") \
    X(PlotMsg_Play, "Play") \
    X(PlotMsg_GalleryHighLowLine, "High and Low Line") \
    X(PlotMsg_Mirrored, "Mirrored") \
    X(PlotMsg_PolarGridSeries, "Polar Grid") \
    X(PlotMsg_FullScreen, "Whole Screen") \
    X(PlotMsg_FullScreenDesc, "Shows the chart over the whole screen") \
    X(PlotMsg_MagnifyTool, "Magnifier") \
    X(PlotMsg_MagnifyToolDesc, "Magnifies the part of the chart under the mouse") \
    X(PlotMsg_Fader, "Fade") \
    X(PlotMsg_FaderDesc, "Fades the chart in or out") \
    X(PlotMsg_SubChartTool, "Inner Chart") \
    X(PlotMsg_SubChartDesc, "A chart drawn inside the chart") \
    X(PlotMsg_AntiAlias, "Smoothing") \
    X(PlotMsg_AntiAliasDesc, "Draws the chart with smooth edges") \
    X(PlotMsg_SeriesRegion, "Series Area") \
    X(PlotMsg_SeriesRegionDesc, "Fills the area under a series") \
    X(PlotMsg_Text3D, "3D Text") \
    X(PlotMsg_Text3DDesc, "Text placed in the 3D view") \
    X(PlotMsg_BannerTool, "Banner") \
    X(PlotMsg_BannerToolDesc, "Moving or blinking text on the chart") \
    X(PlotMsg_MenuNew, "&New") \
    X(PlotMsg_MenuDelete, "&Delete") \
    X(PlotMsg_MenuRename, "&Rename") \
    X(PlotMsg_MenuEdit, "&Change...") \
    X(PlotMsg_MenuViewToolbar, "Show the &Toolbar") \
    X(PlotMsg_RenamePage, "Rename the Page") \
    X(PlotMsg_NewName, "New name:") \
    X(PlotMsg_FrameTool, "Frame") \
    X(PlotMsg_FrameToolDesc, "A frame around the chart") \
    X(PlotMsg_HistogramFunction, "Histogram") \
    X(PlotMsg_ExcelEmptyFile, "The spreadsheet file %s holds nothing") \
    X(PlotMsg_ExcelFile, "Spreadsheet file") \
    X(PlotMsg_ExcelSheetEmpty, "The sheet %s holds nothing") \
    X(PlotMsg_ExcelRangeMissing, "The range %s was not found") \
    X(PlotMsg_DBSumEditCaption, "Group Totals") \
    X(PlotMsg_LegendPalette, "Colour Scale Legend") \
    X(PlotMsg_LegendPaletteDesc, "A legend of a colour scale") \
    X(PlotMsg_Statistics, "Figures") \
    X(PlotMsg_PlotScrollBar, "Chart Scroll Bar") \
    X(PlotMsg_GalleryOrgSeries, "Organisation Chart") \
    X(PlotMsg_GalleryWorld, "World") \
    X(PlotMsg_GalleryAfrica, "Africa") \
    X(PlotMsg_GalleryAsia, "Asia") \
    X(PlotMsg_GalleryAustralia, "Australia") \
    X(PlotMsg_GalleryCentralAmerica, "Central America") \
    X(PlotMsg_GalleryEurope, "Europe") \
    X(PlotMsg_GalleryEurope15, "Europe (15 countries)") \
    X(PlotMsg_GalleryEurope27, "Europe (27 countries)") \
    X(PlotMsg_GallerySpain, "Spain") \
    X(PlotMsg_GalleryMiddleEast, "Middle East") \
    X(PlotMsg_GalleryNorthAmerica, "North America") \
    X(PlotMsg_GallerySouthAmerica, "South America") \
    X(PlotMsg_GalleryUSA, "United States") \
    X(PlotMsg_GalleryUSAHawaiiAlaska, "United States with Hawaii and Alaska") \
    X(PlotMsg_GalleryMaps, "Maps") \
    X(PlotMsg_GalleryTagCloud, "Word Cloud") \
    X(PlotMsg_GalleryRenko, "Renko") \
    X(PlotMsg_GalleryKagi, "Kagi") \
    X(PlotMsg_NumericGauge, "Number Gauge") \
    X(PlotMsg_CircularGauge, "Round Gauge") \
    X(PlotMsg_LEDGauge, "Light Gauge") \
    X(PlotMsg_LinearGauge, "Straight Gauge") \
    X(PlotMsg_LinkTool, "Link") \
    X(PlotMsg_LinkToolDesc, "Opens a web page when a chart part is clicked") \
    X(PlotMsg_Fibonacci, "Fibonacci") \
    X(PlotMsg_FibonacciDesc, "Fibonacci levels between two points") \
    X(PlotMsg_LinearGaugeVertical, "Upright Straight Gauge") \
    X(PlotMsg_AVIFile, "Video file") \
    X(PlotMsg_SelectAVIFile, "Choose a video file")
// clang-format on
