#pragma once

#include <QStringList>
#include <QTemporaryFile>

// Collects what the code under test writes to the process's stderr (descriptor 2) while the
// capture lives, so a test can check the warnings a user would see in the terminal.
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Ends the capture and returns the lines written, without their line ends.
    QStringList lines();

private:
    void restore();

    QTemporaryFile m_file;
    int m_saved = -1;
};
