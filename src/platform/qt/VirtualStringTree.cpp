#include "platform/qt/VirtualStringTree.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <utility>

// The rows and columns a virtual grid shows; every cell is asked of the owner.
class TVirtualTreeModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& Parent = {}) const override
    {
        return Parent.isValid() ? 0 : fRows;
    }
    int columnCount(const QModelIndex& Parent = {}) const override
    {
        return Parent.isValid() ? 0 : int(fHeaders.size());
    }
    QVariant data(const QModelIndex& Index, int Role) const override
    {
        if (Role != Qt::DisplayRole || !Index.isValid() || !fGetText)
            return {};
        return QString::fromStdString(fGetText(Index.row(), Index.column()));
    }
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override
    {
        if (Role != Qt::DisplayRole || Orientation != Qt::Horizontal || Section < 0 ||
            Section >= int(fHeaders.size()))
            return {};
        return fHeaders[Section];
    }

    void SetHeaders(std::vector<QString> Headers)
    {
        beginResetModel();
        fHeaders = std::move(Headers);
        endResetModel();
    }
    void SetHeader(int Column, const QString& Text)
    {
        if (Column < 0 || Column >= int(fHeaders.size()))
            return;
        fHeaders[Column] = Text;
        emit headerDataChanged(Qt::Horizontal, Column, Column);
    }
    const QString& Header(int Column) const { return fHeaders.at(Column); }

    int Rows() const { return fRows; }
    void SetRows(int Count)
    {
        beginResetModel();
        fRows = std::max(Count, 0);
        endResetModel();
    }
    void SetGetText(TVirtualStringTree::TGetText Handler) { fGetText = std::move(Handler); }

private:
    std::vector<QString> fHeaders;
    int fRows = 0;
    TVirtualStringTree::TGetText fGetText;
};

// Lets the owner paint a cell's background, then draws the text as usual.
class TVirtualStringTree::TCellDelegate : public QStyledItemDelegate {
public:
    explicit TCellDelegate(TVirtualStringTree& Tree) : QStyledItemDelegate(&Tree), fTree(Tree) {}

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override
    {
        if (fBeforeCellPaint) {
            Painter->save();
            fBeforeCellPaint(*Painter, Index.row(), Index.column(), Option.rect,
                             -fTree.horizontalOffset());
            Painter->restore();
        }
        QStyledItemDelegate::paint(Painter, Option, Index);
    }

    TBeforeCellPaint fBeforeCellPaint;

private:
    TVirtualStringTree& fTree;
};

TVirtualStringTree::TVirtualStringTree(QWidget* Parent)
    : QTableView(Parent), fModel(new TVirtualTreeModel(this)), fDelegate(new TCellDelegate(*this))
{
    setModel(fModel);
    setItemDelegate(fDelegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid instead of moving its selection; Ctrl+Tab goes on
    // to the page control around it.
    setTabKeyNavigation(false);
    setWordWrap(false);
    setShowGrid(false);
    QHeaderView* Rows = verticalHeader();
    Rows->setVisible(false);
    Rows->setMinimumSectionSize(1);
    Rows->setDefaultSectionSize(DefaultNodeHeight);
    Rows->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { NotifyChange(); });
}

TVirtualStringTree::~TVirtualStringTree() = default;

void TVirtualStringTree::SetColumns(const std::vector<TVirtualColumn>& Columns)
{
    std::vector<QString> Headers;
    for (const TVirtualColumn& Column : Columns)
        Headers.push_back(QString::fromStdString(Column.Text));
    fModel->SetHeaders(std::move(Headers));
    QHeaderView* Header = horizontalHeader();
    for (int Index = 0; Index < int(Columns.size()); ++Index) {
        const TVirtualColumn& Column = Columns[Index];
        if (Column.Width > 0)
            Header->resizeSection(Index, Column.Width);
        Header->setSectionResizeMode(Index, Column.Stretch ? QHeaderView::Stretch
                                            : Column.Fixed ? QHeaderView::Fixed
                                                           : QHeaderView::Interactive);
        setColumnHidden(Index, !Column.Visible);
    }
}

int TVirtualStringTree::ColumnCount() const
{
    return fModel->columnCount();
}

void TVirtualStringTree::SetColumnVisible(int Column, bool Visible)
{
    setColumnHidden(Column, !Visible);
}

bool TVirtualStringTree::ColumnVisible(int Column) const
{
    return !isColumnHidden(Column);
}

QString TVirtualStringTree::HeaderText(int Column) const
{
    return fModel->Header(Column);
}

void TVirtualStringTree::SetHeaderText(int Column, const QString& Text)
{
    fModel->SetHeader(Column, Text);
}

int TVirtualStringTree::RootNodeCount() const
{
    return fModel->Rows();
}

// A model reset clears the selection without a word: the owner hears of it.
void TVirtualStringTree::SetRootNodeCount(int Count)
{
    if (Count == fModel->Rows())
        return;
    const bool Selected = FirstSelected() >= 0;
    fModel->SetRows(Count);
    if (Selected)
        NotifyChange();
}

void TVirtualStringTree::ShowRows(int Count)
{
    SetRootNodeCount(Count);
    Invalidate();
}

void TVirtualStringTree::BeginUpdate()
{
    if (fUpdateCount++ == 0)
        setUpdatesEnabled(false);
}

void TVirtualStringTree::EndUpdate()
{
    if (fUpdateCount == 0 || --fUpdateCount > 0)
        return;
    setUpdatesEnabled(true);
    if (std::exchange(fChangePending, false))
        NotifyChange();
}

void TVirtualStringTree::NotifyChange()
{
    if (fUpdateCount > 0)
        fChangePending = true;
    else if (fOnChange)
        fOnChange(FirstSelected());
}

int TVirtualStringTree::FirstSelected() const
{
    int First = -1;
    for (const QItemSelectionRange& Range : selectionModel()->selection())
        if (First < 0 || Range.top() < First)
            First = Range.top();
    return First;
}

void TVirtualStringTree::SelectRow(int Row)
{
    if (Row >= 0 && Row < RootNodeCount())
        selectRow(Row);
}

void TVirtualStringTree::SetGridLines(bool Shown)
{
    setShowGrid(Shown);
}

void TVirtualStringTree::SetOnGetText(TGetText Handler)
{
    fModel->SetGetText(std::move(Handler));
    Invalidate();
}

void TVirtualStringTree::SetOnBeforeCellPaint(TBeforeCellPaint Handler)
{
    fDelegate->fBeforeCellPaint = std::move(Handler);
    Invalidate();
}

QString TVirtualStringTree::CellText(int Row, int Column) const
{
    return fModel->data(fModel->index(Row, Column), Qt::DisplayRole).toString();
}

void TVirtualStringTree::Invalidate()
{
    viewport()->update();
}
