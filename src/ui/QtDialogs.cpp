#include "ui/QtDialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace {

// QMessageBox puts the application name into an empty title; a single space shows nothing.
QString shownTitle(const QString& title) { return title.isEmpty() ? QStringLiteral(" ") : title; }

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, shownTitle(title), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void QtDialogs::critical(const QString& text) {
    showBox(m_parent, QMessageBox::Critical, QString(), text);
}

void QtDialogs::message(const QString& text) {
    showBox(m_parent, QMessageBox::NoIcon, QString(), text);
}

void QtDialogs::warning(const QString& text) {
    showBox(m_parent, QMessageBox::Warning, QString(), text);
}

void QtDialogs::information(const QString& title, const QString& text) {
    showBox(m_parent, QMessageBox::NoIcon, title, text);
}

bool QtDialogs::askYesNo(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, shownTitle(title), text,
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::inputText(const QString& prompt, const QString& title, const QString& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, shownTitle(title), prompt, QLineEdit::Normal, initial, &ok);
    return ok ? text : QString();
}
