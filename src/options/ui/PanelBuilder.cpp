#include "options/ui/PanelBuilder.h"

#include "options/ui/CheckBoxState.h"
#include "options/ui/FrameCaptionStyle.h"
#include "options/ui/TemplateCopy.h"
#include "ui/Twips.h"
#include "ui/WidgetPlacement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>

using WidgetPlacement::indexedName;

namespace {

double leftTw(const QWidget* w) { return Twips::fromPx(w->x()); }
double topTw(const QWidget* w) { return Twips::fromPx(w->y()); }
double heightTw(const QWidget* w) { return Twips::fromPx(w->height()); }

// Row 1 takes the template itself, moved into its frame; later rows take copies of it.
template <class W> W* element(W* tmpl, int row, QGroupBox* frame, const char* array) {
    W* w = row == 1 ? tmpl : TemplateCopy::copy(tmpl, frame);
    if (row == 1)
        w->setParent(frame); // hides it until the row is placed
    w->setObjectName(indexedName(array, row));
    return w;
}

} // namespace

PanelBuilder::PanelBuilder(const PanelTemplates& templates, PanelControls& controls)
    : m_templates(templates), m_controls(controls) {
    const QGroupBox* frame = templates.fraCat1;
    m_metrics.frameLeft = leftTw(frame);
    m_metrics.frameTop = topTw(frame);
    m_metrics.frameWidth = Twips::fromPx(frame->width());
    m_metrics.labelLeft = leftTw(templates.lblConfig1) - m_metrics.frameLeft;
    m_metrics.checkLeft = leftTw(templates.chkCfg1) - m_metrics.frameLeft;
    m_metrics.textHeight = heightTw(templates.txtConfig1);
    m_metrics.listHeight = heightTw(templates.cmbConfig1);
    m_metrics.checkHeight = heightTw(templates.chkCfg1);

    templates.lblConfig1->hide();
    templates.chkCfg1->hide();
    templates.cmbConfig1->hide();
    templates.txtConfig1->hide();

    // The frames keep their client-area tops inside a scroll area that starts at the window's
    // top, so they only scroll when the screen stops the window from growing. The frames are
    // built in a content widget of their own and put on the window when complete: see
    // chainFocus().
    auto* scroller = new QScrollArea(templates.client);
    scroller->setObjectName(QStringLiteral("scrOptionsPanel"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroller->setWidgetResizable(false);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("optionsPanelContent"));
    scroller->viewport()->setAutoFillBackground(false);

    m_controls.scroller = scroller;
    m_controls.content = content;
    m_controls.frameLeftTw = m_metrics.frameLeft;
}

void PanelBuilder::beginCategory(int category, const QString& name) {
    QGroupBox* frame = category == 1 ? m_templates.fraCat1
                                     : TemplateCopy::copy(m_templates.fraCat1, m_controls.content);
    if (category == 1)
        frame->setParent(m_controls.content);
    frame->setObjectName(indexedName("fraCat", category));
    frame->setStyle(FrameCaptionStyle::shared());
    frame->setTitle(name);
    m_controls.fraCat.push_back(frame);
    m_sizes.emplace_back();
    m_rows.emplace_back();
}

void PanelBuilder::endCategory(int) {}

void PanelBuilder::grow(int row) {
    const size_t size = size_t(row) + 1;
    m_controls.lblConfig.resize(size, nullptr);
    m_controls.txtConfig.resize(size, nullptr);
    m_controls.cmbConfig.resize(size, nullptr);
    m_controls.chkCfg.resize(size, nullptr);
}

QLabel* PanelBuilder::label(int row, const QString& caption, QGroupBox* frame) {
    QLabel* lbl = element(m_templates.lblConfig1, row, frame, "lblConfig");
    // Captions come from a file: show them as written, never as markup.
    lbl->setTextFormat(Qt::PlainText);
    lbl->setText(caption);
    lbl->adjustSize();
    m_controls.lblConfig[size_t(row)] = lbl;
    return lbl;
}

void PanelBuilder::chainFocus() {
    // Built apart from the window, the panel's focus chain holds its controls in row order.
    // Moving that chain as one block after the fixed controls keeps it so; ordering the rows
    // one pair at a time would make Qt walk past every label left behind, once per row.
    QWidget* content = m_controls.content;
    if (!m_firstControl || !m_templates.focusBefore)
        return;
    content->setFocusPolicy(Qt::TabFocus);
    content->setFocusProxy(m_firstControl);
    QWidget::setTabOrder(m_templates.focusBefore, content);
    content->setFocusProxy(nullptr);
    content->setFocusPolicy(Qt::NoFocus);
}

void PanelBuilder::addOption(int row, const OptionDefinition& option) {
    grow(row);
    QGroupBox* frame = m_controls.fraCat.back();
    Options::RowSize size;
    size.kind = option.kind;
    switch (option.kind) {
    case OptionKind::Text: {
        QLineEdit* txt = element(m_templates.txtConfig1, row, frame, "txtConfig");
        const QLabel* lbl = label(row, option.Caption, frame);
        const QSignalBlocker block(txt);
        txt->setText(option.Default);
        m_controls.txtConfig[size_t(row)] = txt;
        size.labelWidth = Twips::fromPx(lbl->width());
        size.labelHeight = Twips::fromPx(lbl->height());
        break;
    }
    case OptionKind::List: {
        const QLabel* lbl = label(row, option.Caption, frame);
        QComboBox* cmb = element(m_templates.cmbConfig1, row, frame, "cmbConfig");
        const QSignalBlocker block(cmb);
        cmb->clear();
        cmb->addItems(option.choices);
        cmb->setCurrentIndex(option.listIndex);
        m_controls.cmbConfig[size_t(row)] = cmb;
        size.labelWidth = Twips::fromPx(lbl->width());
        size.labelHeight = Twips::fromPx(lbl->height());
        break;
    }
    case OptionKind::Check: {
        QCheckBox* chk = element(m_templates.chkCfg1, row, frame, "chkCfg");
        chk->setText(option.Caption);
        CheckBoxState::follow(chk);
        CheckBoxState::set(chk, option.checkState);
        m_controls.chkCfg[size_t(row)] = chk;
        break;
    }
    }
    if (!m_firstControl)
        m_firstControl = control(row);
    m_sizes.back().push_back(size);
    m_rows.back().push_back(row);
}

QWidget* PanelBuilder::control(int row) const {
    if (QLineEdit* txt = PanelControls::at(m_controls.txtConfig, row))
        return txt;
    if (QComboBox* cmb = PanelControls::at(m_controls.cmbConfig, row))
        return cmb;
    return PanelControls::at(m_controls.chkCfg, row);
}

void PanelBuilder::place(int row, const Options::RowPlace& place) {
    const auto at = [](QWidget* w, double left, double top) {
        w->move(Twips::toPx(left), Twips::toPx(top));
        w->show();
    };
    if (QLabel* lbl = PanelControls::at(m_controls.lblConfig, row))
        at(lbl, place.labelLeft, place.labelTop);
    if (QLineEdit* txt = PanelControls::at(m_controls.txtConfig, row))
        at(txt, place.controlLeft, place.controlTop);
    if (QComboBox* cmb = PanelControls::at(m_controls.cmbConfig, row))
        at(cmb, place.controlLeft, place.controlTop);
    if (QCheckBox* chk = PanelControls::at(m_controls.chkCfg, row))
        at(chk, place.controlLeft, place.controlTop);
}

void PanelBuilder::finish() {
    const Options::PanelPlaces places = Options::LayOutPanel(m_metrics, m_sizes);
    const int widthPx = Twips::toPx(m_metrics.frameWidth);
    for (size_t c = 0; c < places.frames.size(); ++c) {
        const Options::FramePlace& frame = places.frames[c];
        for (size_t i = 0; i < frame.rows.size(); ++i)
            place(m_rows[c][i], frame.rows[i]);
        QGroupBox* box = m_controls.fraCat[c + 1];
        box->setGeometry(0, Twips::toPx(frame.top), widthPx, Twips::toPx(frame.height));
        box->show();
    }
    m_controls.bottomTw = places.bottom;
    m_controls.content->resize(widthPx, Twips::toPx(places.bottom));
    QScrollArea* scroller = m_controls.scroller;
    scroller->setWidget(m_controls.content);
    m_controls.content->setAutoFillBackground(false); // the window's background shows through
    chainFocus();
    const int scrollBarPx = scroller->verticalScrollBar()->sizeHint().width();
    scroller->setGeometry(Twips::toPx(m_metrics.frameLeft), 0, widthPx + scrollBarPx,
                          Twips::toPx(places.bottom));
    scroller->show();
}
