#include "pictures/PictureArchive.h"

#include "pictures/PictureNames.h"

#include <QDir>
#include <QFile>

#include <zip.h>

namespace {

// The name libzip gives the entry, its encoding guessed as zip tools write them (UTF-8 when
// flagged or valid, else code page 437).
QString nameOf(zip_t* archive, quint64 entry) {
    const char* name = zip_get_name(archive, entry, ZIP_FL_ENC_GUESS);
    return name ? QString::fromUtf8(name) : QString();
}

} // namespace

PictureArchive::PictureArchive(zip* archive, const QString& path) : m_zip(archive), m_path(path) {}

PictureArchive::~PictureArchive() { zip_discard(m_zip); }

std::unique_ptr<PictureArchive> PictureArchive::open(const QString& path,
                                                     const QStringList& suffixes,
                                                     QString* problem) {
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        if (problem)
            *problem = QStringLiteral("cannot be opened as a zip archive (%1)")
                           .arg(QString::fromLocal8Bit(zip_error_strerror(&error)));
        zip_error_fini(&error);
        return nullptr;
    }
    std::unique_ptr<PictureArchive> opened(new PictureArchive(archive, path));
    opened->index(suffixes);
    return opened;
}

void PictureArchive::index(const QStringList& suffixes) {
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    m_index.reserve(qsizetype(qMax<zip_int64_t>(0, count)));
    for (zip_int64_t i = 0; i < count; ++i) {
        const quint64 entry = quint64(i);
        // Some archivers on Windows write "\" between folders.
        const QString name = nameOf(m_zip, entry).replace(u'\\', u'/');
        if (name.isEmpty() || name.endsWith(u'/'))
            continue; // a folder
        const QStringList parts = name.split(u'/');
        if (parts.size() > 3)
            continue;
        const QString& file = parts.last();
        const qsizetype suffix = suffixes.indexOf(PictureNames::suffix(file));
        if (suffix < 0)
            continue;
        const int bySuffix = int(qMin<qsizetype>(suffix, 255));
        if (parts.size() == 1) {
            offer(PictureNames::stem(file), entry, 0 * 256 + bySuffix);
        } else if (parts.size() == 2) {
            offer(PictureNames::stem(file), entry, 1 * 256 + bySuffix);
            offer(parts[0], entry, 2 * 256); // any image in the game's own folder
        } else {
            offer(parts[1], entry, 3 * 256);
        }
    }
    m_index.squeeze();
}

void PictureArchive::offer(const QString& key, quint64 entry, int rank) {
    if (!PictureNames::isUsableRom(key))
        return;
    auto found = m_index.find(key);
    if (found == m_index.end()) {
        m_index.insert(key, {entry, rank});
        return;
    }
    Slot& held = *found;
    if (rank < held.rank ||
        (rank == held.rank && nameOf(m_zip, entry).toUtf8() < nameOf(m_zip, held.entry).toUtf8()))
        held = {entry, rank};
}

std::optional<quint64> PictureArchive::find(const QString& rom) const {
    const auto found = m_index.constFind(rom);
    if (found == m_index.constEnd())
        return std::nullopt;
    return found->entry;
}

QString PictureArchive::entryName(quint64 entry) const { return nameOf(m_zip, entry); }

QString PictureArchive::origin(quint64 entry) const {
    return QDir::toNativeSeparators(m_path) + QStringLiteral(" (") + entryName(entry) + u')';
}

PictureFile PictureArchive::read(quint64 entry, const PictureLimits& limits) {
    PictureFile picture;
    picture.origin = origin(entry);
    const auto refuse = [&picture](const QString& problem) {
        picture.bytes.clear();
        picture.problem = problem;
        return picture;
    };
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip, entry, 0, &stat) != 0)
        return refuse(QStringLiteral("cannot be read (%1)")
                          .arg(QString::fromLocal8Bit(zip_strerror(m_zip))));
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        return refuse(QStringLiteral("is encrypted"));
    if ((stat.valid & ZIP_STAT_COMP_METHOD) &&
        !zip_compression_method_supported(stat.comp_method, 0))
        return refuse(QStringLiteral("is compressed with a method that cannot be read (%1)")
                          .arg(stat.comp_method));
    // Without a declared size, the limit is what may be read.
    const quint64 limit = quint64(limits.maxFileBytes);
    const quint64 declared = (stat.valid & ZIP_STAT_SIZE) ? stat.size : limit;
    if (declared > limit)
        return refuse(QStringLiteral("declares %1 bytes uncompressed, more than the %2 a "
                                     "picture may have")
                          .arg(declared)
                          .arg(limit));

    zip_file_t* file = zip_fopen_index(m_zip, entry, 0);
    if (!file)
        return refuse(QStringLiteral("cannot be read (%1)")
                          .arg(QString::fromLocal8Bit(zip_strerror(m_zip))));
    // One byte more than declared tells an entry that holds more than it says.
    picture.bytes = QByteArray(qsizetype(declared + 1), Qt::Uninitialized);
    qint64 got = 0;
    QString failure;
    while (got < picture.bytes.size()) {
        const zip_int64_t n =
            zip_fread(file, picture.bytes.data() + got, zip_uint64_t(picture.bytes.size() - got));
        if (n < 0) {
            failure = QString::fromLocal8Bit(zip_file_strerror(file));
            break;
        }
        if (n == 0)
            break;
        got += n;
    }
    zip_fclose(file);
    if (!failure.isEmpty())
        return refuse(QStringLiteral("cannot be read (%1)").arg(failure));
    if (quint64(got) > declared)
        return refuse((stat.valid & ZIP_STAT_SIZE)
                          ? QStringLiteral("holds more than the %1 bytes it declares").arg(declared)
                          : QStringLiteral("holds more than the %1 bytes a picture may have")
                                .arg(declared));
    if ((stat.valid & ZIP_STAT_SIZE) && quint64(got) < declared)
        return refuse(QStringLiteral("holds fewer than the %1 bytes it declares").arg(declared));
    picture.bytes.truncate(got);
    return picture;
}
