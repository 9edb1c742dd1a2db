#include "pictures/ui/PicturePane.h"

#include "pictures/ui/PictureLoader.h"

#include <QEvent>
#include <QPainter>

PicturePane::PicturePane(const QStringList& sourcePaths, QWidget* parent,
                         const PictureLimits& limits)
    : QWidget(parent), m_loader(std::make_unique<PictureLoader>(sourcePaths, limits)) {
    setFocusPolicy(Qt::NoFocus);
    connect(m_loader.get(), &PictureLoader::loaded, this, &PicturePane::loaded);
    m_stale.setSingleShot(true);
    m_stale.setInterval(kStaleMs);
    connect(&m_stale, &QTimer::timeout, this, [this] {
        m_picture = QImage();
        update();
    });
    if (parent)
        parent->installEventFilter(this);
}

PicturePane::~PicturePane() = default;

void PicturePane::setDesignedGeometry(const QRect& geometry, int rightMarginPx) {
    m_designed = geometry;
    m_rightMarginPx = rightMarginPx;
    fitToParent();
}

void PicturePane::fitToParent() {
    QRect placed = m_designed;
    if (const QWidget* parent = parentWidget()) {
        const int room = parent->width() - m_designed.x() - m_rightMarginPx;
        // A parent that ends before the pane's third hides it (the options panel hidden):
        // keep the designed width there.
        if (room < m_designed.width() && room >= m_designed.width() / 3)
            placed.setWidth(room);
    }
    if (placed == geometry())
        return;
    const bool resized = placed.size() != size();
    setGeometry(placed);
    if (resized && m_asked)
        requestPicture(); // fitted to the new width
}

void PicturePane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_rom.isEmpty() && !m_asked)
        requestPicture();
}

bool PicturePane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        fitToParent();
    return QWidget::eventFilter(watched, event);
}

void PicturePane::showGame(const QString& rom, const QString& description) {
    if (rom == m_rom && description == m_description)
        return;
    m_rom = rom;
    m_description = description;
    m_asked = false;
    if (rom.isEmpty() || !isVisible()) {
        ++m_generation; // whatever is on its way is late now
        m_waiting = false;
        m_stale.stop();
        m_picture = QImage();
        update();
        return;
    }
    requestPicture();
}

void PicturePane::requestPicture() {
    m_asked = true;
    m_waiting = true;
    m_loader->request(++m_generation, m_rom, boxPx());
    m_stale.start();
}

void PicturePane::loaded(quint64 generation, const QImage& image) {
    if (generation != m_generation)
        return; // for a game selected before
    m_waiting = false;
    m_stale.stop();
    m_picture = image;
    m_picture.setDevicePixelRatio(devicePixelRatioF());
    update();
    emit pictureChanged();
}

QSize PicturePane::boxPx() const {
    // Pictures fill the pane's width; a tall one (a vertical arcade game) its height.
    return size() * devicePixelRatioF();
}

QRect PicturePane::placeholderRect() const {
    // The shape of an arcade screen, as wide as the pane.
    const int w = width();
    return QRect(0, 0, w, qMin(height(), w * 3 / 4));
}

void PicturePane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_picture.isNull()) {
        const QSizeF shown = m_picture.deviceIndependentSize();
        const QRectF target((width() - shown.width()) / 2, 0, shown.width(), shown.height());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, m_picture);
        return;
    }
    const QRect box = placeholderRect();
    painter.fillRect(box, palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (m_rom.isEmpty())
        return;
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(box.adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                     m_description);
}
