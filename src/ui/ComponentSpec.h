#pragma once

#include <QFlags>
#include <QRect>
#include <QRgb>
#include <QStringView>

#include <cstdint>
#include <span>

// A window's components are declared as data (one table per window) and
// built by ComponentFactory. These are the row types of those tables.

// A font as designed. An empty family means the window's own font.
struct FontSpec {
    QStringView family{};
    int pointSize = 0;
    bool bold = false;
    bool underline = false;
};

// The design-time settings that change how a component behaves or looks.
enum class Setting : std::uint32_t {
    Disabled = 1u << 0, // controls greyed out; timers not running
    Hidden = 1u << 1,
    NotTabStop = 1u << 2,
    NoFrame = 1u << 3,      // edits without border, panels without bevel
    LoweredFrame = 1u << 4, // panel with raised inner and lowered outer bevel
    Editable = 1u << 5,     // combo box that accepts typing
    CaptionLeft = 1u << 6,  // check box text left of the box
    DefaultButton = 1u << 7,
    HandCursor = 1u << 8,
    VerticalScrollBar = 1u << 9,
    ReadOnly = 1u << 10,
    ParentColor = 1u << 11, // background in the window colour instead of the edit colour
    Checkable = 1u << 12,
    Checked = 1u << 13,
    RadioItem = 1u << 14, // menu item checked exclusively among its siblings
    AlignTop = 1u << 15,  // docked edges, kept for the layout scaler
    AlignBottom = 1u << 16,
    AlignClient = 1u << 17,
};
Q_DECLARE_FLAGS(Settings, Setting)
Q_DECLARE_OPERATORS_FOR_FLAGS(Settings)

// One column of a data grid or string grid. Alignments and fonts matter to
// data grids only; a string grid uses the width alone.
struct GridColumnSpec {
    QStringView field{};
    QStringView title{};
    int width = 0;
    Qt::Alignment cellAlignment = Qt::AlignLeft;
    Qt::Alignment titleAlignment = Qt::AlignLeft;
    FontSpec cellFont{};  // empty family: the grid's font
    FontSpec titleFont{}; // empty family: the grid's font
};

struct GridSpec {
    std::span<const GridColumnSpec> columns{};
    int fixedColumns = 0;
    int rowCount = 0; // including the fixed header row
    int rowHeight = 0;
};

// One row of a window's component table. An empty parent means the window's
// client area; menu items name their menu or parent item. A colour of 0
// means "as the parent" (qRgb colours always carry an opaque alpha).
struct ComponentSpec {
    QStringView kind{};
    QStringView name{};
    QStringView parent{};
    QStringView caption{};
    QRect bounds{};
    FontSpec font{};
    Settings settings{};
    QRgb textColor = 0;
    QRgb background = 0;
    int maxLength = 0;
    int itemHeight = 0;
    QStringView hint{};
    const GridSpec *grid = nullptr;
    std::span<const int> panelWidths{}; // status bar panels, left to right
    int interval = 0;                   // timers, in milliseconds

    // Setters for the fields few rows use, so that a table row names what it
    // sets instead of counting positions.
    constexpr ComponentSpec withTextColor(QRgb colour) const
    {
        ComponentSpec design = *this;
        design.textColor = colour;
        return design;
    }
    constexpr ComponentSpec withBackground(QRgb colour) const
    {
        ComponentSpec design = *this;
        design.background = colour;
        return design;
    }
    constexpr ComponentSpec withMaxLength(int length) const
    {
        ComponentSpec design = *this;
        design.maxLength = length;
        return design;
    }
    constexpr ComponentSpec withItemHeight(int height) const
    {
        ComponentSpec design = *this;
        design.itemHeight = height;
        return design;
    }
    constexpr ComponentSpec withHint(QStringView text) const
    {
        ComponentSpec design = *this;
        design.hint = text;
        return design;
    }
    constexpr ComponentSpec withGrid(const GridSpec *columns) const
    {
        ComponentSpec design = *this;
        design.grid = columns;
        return design;
    }
    constexpr ComponentSpec withPanels(std::span<const int> widths) const
    {
        ComponentSpec design = *this;
        design.panelWidths = widths;
        return design;
    }
};
