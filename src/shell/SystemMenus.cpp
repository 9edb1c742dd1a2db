#include "shell/SystemMenus.h"

#include "ui/WidgetPlacement.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>

using WidgetPlacement::named;

SystemMenus::SystemMenus(QMainWindow* window, QMenu* config, QMenu* view, QMenu* before)
    : QObject(window), m_window(window), m_group(new QActionGroup(this)) {
    config->addSeparator();
    mnuConfigEmulators =
        named(config->addAction(QStringLiteral("E&mulators...")), "mnuConfigEmulators");
    connect(mnuConfigEmulators, &QAction::triggered, this, &SystemMenus::emulatorsAsked);

    mnuSystem = named(new QMenu(QStringLiteral("S&ystem"), window), "mnuSystem");
    window->menuBar()->insertMenu(before->menuAction(), mnuSystem);
    m_itemsEnd = mnuSystem->addSeparator();
    mnuSystemNext = named(mnuSystem->addAction(QStringLiteral("&Next System")), "mnuSystemNext");
    mnuSystemNext->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    mnuSystemPrevious =
        named(mnuSystem->addAction(QStringLiteral("&Previous System")), "mnuSystemPrevious");
    mnuSystemPrevious->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    connect(mnuSystemNext, &QAction::triggered, this, [this] { emit stepAsked(1); });
    connect(mnuSystemPrevious, &QAction::triggered, this, [this] { emit stepAsked(-1); });

    mnuViewAllSystems =
        named(view->addAction(QStringLiteral("&All Systems")), "mnuViewAllSystems");
    mnuViewAllSystems->setCheckable(true);
    mnuViewAllSystems->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(mnuViewAllSystems, &QAction::triggered, this, &SystemMenus::allSystemsToggled);

    cmbSystem = named(new QComboBox(window->menuBar()), "cmbSystem");
    cmbSystem->setFont(QApplication::font());
    cmbSystem->setFocusPolicy(Qt::NoFocus); // the keys stay with the list
    cmbSystem->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    window->menuBar()->setCornerWidget(cmbSystem);
    connect(cmbSystem, &QComboBox::activated, this, [this](int index) {
        if (index == cmbSystem->count() - 1)
            emit allSystemsToggled();
        else
            emit systemAsked(index);
    });
}

void SystemMenus::setSystems(const QStringList& names, int current) {
    qDeleteAll(mnuSystemItems);
    mnuSystemItems.clear();
    for (int i = 0; i < names.size(); ++i) {
        // "&" in a name is the name's own, not a mnemonic.
        QString text = QString(names[i]).replace(u'&', QStringLiteral("&&"));
        if (i < 9)
            text = QStringLiteral("&%1 %2").arg(i + 1).arg(text);
        auto* item = new QAction(text, mnuSystem);
        item->setObjectName(QStringLiteral("mnuSystem_%1").arg(i + 1));
        item->setCheckable(true);
        item->setChecked(i == current);
        item->setActionGroup(m_group);
        if (i < 9)
            item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i)));
        connect(item, &QAction::triggered, this, [this, i] { emit systemAsked(i); });
        mnuSystem->insertAction(m_itemsEnd, item);
        mnuSystemItems << item;
    }
    mnuViewAllSystems->setChecked(current < 0);

    const bool several = names.size() > 1;
    mnuSystem->menuAction()->setVisible(several);
    mnuViewAllSystems->setVisible(several);
    const QSignalBlocker quiet(cmbSystem);
    cmbSystem->clear();
    cmbSystem->addItems(names);
    cmbSystem->addItem(QStringLiteral("All Systems"));
    cmbSystem->setCurrentIndex(current < 0 ? cmbSystem->count() - 1 : current);
    cmbSystem->setVisible(several);
    // The corner widget joins the bar's layout only when the bar is laid out again.
    m_window->menuBar()->adjustSize();
}
