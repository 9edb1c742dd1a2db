#pragma once

#include <QString>

// A tmpfs of a few kilobytes mounted on a test's folder: a disk that fills up, or a folder
// that is read-only for root too. Mounting needs the privilege to mount; where it is missing,
// mounted() is false and the test says so. Unmounted when the object goes.
class SmallTmpfs {
public:
    SmallTmpfs(const QString& folder, int kilobytes);
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool mounted() const { return m_mounted; }
    QString error() const { return m_error; }
    QString path() const { return m_folder; }

    // Makes the mounted file system read-only, contents kept.
    bool makeReadOnly();

private:
    QString m_folder;
    QString m_options;
    bool m_mounted = false;
    QString m_error;
};
