#pragma once

#include <QString>

class OptionTable;
class PanelValues;

namespace Options {

// The option string that follows the ROM argument on the emulator's command line, from what
// the panel shows now. Each contributing option adds one blank, its switch and its value with
// nothing between; text and list options always contribute (a list with nothing selected adds
// its switch alone), a check option only when ticked (state 1). Values are not quoted: the
// launch splits the line without a shell, so nothing typed here is interpreted.
QString CreateCLOString(const OptionTable& table, const PanelValues& panel);

} // namespace Options
