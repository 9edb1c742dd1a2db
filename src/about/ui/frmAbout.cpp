#include "about/ui/frmAbout.h"

#include "ui/WidgetPlacement.h"

#include "about/AboutText.h"
#include "base/AppPaths.h"
#include "ui/Twips.h"
#include "ui/WindowFrame.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

using namespace WidgetPlacement;

namespace {

QFont windowFont() {
    QFont f(QStringLiteral("Arial Narrow"));
    f.setPointSizeF(11.25);
    return f;
}

} // namespace

frmAbout::frmAbout(const QString& appDir, const QString& HelpText, QWidget* mainWindow,
                   QWidget* parent)
    : QDialog(parent), m_appDir(appDir), m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("About"));
    setFont(windowFont());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    Image1 = named(new QLabel(this), "Image1");
    placeTw(Image1, AboutDesign::image);

    Label1 = named(new QLabel(QStringLiteral("Label1"), this), "Label1");
    // The text is shown as it stands (no rich text, no mnemonics), wrapped at word boundaries
    // and cut off at the label's bottom edge, which the layout fixes and the text never moves.
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTw(Label1, AboutDesign::label);

    cmdOk = named(new QPushButton(QStringLiteral("&Ok"), this), "cmdOk");
    cmdOk->setFont(controlFont());
    cmdOk->setDefault(true);
    placeTw(cmdOk, AboutDesign::ok);
    connect(cmdOk, &QPushButton::clicked, this, &frmAbout::cmdOk_Click);

    Form_Load(HelpText);
}

frmAbout::~frmAbout() = default;

void frmAbout::Form_Load(const QString& HelpText) {
    Label1->setText(AboutText::ForDisplay(HelpText));
    if (HelpText.isEmpty())
        LoadAbout();

    const QString picture = AppPaths::aboutPicture(m_appDir);
    // A picture that exists but cannot be decoded counts as no picture: the window still opens.
    const QImage image = QFileInfo(picture).isFile() ? QImage(picture) : QImage();
    if (!image.isNull()) {
        Image1->setPixmap(QPixmap::fromImage(image));
        m_pictureTw = QSizeF(Twips::fromPx(image.width()), Twips::fromPx(image.height()));
    }
    layOut();
}

void frmAbout::LoadAbout() {
    const std::optional<QString> text = AboutText::Read(AppPaths::aboutText(m_appDir));
    if (!text)
        return;
    Label1->setText(AboutText::ForDisplay(*text));
    // Placed by the layout, which also keeps a very long file from reaching past the screen.
    m_labelHeightTw = AboutText::LabelHeight(AboutText::LineCount(*text), lineHeightTw());
}

double frmAbout::lineHeightTw() const {
    return Twips::fromPx(
        QFontMetrics(font()).size(Qt::TextSingleLine, QStringLiteral("XXX")).height());
}

QSizeF frmAbout::frameTw() const {
    const QSize extra = WindowFrame::extraPx(this);
    return {Twips::fromPx(extra.width()), Twips::fromPx(extra.height())};
}

void frmAbout::layOut() {
    AboutMeasures m;
    m.picture = m_pictureTw;
    m.lineHeight = lineHeightTw();
    m.labelHeight = m_labelHeightTw;
    m.buttonHeight = Twips::fromPx(cmdOk->height());
    m.frame = frameTw();
    m.maxOuterHeight = WindowFrame::maxOuterHeightTw(this);
    m_frameUsedTw = m.frame;
    m_layout = LayOutAbout(m);

    placeTw(Image1, m_layout.image);
    placeTw(Label1, m_layout.label);
    placeTw(cmdOk, m_layout.ok);
    setFixedSize(qMax(0, Twips::toPx(m_layout.clientWidth)),
                 qMax(0, Twips::toPx(m_layout.clientHeight)));
}

// Outer sizes are given, but the frame is known only once the window manager has framed the
// window: lay out again as soon as it is, so the outer size comes out as intended.
void frmAbout::layOutIfFrameChanged() {
    if (frameTw() != m_frameUsedTw)
        layOut();
}

void frmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    layOutIfFrameChanged();
}

void frmAbout::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    layOutIfFrameChanged();
}

double frmAbout::outerWidthTw() const {
    return Twips::fromPx(frameGeometry().width());
}

double frmAbout::outerHeightTw() const {
    return Twips::fromPx(frameGeometry().height());
}

void frmAbout::cmdOk_Click() {
    close();
    if (m_mainWindow)
        m_mainWindow->activateWindow();
}

void frmAbout::reject() {
    cmdOk->click();
}

// QDialog routes the title bar's close through reject(), which here presses "&Ok" and would
// close the window again from inside its own close.
void frmAbout::closeEvent(QCloseEvent* event) {
    event->accept();
}
