#pragma once

#include <QIcon>
#include <QImage>

namespace kvotlk {

// The program icon at one size (square, transparent around the symbol): a measuring probe
// over a result sheet.
QImage ProgramIconImage(int size);

// The icon at the sizes window frames, task bars and the about box use.
QIcon ProgramIcon();

}  // namespace kvotlk
