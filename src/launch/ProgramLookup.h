#pragma once

#include <QString>
#include <QStringList>

// Where a program name without a directory is found: in the working folder first, then in the
// folders of the search path, in order, as the Windows start call does. A name with a
// directory part is returned unchanged (it is resolved against the working folder when
// started). Returns the name unchanged when nothing is found, so that the start fails.
QString FindProgram(const QString& program, const QString& workingFolder,
                    const QStringList& searchPath);

// The folders of a PATH value, empty entries dropped.
QStringList SearchPathFolders(const QString& pathValue);
