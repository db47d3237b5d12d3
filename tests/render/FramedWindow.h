#pragma once

#include <QImage>

class QWidget;

namespace kvotlk::test {

// The window with a plain title bar above it (icon and caption), as a window manager
// would frame it; the offscreen platform draws no frames of its own.
QImage framed(QWidget& window);

}  // namespace kvotlk::test
