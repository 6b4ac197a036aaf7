#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>

class ClientSession;
class ReportTableModel;

// What the report panel does, without its widgets: the query for a date
// range, the grid's rows and what its cells show, the memo's text, and the
// sorting by a title click with the markers on the titles.
class ReportBrowser final : public QObject {
    Q_OBJECT

public:
    static constexpr QStringView AscendingMarker = u" \u25B2";
    static constexpr QStringView DescendingMarker = u" \u25BC";
    // A message cell shows this many characters, then "...".
    static constexpr int MessageCellLength = 20;

    // The titles after a title click, and whether the rows were sorted (the
    // first row is then the current one).
    struct TitleClick {
        QStringList titles;
        bool sorted = false;
    };

    explicit ReportBrowser(ClientSession &session, QObject *parent = nullptr);
    ~ReportBrowser() override;
    Q_DISABLE_COPY_MOVE(ReportBrowser)

    // The grid's rows; nullptr until the session has started.
    ReportTableModel *model();

    // Query: checks the range, then sends frame H for its days. False when a message stopped it.
    bool btnQueryClick(const QDateTime &start, const QDateTime &end);

    // A title click on `column`, given the grid's titles: every marker goes;
    // an open report is sorted by the column, ascending and descending in
    // turn, and its title marked.
    TitleClick DBGrid3TitleClick(int column, const QStringList &titles);
    // The grid's sort direction: 0, the next click sorts ascending; 1, descending.
    int sortDirection() const { return m_sortDirection; }

    // What a cell shows of its text: a message its first 20 characters and
    // "...", on one line; the other columns their text.
    static QString cellText(int column, const QString &text);
    // The whole message of a row, for the memo.
    QString memoText(int row) const;

    static QString withoutMarker(const QString &title);

private:
    void sortBy(int column, bool ascending);

    ClientSession &m_session;
    ReportTableModel *m_model = nullptr;
    int m_sortDirection = 0;
};
