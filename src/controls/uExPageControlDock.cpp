#include "controls/uExPageControl.h"

#include <QApplication>
#include <QDockWidget>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>

// Panels docked into the control as sheets, and floated out again.

namespace {

std::string FirstLine(const QString& Text)
{
    return Text.section(QRegularExpression(QStringLiteral("[\r\n]")), 0, 0).toStdString();
}

QDockWidget* PanelOf(QObject* Object)
{
    for (; Object; Object = Object->parent())
        if (auto* Panel = qobject_cast<QDockWidget*>(Object))
            return Panel;
    return nullptr;
}

} // namespace

void TExPageControl::SetDockSite(bool Value)
{
    if (!StoreChanged(fDockSite, Value))
        return;
    if (Value)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

// The panel's own handling of the release ends its drag first; a panel that
// then still floats over the control is taken in.
bool TExPageControl::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* Mouse = static_cast<QMouseEvent*>(Event);
    QDockWidget* Panel = Mouse->button() == Qt::LeftButton ? PanelOf(Watched) : nullptr;
    // A panel holding the control cannot go into it.
    if (!Panel || !isVisible() || isAncestorOf(Panel) || Panel->isAncestorOf(this) ||
        !rect().contains(mapFromGlobal(Mouse->globalPosition().toPoint())))
        return false;
    QTimer::singleShot(0, this, [this, Taken = QPointer<QDockWidget>(Panel)] {
        if (Taken && Taken->isFloating() && Taken->isVisible() && Taken->widget())
            DockControl(Taken);
    });
    return false;
}

TExTabSheet* TExPageControl::DockControl(QDockWidget* Panel)
{
    auto* Sheet = new TExTabSheet(this);
    Sheet->setObjectName(Panel->objectName());
    Sheet->SetExPageControl(this);
    Sheet->SetCaption(FirstLine(Panel->windowTitle()));
    Sheet->fDockedPanel = Panel;
    auto* Layout = new QVBoxLayout(Sheet);
    Layout->setContentsMargins(0, 0, 0, 0);
    if (QWidget* Content = Panel->widget()) {
        Layout->addWidget(Content);
        Content->show();
        Content->installEventFilter(Sheet);
    }
    Panel->hide();
    connect(Panel, &QWidget::windowTitleChanged, Sheet,
            [Sheet](const QString& Title) { Sheet->SetCaption(FirstLine(Title)); });
    const TExTabSheet* Old = fActivePage;
    SetActivePage(Sheet);
    if (fActivePage != Old)
        FireChange();
    return Sheet;
}

void TExPageControl::UndockSheet(TExTabSheet* Sheet, QPoint At)
{
    if (QDockWidget* Panel = Sheet->DockedPanel()) {
        QLayoutItem* Item = Sheet->layout() ? Sheet->layout()->itemAt(0) : nullptr;
        if (Item && Item->widget()) {
            Item->widget()->removeEventFilter(Sheet);
            Panel->setWidget(Item->widget());
        }
        Panel->setFloating(true);
        Panel->move(At);
        Panel->show();
    }
    const bool WasActive = Sheet == fActivePage;
    delete Sheet;
    if (WasActive)
        FireChange();
}

void TExPageControl::DragDockedTab(QPoint P, Qt::MouseButtons Buttons)
{
    if (!fUndockingPage || !(Buttons & Qt::LeftButton) || rect().contains(P))
        return;
    UndockSheet(fUndockingPage, mapToGlobal(P));
}

void TExPageControl::TabsDoubleClick(QPoint P)
{
    const int Index = IndexOfTabAtEx(P.x(), P.y());
    if (fDockSite && Index >= 0 && Pages(Index)->DockedPanel())
        UndockSheet(Pages(Index), mapToGlobal(P));
}
