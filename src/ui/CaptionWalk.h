#pragma once

#include <QString>
#include <QStringList>

class ComponentInventory;
class LangFile;

// Replaces the captions of a window's components by the texts stored for
// them in one language section of the language file. owner is the window's
// name ("Form1", "AboutBox", "fmRegSer"); keys are owner + "_" + component
// name, with "Item<j>" for combo box items and "Column<k>" for grid column
// titles. Each component's current text is the default, so a missing key
// leaves it as it is. The window's own caption is not part of the walk.
void ApplyCaptions(const ComponentInventory &inventory, const QString &owner, const LangFile &file,
                   const QString &language);

// The keys that ApplyCaptions reads for a window in its present state (combo
// boxes contribute one key per item they hold now).
QStringList captionKeys(const ComponentInventory &inventory, const QString &owner);
