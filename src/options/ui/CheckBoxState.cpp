#include "options/ui/CheckBoxState.h"

#include <QCheckBox>
#include <QSignalBlocker>

namespace CheckBoxState {

int get(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        break;
    }
    return 2;
}

void set(QCheckBox* box, int state) {
    const QSignalBlocker block(box);
    const Qt::CheckState qtState = state == 1   ? Qt::Checked
                                   : state == 2 ? Qt::PartiallyChecked
                                                : Qt::Unchecked;
    // A tristate box cycles through the greyed state on clicks; only a greyed box needs it.
    box->setTristate(qtState == Qt::PartiallyChecked);
    box->setCheckState(qtState);
}

void follow(QCheckBox* box) {
    QObject::connect(box, &QCheckBox::stateChanged, box, [box](int state) {
        if (state != Qt::PartiallyChecked)
            box->setTristate(false);
    });
}

} // namespace CheckBoxState
