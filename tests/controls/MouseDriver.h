#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// Synthetic mouse input: a press, moves and a release of the left button, sent
// to one widget as a real mouse held over it would reach it. Positions follow
// the screen, so a widget that moves under the mouse gets its own coordinates.
class TMouseDriver {
public:
    explicit TMouseDriver(QWidget& Target) : fTarget(Target) {}
    void Press(QPoint Local)
    {
        fGlobal = fTarget.mapToGlobal(Local);
        Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    }
    void MoveBy(QPoint Delta)
    {
        fGlobal += Delta;
        Send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    }
    void Release() { Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton); }
    void Drag(QPoint From, QPoint Delta)
    {
        Press(From);
        MoveBy(Delta);
        Release();
    }

private:
    void Send(QEvent::Type Type, Qt::MouseButton Button, Qt::MouseButtons Buttons)
    {
        QMouseEvent Event(Type, QPointF(fTarget.mapFromGlobal(fGlobal)), QPointF(fGlobal), Button,
                          Buttons, Qt::NoModifier);
        QApplication::sendEvent(&fTarget, &Event);
    }
    QWidget& fTarget;
    QPoint fGlobal;
};
