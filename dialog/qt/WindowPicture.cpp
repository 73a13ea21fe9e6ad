#include "dialog/qt/WindowPicture.h"

#include <QApplication>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace ostrel::qt {

QImage WindowPicture(QWidget& window) {
    if (!window.isVisible()) {
        window.setAttribute(Qt::WA_DontShowOnScreen, true);
        window.show();
    }
    // Layouts, and the rows a grid reads once it is laid out, come from the event loop.
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();

    const QImage client = window.grab().toImage();
    const qreal ratio = client.devicePixelRatio();
    const QSize size = client.size() / ratio;
    QImage picture(QSize(size.width(), size.height() + kTitleBarHeight) * ratio, QImage::Format_ARGB32);
    picture.setDevicePixelRatio(ratio);
    picture.fill(QColor(0x3C, 0x4E, 0x6E));
    QPainter p(&picture);
    QFont font = window.font();
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(8, 0, size.width() - 16, kTitleBarHeight), Qt::AlignVCenter | Qt::AlignLeft,
               window.windowTitle());
    p.drawImage(QPoint(0, kTitleBarHeight), client);
    return picture;
}

}  // namespace ostrel::qt
