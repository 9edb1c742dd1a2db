#pragma once

#include "about/AboutLayout.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

// The About window: the about picture over the emulator's help text, or the about text file
// when there is no help text. It is modeless and deletes itself on close, so each opening
// reads the files and lays itself out afresh.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // mainWindow gets the input focus back when "&Ok" closes the window.
    frmAbout(const QString& appDir, const QString& HelpText, QWidget* mainWindow,
             QWidget* parent = nullptr);
    ~frmAbout() override;

    // Fills the label from the about text file and makes it one line taller than the text (the
    // height takes effect at the layout that follows). A missing file changes nothing.
    void LoadAbout();
    void cmdOk_Click();

    // The height of one text line ("XXX" in the window's font), in twips.
    double lineHeightTw() const;
    // The layout last applied, in twips, before its placement in whole pixels.
    const AboutLayout& layout() const { return m_layout; }
    double outerWidthTw() const;
    double outerHeightTw() const;

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdOk = nullptr;

public slots:
    // Escape presses "&Ok" rather than just hiding the window.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void Form_Load(const QString& HelpText);
    void layOut();
    void layOutIfFrameChanged();
    QSizeF frameTw() const;

    QString m_appDir;
    QPointer<QWidget> m_mainWindow;
    std::optional<QSizeF> m_pictureTw;
    double m_labelHeightTw = AboutDesign::label.height();
    QSizeF m_frameUsedTw;
    AboutLayout m_layout;
};
