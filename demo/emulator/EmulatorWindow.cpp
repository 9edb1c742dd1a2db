#include "EmulatorWindow.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "LaunchArguments.h"

namespace {

QString screenText(const LaunchArguments& launch, const QString& bindingsReport) {
    QStringList lines;
    lines << QStringLiteral("ROM: %1").arg(launch.hasRom() ? launch.rom()
                                                           : QStringLiteral("(none given)"));
    lines << QString() << QStringLiteral("Options received:");
    if (launch.options().isEmpty())
        lines << QStringLiteral("  (none)");
    // Brackets make leading, trailing and inner blanks of each argument visible, which is
    // what a quoting or splitting mistake in the front-end looks like.
    for (const QString& option : launch.options())
        lines << QStringLiteral("  [%1]").arg(option);
    lines << QString() << bindingsReport;
    return lines.join(u'\n');
}

} // namespace

EmulatorWindow::EmulatorWindow(const LaunchArguments& launch, const QString& bindingsReport,
                               QWidget* parent)
    : QWidget(parent), m_secondsLeft(launch.closeAfterSeconds()) {
    setWindowTitle(QStringLiteral("Demo Emulator"));
    setMinimumWidth(420);

    auto* title = new QLabel(QStringLiteral("Demo Emulator"), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* screen = new QLabel(this);
    // ROM paths and option values are user text; rich-text detection must not swallow a "<".
    screen->setTextFormat(Qt::PlainText);
    screen->setText(screenText(launch, bindingsReport));
    screen->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    screen->setAutoFillBackground(true);
    screen->setMargin(10);
    screen->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette screenColours = screen->palette();
    screenColours.setColor(QPalette::Window, QColor(0x10, 0x18, 0x28));
    screenColours.setColor(QPalette::WindowText, QColor(0x9c, 0xf0, 0xa8));
    screen->setPalette(screenColours);

    m_status = new QLabel(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(screen, 1);
    layout->addWidget(m_status);

    if (m_secondsLeft > 0) {
        m_countdown = new QTimer(this);
        m_countdown->setInterval(1000);
        connect(m_countdown, &QTimer::timeout, this, &EmulatorWindow::countDown);
        m_countdown->start();
    }
    showStatus();

    // Watching the whole application, not just this widget, means the press ends the
    // emulator wherever focus happens to be.
    qApp->installEventFilter(this);
}

bool EmulatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        // A key still held from the front-end (Enter that launched the game) repeats into the
        // new window; only a fresh press means the user wants to quit.
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
            QCoreApplication::quit();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        QCoreApplication::quit();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void EmulatorWindow::countDown() {
    --m_secondsLeft;
    if (m_secondsLeft <= 0) {
        m_countdown->stop();
        QCoreApplication::quit();
        return;
    }
    showStatus();
}

void EmulatorWindow::showStatus() {
    const QString quitHint = QStringLiteral("press any key or click to quit");
    if (m_secondsLeft > 0)
        m_status->setText(
            QStringLiteral("Closing in %1 s - %2.").arg(QString::number(m_secondsLeft), quitHint));
    else
        m_status->setText(QStringLiteral("Running - %1.").arg(quitHint));
}
