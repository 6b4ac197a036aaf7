#pragma once

#include "ui/ComponentSpec.h"

#include <QSize>

#include <span>

// The component tables of the four windows, in each window's component
// order: parents before children, depth first, the menu after the status
// bar, non-visual components last.
namespace WindowDesigns {

std::span<const ComponentSpec> Form1();
std::span<const ComponentSpec> AboutBox();
std::span<const ComponentSpec> fmRegSer();
std::span<const ComponentSpec> frmLang();

// The font of all four windows; a control's font differs only where its table row says so.
inline constexpr FontSpec WindowFontSpec{u"MS Sans Serif", 8};

// Client area of the main window below its menu bar; it cannot be dragged to another size.
inline constexpr QSize Form1ClientSize{698, 601};
// Client area of the editor as designed (outer 767 by 487 with a 4-pixel frame and title bar).
inline constexpr QSize frmLangClientSize{759, 453};

} // namespace WindowDesigns
