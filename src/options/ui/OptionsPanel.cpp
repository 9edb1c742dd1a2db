#include "options/ui/OptionsPanel.h"

#include "options/OptionDefinitionReader.h"
#include "options/PanelLayout.h"
#include "options/ui/CheckBoxState.h"
#include "options/ui/PanelBuilder.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QSignalBlocker>

void OptionsPanel::build(const PanelTemplates& templates, const QString& definitionsFile,
                         OptionTable& table) {
    PanelBuilder builder(templates, m_controls);
    Options::ReadOptionDefinitions(definitionsFile, table, builder);
    builder.finish();
}

void OptionsPanel::fitWindow(const PanelWindow& window) {
    const auto topTw = [](const QWidget* w) { return Twips::fromPx(w->y()); };
    Options::WindowNow now;
    now.outerHeight = window.outerHeightTw();
    now.maxOuterHeight = window.maxOuterHeightTw;
    now.buttonsTop = topTw(window.cmdSaveRom);
    now.launchTop = topTw(window.cmdLaunch);
    const Options::WindowFit fit = Options::FitWindow(bottomTw(), now);
    if (fit.grows)
        window.setOuterHeightTw(fit.outerHeight);
    const double buttonsTop = fit.buttonsTop(window.outerHeightTw());
    for (QWidget* button : {window.cmdSaveDefault, window.cmdSaveRom, window.cmdRevert})
        button->move(button->x(), Twips::toPx(buttonsTop));
    if (QScrollArea* scroller = m_controls.scroller) {
        QRect area = scroller->geometry();
        area.setHeight(Twips::toPx(buttonsTop));
        scroller->setGeometry(area);
    }
}

QString OptionsPanel::text(int row) const {
    const QLineEdit* txt = txtConfig(row);
    return txt ? txt->text() : QString();
}

void OptionsPanel::setText(int row, const QString& text) {
    if (QLineEdit* txt = txtConfig(row)) {
        const QSignalBlocker block(txt);
        txt->setText(text);
    }
}

int OptionsPanel::ListIndex(int row) const {
    const QComboBox* cmb = cmbConfig(row);
    return cmb ? cmb->currentIndex() : -1;
}

void OptionsPanel::setListIndex(int row, int index) {
    if (QComboBox* cmb = cmbConfig(row)) {
        const QSignalBlocker block(cmb);
        cmb->setCurrentIndex(index >= 0 && index < cmb->count() ? index : -1);
    }
}

QString OptionsPanel::listItem(int row, int index) const {
    const QComboBox* cmb = cmbConfig(row);
    return cmb && index >= 0 && index < cmb->count() ? cmb->itemText(index) : QString();
}

int OptionsPanel::listCount(int row) const {
    const QComboBox* cmb = cmbConfig(row);
    return cmb ? cmb->count() : 0;
}

int OptionsPanel::checkState(int row) const {
    const QCheckBox* chk = chkCfg(row);
    return chk ? CheckBoxState::get(chk) : 0;
}

void OptionsPanel::setCheckState(int row, int state) {
    if (QCheckBox* chk = chkCfg(row))
        CheckBoxState::set(chk, state);
}

double OptionsPanel::firstFrameLeftTw(const QGroupBox* fraCat1) const {
    return m_controls.scroller ? m_controls.frameLeftTw : Twips::fromPx(fraCat1->x());
}
