#include "controls/ui/frmControls.h"

#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "base/Ini.h"
#include "base/TextCodec.h"
#include "controls/BindingsWriter.h"
#include "controls/ControlsLayout.h"
#include "controls/KeyNames.h"
#include "controls/ui/BindingCell.h"
#include "controls/ui/KeyCapture.h"
#include "ui/Twips.h"
#include "ui/WidgetPlacement.h"
#include "ui/WindowFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

using namespace WidgetPlacement;

namespace {

constexpr double kClientWidthTw = 3780;
constexpr double kDesignClientHeightTw = 3900;
// The rows live in a scrolling area that starts below the category list, so that a category
// taller than the screen scrolls while the list and the buttons stay in view.
constexpr double kRowsAreaTopTw = 480;
constexpr double kRowsAreaGapTw = 60; // between the rows area and the buttons

const QString kPressKey = QStringLiteral("Press Key");

// The help file's text with its line breaks, whichever style the file uses, shown as breaks.
QString helpText(const QByteArray& bytes) {
    QString text = DecodeText(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// An input without a binding of its own shows its default.
QString shownBinding(const InputRow& input) {
    return input.binding.isEmpty() ? input.defaultBinding : input.binding;
}

} // namespace

frmControls::frmControls(const QString& appDir, Dialogs& dialogs, QWidget* mainWindow)
    : QMainWindow(mainWindow), m_appDir(appDir), m_dialogs(dialogs), m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("frmControls"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Control Assignments"));
    setFont(controlFont());
    m_capture = new KeyCapture(this);
    buildControls();
    setClientHeightPx(Twips::toPx(kDesignClientHeightTw));
    placeButtonsAndRows(3480, 3480 - kRowsAreaGapTw);
    GetInputs();
}

frmControls::~frmControls() = default;

void frmControls::buildControls() {
    client = named(new QWidget(this), QStringLiteral("client"));
    setCentralWidget(client);

    Label1 = named(new QLabel(QStringLiteral("Control Type:"), client), QStringLiteral("Label1"));
    placeTw(Label1, 120, 120, 1335, 255);
    cmbControls = named(new QComboBox(client), QStringLiteral("cmbControls"));
    cmbControls->setEditable(false);
    placeTw(cmbControls, 1200, 120, 2415, 315);

    scrRows = named(new QScrollArea(client), QStringLiteral("scrRows"));
    scrRows->setFrameShape(QFrame::NoFrame);
    scrRows->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrRows->setWidgetResizable(false);
    scrRows->viewport()->setAutoFillBackground(false);
    rowsHost = named(new QWidget, QStringLiteral("rowsHost"));
    rowsHost->setAutoFillBackground(false);
    scrRows->setWidget(rowsHost);

    // The template row; it shows only when a category has inputs.
    auto* caption =
        named(new QLabel(QStringLiteral("Caption:  "), rowsHost), indexedName("lblCap", 1));
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    placeRowTw(caption, 0, 720, 1815, 255);
    caption->hide();
    m_lblCap[1] = caption;
    auto* cell = named(new BindingCell(rowsHost), indexedName("cmdBind", 1));
    cell->setText(QStringLiteral("Label2"));
    placeRowTw(cell, 1920, 600, 1575, 375);
    cell->hide();
    connect(cell, &BindingCell::mouseDown, this,
            [this](Qt::MouseButtons held) { cmdBind_MouseDown(1, held); });
    m_cmdBind[1] = cell;

    cmdSave = named(new QPushButton(QStringLiteral("Save"), client), QStringLiteral("cmdSave"));
    cmdCancel =
        named(new QPushButton(QStringLiteral("Cancel"), client), QStringLiteral("cmdCancel"));
    for (QPushButton* b : {cmdSave, cmdCancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    setTabOrder(cmbControls, cmdSave);
    setTabOrder(cmdSave, cmdCancel);

    timKey = named(new QTimer(this), QStringLiteral("timKey"));
    timKey->setInterval(330);
    timKey->setSingleShot(true);
    timload = named(new QTimer(this), QStringLiteral("timload"));
    timload->setInterval(10);
    timload->setSingleShot(true);

    menuBar()->setFont(QApplication::font());
    mnuHelp = named(menuBar()->addAction(QStringLiteral("&Help")), QStringLiteral("mnuHelp"));

    connect(cmbControls, &QComboBox::currentIndexChanged, this, &frmControls::cmbControls_Click);
    connect(timload, &QTimer::timeout, this, &frmControls::timload_Timer);
    connect(timKey, &QTimer::timeout, this, &frmControls::timKey_Timer);
    connect(mnuHelp, &QAction::triggered, this, &frmControls::mnuHelp_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmControls::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmControls::cmdCancel_Click);
}

void frmControls::placeRowTw(QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(Twips::toPx(left), Twips::toPx(top) - Twips::toPx(kRowsAreaTopTw),
                   Twips::toPx(width), Twips::toPx(height));
}

double frmControls::rowTopTw(const QWidget* rowControl) const {
    return Twips::fromPx(rowControl->y() + Twips::toPx(kRowsAreaTopTw));
}

void frmControls::placeButtonsAndRows(double buttonTop, double rowsBottom) {
    placeTw(cmdSave, 120, buttonTop, 1695, 375);
    placeTw(cmdCancel, 2040, buttonTop, 1575, 375);

    const int areaTop = Twips::toPx(kRowsAreaTopTw);
    const int areaHeight = qMax(0, Twips::toPx(rowsBottom) - areaTop);
    scrRows->setGeometry(0, areaTop, client->width(), areaHeight);
    int contentHeight = 0;
    for (const auto& [index, cell] : m_cmdBind)
        if (!cell->isHidden())
            contentHeight = qMax(contentHeight, cell->geometry().bottom() + 1);
    const bool scrolls = contentHeight > areaHeight;
    const int barWidth = scrolls ? scrRows->verticalScrollBar()->sizeHint().width() : 0;
    rowsHost->resize(client->width() - barWidth, qMax(contentHeight, 1));
}

QLabel* frmControls::lblCapAt(int index) const {
    const auto it = m_lblCap.find(index);
    return it == m_lblCap.end() ? nullptr : it->second;
}

BindingCell* frmControls::cmdBindAt(int index) const {
    const auto it = m_cmdBind.find(index);
    return it == m_cmdBind.end() ? nullptr : it->second;
}

const CategoryEntry* frmControls::selectedCategory() const {
    const int c = cmbControls->currentIndex();
    if (c < 0 || c >= int(m_tables.CatIndex.size()))
        return nullptr;
    return &m_tables.CatIndex[c];
}

// ---- Load and view build

void frmControls::GetInputs() {
    Loading = true;
    m_tables = ControlDefinitions::ReadControlTables(m_appDir);
    {
        const QSignalBlocker blocker(cmbControls);
        cmbControls->clear();
        for (const CategoryEntry& category : m_tables.CatIndex)
            cmbControls->addItem(category.name);
    }
    Loading = false;
    // Without categories there is nothing to select and nothing to show.
    if (cmbControls->count() == 0)
        return;
    {
        const QSignalBlocker blocker(cmbControls);
        cmbControls->setCurrentIndex(0);
    }
    cmbControls_Click();
}

void frmControls::cmbControls_Click() {
    if (!timload->isActive())
        timload->start();
}

void frmControls::timload_Timer() {
    timload->stop();
    LoadControls();
}

void frmControls::destroyGeneratedRows() {
    for (auto it = m_lblCap.upper_bound(1); it != m_lblCap.end(); it = m_lblCap.erase(it))
        delete it->second;
    for (auto it = m_cmdBind.upper_bound(1); it != m_cmdBind.end(); it = m_cmdBind.erase(it))
        delete it->second;
}

void frmControls::createRow(int index) {
    const QLabel* captionTemplate = m_lblCap.at(1);
    const BindingCell* cellTemplate = m_cmdBind.at(1);
    auto* caption = named(new QLabel(rowsHost), indexedName("lblCap", index));
    caption->setAlignment(captionTemplate->alignment());
    caption->setFont(captionTemplate->font());
    caption->setGeometry(captionTemplate->geometry());
    m_lblCap[index] = caption;

    auto* cell = named(new BindingCell(rowsHost), indexedName("cmdBind", index));
    cell->setFont(cellTemplate->font());
    cell->setGeometry(cellTemplate->geometry());
    connect(cell, &BindingCell::mouseDown, this,
            [this, index](Qt::MouseButtons held) { cmdBind_MouseDown(index, held); });
    m_cmdBind[index] = cell;
}

void frmControls::showInput(int index, int inputNumber) {
    const InputRow& input = m_tables.InputList[inputNumber];
    // Showing the default never stores it: an input without a binding keeps none.
    m_lblCap.at(index)->setText(input.caption);
    m_cmdBind.at(index)->setText(shownBinding(input));
    m_lblCap.at(index)->show();
    m_cmdBind.at(index)->show();
}

void frmControls::LoadControls() {
    if (Loading || cmbControls->count() == 0)
        return;
    const CategoryEntry* category = selectedCategory();
    if (!category)
        return;

    m_lblCap.at(1)->hide();
    m_cmdBind.at(1)->hide();
    destroyGeneratedRows();

    const BindingCell* cellTemplate = m_cmdBind.at(1);
    ControlsLayout::Template measured;
    measured.cellTop = rowTopTw(cellTemplate);
    measured.cellHeight = Twips::fromPx(cellTemplate->height());
    measured.labelHeight = Twips::fromPx(m_lblCap.at(1)->height());
    measured.buttonHeight = Twips::fromPx(cmdSave->height());
    const ControlsLayout layout(measured, category->count, Twips::perPixel());

    for (int i = 1; i <= category->count; ++i) {
        if (i > 1)
            createRow(i);
        QLabel* caption = m_lblCap.at(i);
        BindingCell* cell = m_cmdBind.at(i);
        placeRowTw(cell, Twips::fromPx(cell->x()), layout.cellTop(i), Twips::fromPx(cell->width()),
                   measured.cellHeight);
        placeRowTw(caption, Twips::fromPx(caption->x()), layout.labelTop(i),
                   Twips::fromPx(caption->width()), measured.labelHeight);
        showInput(i, category->first + i - 1);
    }

    setOuterHeightTw(layout.clampedWindowHeight(maxOuterHeightTw()));
    const double buttonTop = layout.buttonTopFor(outerHeightTw());
    placeButtonsAndRows(buttonTop, buttonTop - kRowsAreaGapTw);
    emit rowsBuilt();
}

void frmControls::mnuHelp_Click() {
    const QString file = AppPaths::controlsHelp(m_appDir);
    if (!QFileInfo(file).isFile())
        return;
    m_dialogs.information(QStringLiteral("Input Help"), helpText(ReadFileBytes(file)));
}

// ---- Key capture

void frmControls::cmdBind_MouseDown(int index, Qt::MouseButtons held) {
    // One capture at a time: the cell that started it keeps it until a key is taken.
    if (m_capture->isArmed() || m_capture->isWaiting())
        return;
    BindingCell* cell = cmdBindAt(index);
    if (!cell || cell->text() == kPressKey)
        return;
    BindIndex = qint16(index);
    cell->setText(kPressKey);
    m_capture->arm(held);
    timKey->start();
}

std::optional<QString> frmControls::WaitForKey() {
    const std::optional<ScanHit> hit = m_capture->waitForPress();
    if (!hit)
        return std::nullopt;
    return ScanCodeName(AppPaths::keyNames(m_appDir), qint16(hit->code), hit->rightHandState);
}

void frmControls::timKey_Timer() {
    timKey->stop();
    setCaptureControlsEnabled(false);
    emit captureStarted();
    const std::optional<QString> name = WaitForKey();

    const CategoryEntry* category = selectedCategory();
    const bool rowExists = category && BindIndex >= 1 && BindIndex <= category->count;
    const int n = rowExists ? category->first + BindIndex - 1 : 0;
    if (name && rowExists) {
        InputRow& input = m_tables.InputList[n];
        input.binding = *name == KeyNames::restoreDefault ? input.defaultBinding : *name;
    }
    // The cell may have been rebuilt while the capture waited; find it by its index again.
    // It shows what was stored, an empty default included; without a key, what it showed.
    if (BindingCell* cell = rowExists ? cmdBindAt(BindIndex) : nullptr)
        cell->setText(name ? m_tables.InputList[n].binding : shownBinding(m_tables.InputList[n]));
    setCaptureControlsEnabled(true);
    emit captureFinished();
    if (m_deleteAfterCapture)
        deleteLater();
}

void frmControls::setCaptureControlsEnabled(bool enabled) {
    cmbControls->setEnabled(enabled);
    cmdSave->setEnabled(enabled);
    cmdCancel->setEnabled(enabled);
}

// ---- Save, cancel, close

void frmControls::cmdSave_Click() {
    const IniSnapshot definitions(AppPaths::controlDefinitions(m_appDir));
    const BindingsWriter writer(m_tables, definitions);
    const QString file = ControlDefinitions::emulatorIniFile(m_appDir, m_tables.EmuIniName);
    if (writer.save(file) == BindingsWriter::Outcome::Failed) {
        m_dialogs.warning(QStringLiteral("The control assignments could not be saved to\n%1")
                              .arg(QDir::toNativeSeparators(file)));
        return;
    }
    if (m_tables.isRewriteMode()) {
        close();
        focusMainWindow();
    }
}

void frmControls::cmdCancel_Click() {
    close();
    focusMainWindow();
}

void frmControls::focusMainWindow() {
    if (m_mainWindow)
        m_mainWindow->activateWindow();
}

void frmControls::closeEvent(QCloseEvent* event) {
    timKey->stop();
    // A capture waiting for a key runs inside this window's timer handler; the window must
    // outlive it, so it is deleted once the wait has returned.
    if (m_capture->isWaiting())
        m_deleteAfterCapture = true;
    else
        deleteLater();
    m_capture->cancel();
    event->accept();
}

// ---- Window size

void frmControls::setClientHeightPx(int height) {
    const int width = Twips::toPx(kClientWidthTw);
    client->setFixedSize(width, height);
    setFixedSize(width, height + WindowFrame::menuHeightPx(this));
}

double frmControls::outerHeightTw() const {
    return Twips::fromPx(client->height() + WindowFrame::menuHeightPx(this) +
                         WindowFrame::extraPx(this).height());
}

double frmControls::maxOuterHeightTw() const { return WindowFrame::maxOuterHeightTw(this); }

void frmControls::setOuterHeightTw(double twips) {
    setClientHeightPx(qMax(0, Twips::toPx(twips) - WindowFrame::menuHeightPx(this) -
                                  WindowFrame::extraPx(this).height()));
}
