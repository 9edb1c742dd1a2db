#include "options/ui/TemplateCopy.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

template <class W> W* common(const W* tmpl, QWidget* parent) {
    auto* w = new W(parent);
    w->setVisible(false);
    w->resize(tmpl->size());
    // Only what was set on the template is copied, so the copy still follows the window's
    // palette and style like the template does. A font the copy already inherits is not set
    // again: a drop-down list answers a font change by building its popup window.
    if (tmpl->testAttribute(Qt::WA_SetFont) && w->font() != tmpl->font())
        w->setFont(tmpl->font());
    if (tmpl->testAttribute(Qt::WA_SetPalette))
        w->setPalette(tmpl->palette());
    if (tmpl->testAttribute(Qt::WA_SetLayoutDirection))
        w->setLayoutDirection(tmpl->layoutDirection());
    if (!tmpl->styleSheet().isEmpty())
        w->setStyleSheet(tmpl->styleSheet());
    if (!tmpl->toolTip().isEmpty())
        w->setToolTip(tmpl->toolTip());
    w->setFocusPolicy(tmpl->focusPolicy());
    w->setSizePolicy(tmpl->sizePolicy());
    w->setAutoFillBackground(tmpl->autoFillBackground());
    return w;
}

} // namespace

namespace TemplateCopy {

QGroupBox* copy(const QGroupBox* tmpl, QWidget* parent) {
    auto* w = common(tmpl, parent);
    w->setAlignment(tmpl->alignment());
    w->setFlat(tmpl->isFlat());
    return w;
}

QLabel* copy(const QLabel* tmpl, QWidget* parent) {
    auto* w = common(tmpl, parent);
    w->setTextFormat(tmpl->textFormat());
    w->setAlignment(tmpl->alignment());
    w->setWordWrap(tmpl->wordWrap());
    w->setMargin(tmpl->margin());
    w->setIndent(tmpl->indent());
    w->setFrameStyle(tmpl->frameStyle());
    return w;
}

QLineEdit* copy(const QLineEdit* tmpl, QWidget* parent) {
    auto* w = common(tmpl, parent);
    w->setAlignment(tmpl->alignment());
    w->setMaxLength(tmpl->maxLength());
    w->setEchoMode(tmpl->echoMode());
    w->setFrame(tmpl->hasFrame());
    w->setReadOnly(tmpl->isReadOnly());
    return w;
}

QComboBox* copy(const QComboBox* tmpl, QWidget* parent) {
    auto* w = common(tmpl, parent);
    w->setEditable(tmpl->isEditable());
    w->setMaxVisibleItems(tmpl->maxVisibleItems());
    w->setSizeAdjustPolicy(tmpl->sizeAdjustPolicy());
    w->setFrame(tmpl->hasFrame());
    return w;
}

QCheckBox* copy(const QCheckBox* tmpl, QWidget* parent) {
    auto* w = common(tmpl, parent);
    w->setTristate(tmpl->isTristate());
    return w;
}

} // namespace TemplateCopy
