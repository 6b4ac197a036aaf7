#pragma once

#include <QList>
#include <QStringView>

#include <optional>
#include <span>

// A control of the main window that a language moves or widens so that its
// caption fits: its new left edge, its new width, or both.
struct Placement {
    QStringView control;
    std::optional<int> left;
    std::optional<int> width;

    bool operator==(const Placement &) const = default;
};

// The About window's caption and the left edges of its product line and
// links in one language.
struct AboutPlacement {
    QStringView caption;
    int urlLeft = 0;
    int emailLeft = 0;
    int productLeft = 0;
};

// One of the four UI languages: its section name in the language file (also
// the name of its menu item after "mnu"), the word before the sender's name
// in a page, and its place in the tables of positions.
struct Language {
    QStringView name;
    QStringView fromWord;
    int column = 0;
    AboutPlacement about;
};

namespace Languages {

// English, German, Dutch, Italian, in this order.
std::span<const Language> all();
// The language of exactly this name (letter case counts), or nullptr.
const Language *find(QStringView name);
// The main window's controls as this language places them, in the order in
// which they are set.
QList<Placement> placements(const Language &language);

} // namespace Languages
