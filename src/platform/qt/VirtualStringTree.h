#pragma once

#include <QTableView>
#include <functional>
#include <string>
#include <vector>

class QPainter;
class TVirtualTreeModel;

// One column of a virtual grid. A width of 0 keeps the style's default.
struct TVirtualColumn {
    std::string Text{};
    int Width = 0;
    bool Visible = true;
    // Takes the room the other columns leave.
    bool Stretch = false;
    // The user cannot resize it.
    bool Fixed = false;
};

// A grid that holds no data of its own: it knows its row count and asks its
// owner for each cell's text, and lets the owner paint each cell's background,
// only when the cell is painted. Rows are plain indexes into the owner's list.
// Rows are DefaultNodeHeight pixels high and no grid lines are drawn until
// asked for. User-interface thread only.
class TVirtualStringTree : public QTableView {
public:
    // The usual row height of such grids; the style's own is nearly twice it.
    static constexpr int DefaultNodeHeight = 18;

    // Text of a cell; asked for rows below RootNodeCount only.
    using TGetText = std::function<std::string(int Row, int Column)>;
    // Paints a cell's background before its text. CellRect is in the
    // viewport's coordinates; RowLeft is the x where the row begins.
    using TBeforeCellPaint = std::function<void(QPainter& Painter, int Row, int Column,
                                                const QRect& CellRect, int RowLeft)>;
    // The first selected row after a change of the selection, or -1; also
    // when a new row count drops the selection. Inside an update bracket the
    // changes are told once, at its end.
    using TChange = std::function<void(int Row)>;

    explicit TVirtualStringTree(QWidget* Parent = nullptr);
    ~TVirtualStringTree() override;

    void SetColumns(const std::vector<TVirtualColumn>& Columns);
    int ColumnCount() const;
    void SetColumnVisible(int Column, bool Visible);
    bool ColumnVisible(int Column) const;
    QString HeaderText(int Column) const;
    void SetHeaderText(int Column, const QString& Text);

    int RootNodeCount() const;
    // Changing the count drops the selection.
    void SetRootNodeCount(int Count);
    // The owner's list has Count items now: the row count follows when it
    // differs, and what is shown is painted again.
    void ShowRows(int Count);
    // Changes inside one bracket cause one repaint at its end.
    void BeginUpdate();
    void EndUpdate();

    // The first selected row, or -1 when none is selected.
    int FirstSelected() const;
    void SelectRow(int Row);

    // Horizontal and vertical grid lines, or none.
    void SetGridLines(bool Shown);
    bool GridLines() const { return showGrid(); }

    void SetOnGetText(TGetText Handler);
    void SetOnBeforeCellPaint(TBeforeCellPaint Handler);
    void SetOnChange(TChange Handler) { fOnChange = std::move(Handler); }

    // The text the grid shows in a cell, as its owner answers it.
    QString CellText(int Row, int Column) const;
    // Paints again what is shown: the owner's data changed, not the rows.
    void Invalidate();

private:
    class TCellDelegate;

    TVirtualTreeModel* fModel;
    TCellDelegate* fDelegate;
    // Tells the owner of a change of the selection, or keeps it for the end
    // of the update bracket.
    void NotifyChange();

    TChange fOnChange;
    int fUpdateCount = 0;
    bool fChangePending = false;
};
