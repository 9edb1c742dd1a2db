#include "pictures/ui/PictureLoader.h"

#include "pictures/PictureNames.h"
#include "pictures/ui/PictureDecoder.h"

#include <QMutexLocker>
#include <QTextStream>

PictureLoader::PictureLoader(const QStringList& sourcePaths, const PictureLimits& limits,
                             QObject* parent)
    : QObject(parent), m_limits(limits),
      m_sources(sourcePaths, PictureNames::orderedSuffixes(PictureDecoder::readableSuffixes())) {
    m_pool.setMaxThreadCount(1);
    m_pool.setExpiryTimeout(-1); // one thread, kept for the life of the window
}

PictureLoader::~PictureLoader() {
    {
        const QMutexLocker lock(&m_mutex);
        m_stopping = true;
        m_pending.reset();
    }
    m_pool.waitForDone();
}

void PictureLoader::request(quint64 generation, const QString& rom, const QSize& box) {
    const QMutexLocker lock(&m_mutex);
    m_pending = Request{generation, rom, box};
    if (!m_running)
        startWorker();
}

void PictureLoader::startWorker() {
    m_running = true;
    m_pool.start([this] { work(); });
}

std::optional<PictureLoader::Request> PictureLoader::nextRequest() {
    const QMutexLocker lock(&m_mutex);
    std::optional<Request> next;
    if (!m_stopping)
        next.swap(m_pending);
    if (!next)
        m_running = false; // a request from now on starts the worker again
    return next;
}

void PictureLoader::work() {
    for (const QString& warning : m_sources.open())
        QTextStream(stderr) << "tarvelin: " << warning << '\n';
    while (const std::optional<Request> request = nextRequest()) {
        const QImage image = pictureOf(*request);
        emit loaded(request->generation, image);
    }
}

QImage PictureLoader::pictureOf(const Request& request) {
    for (int source = 0; source < m_sources.count(); ++source) {
        const PictureLocation location = m_sources.locate(source, request.rom);
        if (!location.found() || m_refused.contains(location.origin))
            continue;
        {
            // A newer selection makes this picture useless: no need to read it.
            const QMutexLocker lock(&m_mutex);
            if (m_pending || m_stopping)
                return {};
        }
        const PictureFile file = m_sources.read(location, m_limits);
        if (!file.readable()) {
            warnOnce(file.origin, file.problem);
            continue;
        }
        const PictureDecoder::Result decoded =
            PictureDecoder::decode(file.bytes, request.box, m_limits);
        if (decoded.image.isNull()) {
            warnOnce(file.origin, decoded.problem);
            continue;
        }
        return decoded.image;
    }
    return {};
}

void PictureLoader::warnOnce(const QString& origin, const QString& problem) {
    m_refused.insert(origin);
    QTextStream(stderr) << "tarvelin: picture " << origin << ' ' << problem
                        << "; it is not shown\n";
}
