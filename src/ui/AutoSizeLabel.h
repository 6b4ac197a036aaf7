#pragma once

#include <QLabel>

// A label (TLabel) that, like the designer's labels, fits its width to its
// caption whenever the caption is replaced through setCaption, keeping its
// left edge. It is created at its designed bounds; QLabel::setText leaves
// the size alone.
class AutoSizeLabel final : public QLabel {
    Q_OBJECT

public:
    explicit AutoSizeLabel(const QString &text, QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(AutoSizeLabel)

    void setCaption(const QString &text);
    // The width the caption needs in the label's font.
    int captionWidth() const;
};
