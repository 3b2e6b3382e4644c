#pragma once
// The program's icons, drawn by code so they stay crisp at any size: the
// seven toolbar images and the application icon (a chart square with its
// inner diamond, as a North Indian chart is drawn).

#include <QIcon>
#include <QImage>

namespace sarvexa {

enum class ToolbarIcon { New, Open, Save, Print, About, Earlier, Later };

/// A toolbar icon with images for 16 x 15 and its high-DPI multiples.
QIcon MakeToolbarIcon(ToolbarIcon which);
/// One toolbar image of `scale` times 16 x 15 pixels.
QImage DrawToolbarImage(ToolbarIcon which, int scale);

/// The application icon drawn at `size` x `size` pixels.
QImage DrawAppIcon(int size);
/// The application icon (from the compiled-in images, drawn when missing).
QIcon AppIcon();

}  // namespace sarvexa
