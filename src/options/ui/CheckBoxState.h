#pragma once

class QCheckBox;

// Check box states as the profiles store them: 0 unticked, 1 ticked, 2 greyed. Only the program
// greys a box; the user's clicks only tick and untick it.
namespace CheckBoxState {

int get(const QCheckBox* box);
// A state outside 0..2 unticks the box. Sets the state without emitting signals.
void set(QCheckBox* box, int state);
// Makes a greyed box an ordinary one once the user clicks it.
void follow(QCheckBox* box);

} // namespace CheckBoxState
