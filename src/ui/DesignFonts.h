#pragma once

// The windows name the faces they were designed with (Arial, Courier New,
// Tahoma, ...). This maps each of them once to an installed face of the same
// metrics, so captions keep their designed widths; call it after the
// application object exists and before any window is built.
void installDesignFontSubstitutions();
