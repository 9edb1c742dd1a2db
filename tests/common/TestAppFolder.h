#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A private application folder for one test: its own dovrel/ and cfgs/, so tests run in
// parallel and never touch the real program's files.
class TestAppFolder {
public:
    TestAppFolder();

    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const; // relative with '/', e.g. "dovrel/dovrel.ini"

    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const;

    // Writes an executable shell script (a "#!/bin/sh" line is prepended).
    void writeScript(const QString& relative, const QByteArray& body) const;

private:
    QTemporaryDir m_dir;
};

// The test data folder of the current test's subsystem (tests/<subsystem>/data).
QString TestDataPath(const QString& relative);
QByteArray TestData(const QString& relative);
