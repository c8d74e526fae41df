// The manual's texts in both languages, for ManualPages.cpp.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

enum class TFigure { None, MainWindow, Book, Chart, Order, Accounts };

struct TManualSection {
    QString Heading;
    QStringList Paragraphs;
    TFigure Figure = TFigure::None;
    QString Caption;
    QStringList After;
};

struct TManualText {
    QString Title;
    QString Subtitle;
    std::vector<TManualSection> Sections;
    // Labels inside the sketches: menu, toolbars, symbols, book, sell/buy
    // panels, chart, terminal, status; asks, bids; order tabs, fields, button.
    QStringList Sketch;
    // The accounts table: a header row and three rows of three cells.
    QStringList Accounts;
};

TManualText EnglishManual();
TManualText RussianManual();
