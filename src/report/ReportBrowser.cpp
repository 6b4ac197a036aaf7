#include "report/ReportBrowser.h"

#include "app/ClientSession.h"
#include "report/ReportQuery.h"
#include "report/ReportTableModel.h"
#include "store/ClientStore.h"
#include "store/DatabaseError.h"
#include "store/ReportRows.h"

using namespace Qt::StringLiterals;

ReportBrowser::ReportBrowser(ClientSession &session, QObject *parent)
    : QObject(parent)
    , m_session(session)
{
}

ReportBrowser::~ReportBrowser() = default;

ReportTableModel *ReportBrowser::model()
{
    if (!m_model && m_session.isStarted())
        m_model = new ReportTableModel(m_session.store().adoQReport(), this);
    return m_model;
}

bool ReportBrowser::btnQueryClick(const QDateTime &start, const QDateTime &end)
{
    if (const std::optional<Message> problem = ReportQuery::rangeProblem(start, end)) {
        m_session.showMessage(*problem);
        return false;
    }
    if (!m_session.isStarted())
        return false;
    ClientState &state = m_session.state();
    ReportQuery::BuildReportQuery(state, state.ClientIDBytes, start.date(), end.date());
    m_session.sendBuiltFrame();
    return true;
}

QString ReportBrowser::withoutMarker(const QString &title)
{
    const QString trimmed = title.trimmed();
    if (trimmed.contains(AscendingMarker.back()) || trimmed.contains(DescendingMarker.back()))
        return trimmed.chopped(std::min<qsizetype>(2, trimmed.size()));
    return trimmed;
}

ReportBrowser::TitleClick ReportBrowser::DBGrid3TitleClick(int column, const QStringList &titles)
{
    TitleClick click;
    for (const QString &title : titles)
        click.titles.append(withoutMarker(title));
    if (column < 0 || column >= click.titles.size() || !m_session.isStarted() ||
        !m_session.store().adoQReport().isOpen())
        return click;
    const bool ascending = m_sortDirection == 0;
    try {
        sortBy(column, ascending);
    } catch (const DatabaseError &error) {
        m_session.showError(error.text());
        return click;
    }
    click.titles[column] += ascending ? AscendingMarker : DescendingMarker;
    click.sorted = true;
    m_sortDirection = ascending ? 1 : 0;
    return click;
}

void ReportBrowser::sortBy(int column, bool ascending)
{
    ClientStore &store = m_session.store();
    if (column == ReportRows::Message) {
        // The long text is read again ordered by the table itself.
        store.reopenReportOrderedBy(ReportRows::columnNames().at(column), ascending);
    } else {
        store.adoQReport().sort(static_cast<ReportRows::Column>(column), ascending);
    }
}

QString ReportBrowser::cellText(int column, const QString &text)
{
    if (column != ReportRows::Message)
        return text;
    QString shown =
        text.size() > MessageCellLength ? text.first(MessageCellLength) + u"..."_s : text;
    // A page's sender line ends in a line break; the cell keeps to one line.
    for (QChar &c : shown) {
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    }
    return shown;
}

QString ReportBrowser::memoText(int row) const
{
    if (!m_model)
        return {};
    QString text = m_model->message(row);
    text.replace(u"\r\n"_s, u"\n"_s);
    return text;
}
