// Any --data value, executable folder, XDG_DATA_HOME, home and current folder (the ones the
// system gives made absolute): the choice of
// the data folder is always an absolute path without a trailing separator, the named folder
// whenever one is named, and never reached by a relative XDG_DATA_HOME.
// Input: the five texts, NUL-separated (UTF-8).
#include "setup/DataFolder.h"

#include "FuzzScratch.h"

#include <QDir>

#include <cstdint>
#include <cstdlib>

using FuzzScratch::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QByteArray> parts = FuzzScratch::parts(data, size, 5);
    QStringList texts;
    for (const QByteArray& part : parts)
        texts << QString::fromUtf8(part);
    // The executable's, home and current folders come from the system, always absolute; the
    // executable's without a trailing separator.
    const QString exeDir = QDir::cleanPath(u'/' + texts[1]);
    const QString home = u'/' + texts[3];
    const QString current = u'/' + texts[4];
    const DataFolderChoice choice = ChooseDataFolder(texts[0], exeDir, texts[2], home, current);
    require(!choice.folder.isEmpty() && !QDir::isRelativePath(choice.folder));
    require(choice.folder == u"/" || !choice.folder.endsWith(u'/'));
    require((choice.why == DataFolderChoice::Why::Named) == !texts[0].isEmpty());
    if (choice.why == DataFolderChoice::Why::PerUser && QDir::isRelativePath(texts[2]))
        require(choice.folder.startsWith(QDir::cleanPath(home)));
    require(!choice.explanation().isEmpty());
    return 0;
}
