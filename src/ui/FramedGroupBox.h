#pragma once

#include <QGroupBox>

// A group box (TGroupBox) drawn as the designer draws it: an etched frame
// whose top line runs through the middle of the caption, so that controls
// placed at their designed positions sit inside the frame.
class FramedGroupBox final : public QGroupBox {
    Q_OBJECT

public:
    explicit FramedGroupBox(const QString &title, QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(FramedGroupBox)

protected:
    void paintEvent(QPaintEvent *event) override;
};
