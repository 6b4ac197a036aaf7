#pragma once

#include "lang/Languages.h"

#include <QList>
#include <QString>

// What selecting a language does to the main window, step by step; the
// window implements it, tests record it.
class LanguageView {
public:
    virtual ~LanguageView() = default;

    // Checks this language's menu item and unchecks the other three.
    virtual void checkLanguage(const QString &language) = 0;
    // Replaces the window's captions from this language's section.
    virtual void applyCaptions(const QString &language) = 0;
    virtual void setMainTitle(const QString &title) = 0;
    // Sets each control's left edge, then its width, in the list's order.
    virtual void applyPlacements(const QList<Placement> &placements) = 0;
    // The positions just set become the layout's reference in the normal
    // window state; maximized or minimized, the reference is scaled back.
    virtual void settleLayout() = 0;
};
