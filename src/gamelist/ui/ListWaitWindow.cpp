#include "gamelist/ui/ListWaitWindow.h"

#include "ui/WidgetPlacement.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

ListWaitWindow::ListWaitWindow(const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("frmListWait"));
    // Qt shows the application name in place of an empty title; a lone blank shows nothing.
    setWindowTitle(caption.isEmpty() ? QStringLiteral(" ") : caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 16);
    layout->setSpacing(10);
    layout->addWidget(WidgetPlacement::named(
        new QLabel(QStringLiteral("Reading the game list from the emulator..."), this),
        "lblListWait"));
    // A range of 0 to 0 is Qt's busy indicator: it moves without telling how far along it is.
    auto* busy = WidgetPlacement::named(new QProgressBar(this), "prgListWait");
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    layout->addWidget(busy);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}

void ListWaitWindow::showCentred() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
}
