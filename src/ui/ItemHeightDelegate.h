#pragma once

#include <QStyledItemDelegate>

// Gives every line of a list the same designed height (a list box's item height).
class ItemHeightDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    ItemHeightDelegate(int height, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_height(height)
    {
    }
    Q_DISABLE_COPY_MOVE(ItemHeightDelegate)

    int height() const { return m_height; }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_height};
    }

private:
    int m_height;
};
