#pragma once

#include "pictures/PictureLimits.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <memory>

class PictureLoader;

// picGame: the selected game's picture beside the options panel, scaled smoothly to the pane's
// width with its aspect ratio kept and drawn at the pane's top; a plain placeholder with the
// game's description when it has none. Pictures are loaded off the window's thread: choosing
// a game returns at once, the old picture stays until the new one arrives (or for a moment at
// most), and a picture that arrives after the selection moved on is dropped. A pane that is
// not shown asks for no picture: the first is asked for once the window appears, so that
// opening the picture archives never delays the start-up.
class PicturePane : public QWidget {
    Q_OBJECT
public:
    PicturePane(const QStringList& sourcePaths, QWidget* parent,
                const PictureLimits& limits = PictureLimits());
    ~PicturePane() override;

    // Where the pane belongs on its parent. When the parent is too narrow for the whole pane,
    // the pane gives up width down to a third of it, keeping `rightMarginPx` free.
    void setDesignedGeometry(const QRect& geometry, int rightMarginPx);
    const QRect& designedGeometry() const { return m_designed; }
    int rightMarginPx() const { return m_rightMarginPx; }

    // The game selected now; an empty ROM name when none is.
    void showGame(const QString& rom, const QString& description);

    const QString& rom() const { return m_rom; }
    const QString& description() const { return m_description; }
    // The picture drawn now (device pixels); null while the placeholder is drawn.
    const QImage& picture() const { return m_picture; }
    // Whether the picture of the selected game is still on its way.
    bool waiting() const { return m_waiting; }

    // How long the previous picture may stay while the selected game's is on its way.
    static constexpr int kStaleMs = 150;

signals:
    // The picture of the selected game, or its lack, has arrived and is drawn next.
    void pictureChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitToParent();
    void requestPicture();
    void loaded(quint64 generation, const QImage& image);
    QSize boxPx() const;
    QRect placeholderRect() const;

    QRect m_designed;
    int m_rightMarginPx = 0;
    QString m_rom;
    QString m_description;
    quint64 m_generation = 0;
    QImage m_picture;
    bool m_waiting = false;
    bool m_asked = false; // the selected game's picture was asked for since it was selected
    QTimer m_stale;
    std::unique_ptr<PictureLoader> m_loader; // last: stopped first
};
