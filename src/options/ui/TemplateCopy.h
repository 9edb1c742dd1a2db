#pragma once

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

// Qt widgets cannot be cloned, so a further element of a control array is a new widget that
// takes over what the design gave its template: class, size, font, look and behaviour, but not
// its text, items or value. Copies start hidden; the panel shows a row once it is placed.
namespace TemplateCopy {

QGroupBox* copy(const QGroupBox* tmpl, QWidget* parent);
QLabel* copy(const QLabel* tmpl, QWidget* parent);
QLineEdit* copy(const QLineEdit* tmpl, QWidget* parent);
QComboBox* copy(const QComboBox* tmpl, QWidget* parent);
QCheckBox* copy(const QCheckBox* tmpl, QWidget* parent);

} // namespace TemplateCopy
