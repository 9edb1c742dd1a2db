#pragma once

#include "pictures/PictureLimits.h"
#include "pictures/PictureSources.h"

#include <QImage>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <optional>

// Finds, reads, decodes and scales the games' pictures on a thread of its own, so that the
// window never waits for one. Only the latest request counts: a request made while another is
// being worked on replaces any that waits, and a result carries the number of its request so
// that the window can drop one that comes too late. The sources are opened on that thread
// at the first request, and used by that thread only (libzip handles are not thread-safe).
//
// A file that cannot be shown is reported once on stderr and not read again; the next source
// that has the game's picture is tried.
class PictureLoader : public QObject {
    Q_OBJECT
public:
    PictureLoader(const QStringList& sourcePaths, const PictureLimits& limits,
                  QObject* parent = nullptr);
    // Waits for the picture being decoded, if any.
    ~PictureLoader() override;

    // The picture of `rom`, fitted into `box` (device pixels).
    void request(quint64 generation, const QString& rom, const QSize& box);

signals:
    // Sent from the loader's thread: connect it queued (or automatically). A null image when
    // the game has no picture that can be shown.
    void loaded(quint64 generation, const QImage& image);

private:
    struct Request {
        quint64 generation = 0;
        QString rom;
        QSize box;
    };

    void startWorker(); // with m_mutex held
    void work();
    std::optional<Request> nextRequest();
    QImage pictureOf(const Request& request);
    void warnOnce(const QString& origin, const QString& problem);

    const PictureLimits m_limits;
    QMutex m_mutex; // guards m_pending, m_running and m_stopping
    std::optional<Request> m_pending;
    bool m_running = false;
    bool m_stopping = false;
    // Used by the worker only, one run at a time.
    PictureSources m_sources;
    QSet<QString> m_refused;
    QThreadPool m_pool;
};
