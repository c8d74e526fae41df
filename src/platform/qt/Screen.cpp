#include "platform/qt/Screen.h"

#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

void SetScreenCursor(Qt::CursorShape Shape)
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    if (Shape != Qt::ArrowCursor)
        QGuiApplication::setOverrideCursor(QCursor(Shape));
}

Qt::CursorShape ScreenCursor()
{
    const QCursor* Cursor = QGuiApplication::overrideCursor();
    return Cursor ? Cursor->shape() : Qt::ArrowCursor;
}

bool OpenURL(const std::string& Url)
{
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(Url)));
}
