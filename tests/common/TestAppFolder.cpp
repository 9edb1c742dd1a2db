#include "TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

TestAppFolder::TestAppFolder() {
    QDir(m_dir.path()).mkpath(QStringLiteral("dovrel/cfgs"));
}

QString TestAppFolder::file(const QString& relative) const { return m_dir.filePath(relative); }

void TestAppFolder::write(const QString& relative, const QByteArray& bytes) const {
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
}

QByteArray TestAppFolder::read(const QString& relative) const {
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TestAppFolder::exists(const QString& relative) const { return QFileInfo::exists(file(relative)); }

void TestAppFolder::writeScript(const QString& relative, const QByteArray& body) const {
    write(relative, "#!/bin/sh\n" + body);
    QFile::setPermissions(file(relative), QFile::permissions(file(relative)) | QFile::ExeOwner |
                                              QFile::ExeGroup | QFile::ExeOther);
}

QString TestDataPath(const QString& relative) {
    return qEnvironmentVariable("TARVELIN_TEST_DATA") + u'/' + relative;
}

QByteArray TestData(const QString& relative) {
    QFile f(TestDataPath(relative));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(TestDataPath(relative)));
    return f.readAll();
}
