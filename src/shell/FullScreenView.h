#pragma once

#include <QFont>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <functional>
#include <vector>

class GameListBox;
class PicturePane;
class QAction;
class QMainWindow;
class QWidget;

// View -> Full Screen: the window fills the screen with the game list in a large font and the
// picture beside it, readable from across a room; the rest of the window waits hidden. Leaving
// (Full Screen again, or Escape) puts back every size, place, font and hidden control exactly
// as they were.
class FullScreenView : public QObject {
    Q_OBJECT
public:
    // `closeFilter` empties and closes the filter field, whose place depends on the list's.
    FullScreenView(QMainWindow* window, QWidget* client, GameListBox* list, QAction* mark,
                   std::function<void()> closeFilter);

    bool isOn() const { return m_on; }
    void toggle() { m_on ? leave() : enter(); }
    void enter();
    void leave();

    // How the list's font grows.
    static constexpr double kFontScale = 2.0;
    struct Layout {
        QRect list;
        QRect picture; // empty without pictures
    };
    // Where the list and the picture go on a client area of `area`: the list left, the picture
    // right, both as high as the area less its margins; without pictures the list alone,
    // centred.
    static Layout layoutFor(const QSize& area, bool withPicture);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    PicturePane* picture() const;

    QMainWindow* m_window;
    QWidget* m_client;
    GameListBox* m_list;
    QAction* m_mark;
    std::function<void()> m_closeFilter;
    bool m_on = false;

    // The standard window, kept while full screen.
    struct Child {
        QPointer<QWidget> widget;
        QRect geometry;
        bool hidden = false;
    };
    std::vector<Child> m_children;
    QSize m_windowMin, m_windowMax, m_clientMin, m_clientMax;
    QPoint m_windowPos;
    QFont m_listFont;
    bool m_listFontOwn = false;
    QPointer<QWidget> m_focused; // where the keys went before, to go there again
    QRect m_pictureDesigned;
    int m_pictureMargin = 0;
};
