#include "shell/FullScreenView.h"

#include "gamelist/ui/GameListBox.h"
#include "pictures/ui/PicturePane.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QScreen>

#include <algorithm>

namespace {

// The list's share of the width beside a picture.
constexpr double kListShare = 0.45;

} // namespace

FullScreenView::FullScreenView(QMainWindow* window, QWidget* client, GameListBox* list,
                               QAction* mark, std::function<void()> closeFilter)
    : QObject(window), m_window(window), m_client(client), m_list(list), m_mark(mark),
      m_closeFilter(std::move(closeFilter)) {
    window->installEventFilter(this);
    client->installEventFilter(this);
}

FullScreenView::Layout FullScreenView::layoutFor(const QSize& area, bool withPicture) {
    const int margin = std::max(16, std::min(area.width(), area.height()) / 40);
    const QRect inner(margin, margin, std::max(0, area.width() - 2 * margin),
                      std::max(0, area.height() - 2 * margin));
    Layout layout;
    if (!withPicture) {
        const int width = inner.width() * 7 / 10;
        layout.list = QRect(inner.x() + (inner.width() - width) / 2, inner.y(), width,
                            inner.height());
        return layout;
    }
    const int listWidth = static_cast<int>(inner.width() * kListShare);
    layout.list = QRect(inner.x(), inner.y(), listWidth, inner.height());
    const int pictureLeft = layout.list.right() + 1 + margin;
    layout.picture =
        QRect(pictureLeft, inner.y(), std::max(0, inner.right() + 1 - pictureLeft), inner.height());
    return layout;
}

PicturePane* FullScreenView::picture() const {
    return m_client->findChild<PicturePane*>(QStringLiteral("picGame"), Qt::FindDirectChildrenOnly);
}

void FullScreenView::enter() {
    if (m_on)
        return;
    m_closeFilter();
    m_children.clear();
    for (QWidget* child : m_client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        m_children.push_back({child, child->geometry(), child->isHidden()});
    m_windowMin = m_window->minimumSize();
    m_windowMax = m_window->maximumSize();
    m_clientMin = m_client->minimumSize();
    m_clientMax = m_client->maximumSize();
    m_listFont = m_list->font();
    m_listFontOwn = m_list->testAttribute(Qt::WA_SetFont);
    if (PicturePane* pane = picture()) {
        m_pictureDesigned = pane->designedGeometry();
        m_pictureMargin = pane->rightMarginPx();
    }

    m_on = true;
    for (const Child& child : m_children)
        if (child.widget != m_list && child.widget != picture())
            child.widget->hide();
    // The large list stands in for the details table too: a table's narrow columns do not read
    // from a sofa. Leaving puts the table back.
    m_focused = QApplication::focusWidget();
    m_list->show();
    m_list->setFocus(Qt::OtherFocusReason);
    QFont large = m_listFont;
    large.setPointSizeF(m_listFont.pointSizeF() * kFontScale);
    m_list->setFont(large);
    // The window keeps a fixed size at other times.
    m_client->setMinimumSize(0, 0);
    m_client->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_window->setMinimumSize(0, 0);
    m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_windowPos = m_window->pos();
    m_window->showFullScreen();
    // Without a window manager (a bare X server, a kiosk) nobody else makes it fill the screen.
    if (const QScreen* screen = m_window->screen())
        m_window->setGeometry(screen->geometry());
    place();
    m_mark->setChecked(true);
}

void FullScreenView::leave() {
    if (!m_on)
        return;
    m_closeFilter();
    m_on = false;
    m_window->showNormal();
    m_window->setMinimumSize(m_windowMin);
    m_window->setMaximumSize(m_windowMax);
    m_client->setMinimumSize(m_clientMin);
    m_client->setMaximumSize(m_clientMax);
    m_window->move(m_windowPos);
    m_list->setFont(m_listFont);
    m_list->setAttribute(Qt::WA_SetFont, m_listFontOwn);
    if (PicturePane* pane = picture())
        pane->setDesignedGeometry(m_pictureDesigned, m_pictureMargin);
    for (const Child& child : m_children) {
        if (!child.widget)
            continue;
        child.widget->setGeometry(child.geometry);
        child.widget->setHidden(child.hidden);
    }
    m_children.clear();
    m_list->scrollTo(m_list->currentIndex());
    if (m_focused && m_focused->isVisible())
        m_focused->setFocus(Qt::OtherFocusReason);
    m_mark->setChecked(false);
}

void FullScreenView::place() {
    PicturePane* pane = picture();
    const Layout layout = layoutFor(m_client->size(), pane != nullptr);
    m_list->setGeometry(layout.list);
    if (pane)
        pane->setDesignedGeometry(layout.picture, 0);
    m_list->scrollTo(m_list->currentIndex());
}

bool FullScreenView::eventFilter(QObject* watched, QEvent* event) {
    if (m_on && watched == m_client && event->type() == QEvent::Resize)
        place();
    // Escape reaches the window when nothing inside wanted it (the filter field takes its own).
    if (m_on && watched == m_window && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        leave();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
