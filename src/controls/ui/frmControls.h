#pragma once

#include "controls/ControlTables.h"

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <optional>

class BindingCell;
class Dialogs;
class KeyCapture;
class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTimer;

// "Control Assignments": the emulator's inputs of one category per view, one row each with
// the key bound to it. A click on a binding cell captures the next key; "Save" writes the
// bindings into the emulator's INI file. The window reads everything afresh when it opens and
// deletes itself when it closes.
class frmControls : public QMainWindow {
    Q_OBJECT
public:
    // mainWindow, also the parent, gets the focus back when the window is done with.
    frmControls(const QString& appDir, Dialogs& dialogs, QWidget* mainWindow = nullptr);
    ~frmControls() override;

    void GetInputs();
    void LoadControls();
    void cmbControls_Click();
    void timload_Timer();
    void mnuHelp_Click();

    void cmdBind_MouseDown(int index, Qt::MouseButtons held = Qt::NoButton);
    void timKey_Timer();
    std::optional<QString> WaitForKey(); // nullopt when the capture was ended without a key

    void cmdSave_Click();
    void cmdCancel_Click();

    const ControlTables& tables() const { return m_tables; }
    KeyCapture& capture() { return *m_capture; }
    bool Loading = false;
    qint16 BindIndex = 0;

    // The rows, by index from 1; nullptr where no row is loaded.
    QLabel* lblCapAt(int index) const;
    BindingCell* cmdBindAt(int index) const;
    int loadedRows() const { return int(m_cmdBind.size()); }
    // A row control's top in the window's client area, in twips, ignoring any scrolling.
    double rowTopTw(const QWidget* rowControl) const;

    // Outer height in twips: client area, menu bar and frame.
    double outerHeightTw() const;
    double maxOuterHeightTw() const;

    QWidget* client = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbControls = nullptr;
    QScrollArea* scrRows = nullptr;
    QWidget* rowsHost = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
    QTimer* timKey = nullptr;
    QTimer* timload = nullptr;
    QAction* mnuHelp = nullptr;

signals:
    void rowsBuilt();
    void captureStarted();  // the wait for a key begins
    void captureFinished(); // it ended, with a key or without

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void createRow(int index);
    void destroyGeneratedRows();
    void showInput(int index, int inputNumber);
    void placeRowTw(QWidget* w, double left, double top, double width, double height);
    void placeButtonsAndRows(double buttonTop, double rowsBottom);
    void setCaptureControlsEnabled(bool enabled);
    void setOuterHeightTw(double twips);
    void setClientHeightPx(int height);
    void focusMainWindow();
    const CategoryEntry* selectedCategory() const;

    QString m_appDir;
    Dialogs& m_dialogs;
    QPointer<QWidget> m_mainWindow;
    ControlTables m_tables;
    KeyCapture* m_capture = nullptr;
    std::map<int, QLabel*> m_lblCap;
    std::map<int, BindingCell*> m_cmdBind;
    bool m_deleteAfterCapture = false;
};
