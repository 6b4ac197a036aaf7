#pragma once

#include "ui/ComponentSpec.h"

#include <span>

class QDialog;

namespace DialogFrame {

// A fixed dialog with only a close box, sized to its controls and centred on the screen.
void fixToContent(QDialog &dialog, std::span<const ComponentSpec> specs);

} // namespace DialogFrame
