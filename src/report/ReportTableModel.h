#pragma once

#include <QAbstractTableModel>

class ReportRows;

// The report's rows as a table for the grid: it reads each value from the
// store's open result when the grid asks for it, and follows the result as
// rows are appended while an answer arrives.
class ReportTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ReportTableModel(ReportRows &rows, QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(ReportTableModel)

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    // The display text of a value: as stored, send times as "yyyy/MM/dd HH:mm:ss".
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The whole message of a row.
    QString message(int row) const;

private:
    void resetRows();
    void appendRows(int first, int last);

    ReportRows &m_rows;
    // What the views have been told; the store's count runs ahead of it
    // between a change and its signal.
    int m_rowCount = 0;
};
