// quorvel-sim: the simulated paging server for tests and the demo.
#include "DataFile.h"
#include "DataFileWatcher.h"
#include "SignalNotifier.h"
#include "SimulatedServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHostAddress>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

void print(std::FILE *stream, const QString &line)
{
    std::fputs(qPrintable(line + u'\n'), stream);
    std::fflush(stream);
}

void logLine(const QString &line)
{
    print(stdout, QTime::currentTime().toString(u"HH:mm:ss") + u"  " + line);
}

struct Endpoint {
    QHostAddress address;
    quint16 port = 0;
};

// HOST:PORT, with an IPv6 host in brackets ([::1]:1024).
std::optional<Endpoint> parseEndpoint(const QString &text)
{
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon <= 0)
        return std::nullopt;
    QString host = text.left(colon);
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    bool ok = false;
    const uint port = text.mid(colon + 1).toUInt(&ok);
    const QHostAddress address =
        host == u"localhost" ? QHostAddress(QHostAddress::LocalHost) : QHostAddress(host);
    if (!ok || port > 65535 || address.isNull())
        return std::nullopt;
    return Endpoint{address, static_cast<quint16>(port)};
}

int writeDemoData(const QString &path)
{
    if (QFileInfo::exists(path)) {
        print(stderr, QStringLiteral("quorvel-sim: %1 exists; not overwritten").arg(path));
        return 1;
    }
    QString error;
    if (!DataFile::save(path, DataSet::demo(), error)) {
        print(stderr, QStringLiteral("quorvel-sim: cannot write %1: %2").arg(path, error));
        return 1;
    }
    print(stdout, QStringLiteral("Wrote the demo data set to %1").arg(path));
    return 0;
}

QString describe(const DataSet &data)
{
    return QStringLiteral("list version %1, %2 recipients, %3 groups, %4 canned messages")
        .arg(data.version)
        .arg(data.recipients.size())
        .arg(data.groups.size())
        .arg(data.canned.size());
}

// Pages spread over January 2014, for a report of any length.
QList<ReportRecord> januaryReport(int rows)
{
    QList<ReportRecord> report;
    report.reserve(rows);
    const QDateTime start(QDate(2014, 1, 1), QTime(0, 0));
    const qint64 step = std::max<qint64>(1, 30LL * 24 * 3600 / std::max(rows, 1));
    for (int i = 0; i < rows; ++i) {
        report.append({QStringLiteral("Desk"), QStringLiteral("Ann Baker"),
                       start.addSecs(i * step).toString(u"yyyy-MM-dd HH:mm:ss"),
                       QStringLiteral("OK"), QStringLiteral("Report row %1").arg(i + 1)});
    }
    return report;
}

void connectLog(SimulatedServer &server)
{
    QObject::connect(
        &server, &SimulatedServer::frameAnswered,
        [](const QString &peer, const QString &summary) { logLine(peer + u"  " + summary); });
    QObject::connect(&server, &SimulatedServer::connectionDropped,
                     [](const QString &peer, const QString &reason) {
                         logLine(peer + u"  dropped: " + reason);
                     });
}

void connectWatcher(DataFileWatcher &watcher, SimulatedServer &server)
{
    QObject::connect(&watcher, &DataFileWatcher::dataChanged, &server,
                     [&server](const DataSet &data) {
                         server.setDataSet(data);
                         logLine(QStringLiteral("data reloaded: ") + describe(data));
                     });
    QObject::connect(&watcher, &DataFileWatcher::loadFailed, [](const QString &error) {
        print(stderr, QStringLiteral("warning: %1; keeping the previous data").arg(error));
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvel-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated paging server for the Quorvel client (tests and demo)."));
    parser.addHelpOption();
    const QCommandLineOption listenOption(
        QStringLiteral("listen"),
        QStringLiteral("Address and port to listen on (default 127.0.0.1:1024)."),
        QStringLiteral("HOST:PORT"), QStringLiteral("127.0.0.1:1024"));
    const QCommandLineOption dataOption(
        QStringLiteral("data"), QStringLiteral("Data file to serve, reloaded when it changes."),
        QStringLiteral("FILE"));
    const QCommandLineOption demoOption(
        QStringLiteral("write-demo-data"),
        QStringLiteral("Write the built-in demo data set to FILE and exit."),
        QStringLiteral("FILE"));
    const QCommandLineOption reportOption(
        QStringLiteral("report-rows"),
        QStringLiteral("Start with N delivered pages from January 2014 in the report."),
        QStringLiteral("N"));
    parser.addOptions({listenOption, dataOption, demoOption, reportOption});
    parser.process(app);

    if (parser.isSet(demoOption))
        return writeDemoData(parser.value(demoOption));

    const std::optional<Endpoint> endpoint = parseEndpoint(parser.value(listenOption));
    if (!endpoint) {
        print(stderr, QStringLiteral("quorvel-sim: --listen takes HOST:PORT, e.g. 127.0.0.1:1024"));
        return 2;
    }

    SimulatedServer server;
    connectLog(server);
    if (parser.isSet(reportOption)) {
        bool isNumber = false;
        const int rows = parser.value(reportOption).toInt(&isNumber);
        if (!isNumber || rows < 0) {
            print(stderr, QStringLiteral("quorvel-sim: --report-rows takes a whole number"));
            return 2;
        }
        server.state().report = januaryReport(rows);
    }
    std::unique_ptr<DataFileWatcher> watcher;
    if (parser.isSet(dataOption)) {
        watcher = std::make_unique<DataFileWatcher>(parser.value(dataOption));
        QString error;
        if (!watcher->load(error)) {
            print(stderr, QStringLiteral("quorvel-sim: %1").arg(error));
            return 1;
        }
        server.setDataSet(watcher->dataSet());
        connectWatcher(*watcher, server);
    }

    if (!server.listen(endpoint->address, endpoint->port)) {
        print(stderr, QStringLiteral("quorvel-sim: cannot listen on %1: %2")
                          .arg(parser.value(listenOption), server.errorString()));
        return 1;
    }
    logLine(QStringLiteral("listening on %1:%2; data %3: %4")
                .arg(server.serverAddress().toString())
                .arg(server.serverPort())
                .arg(watcher ? watcher->path() : QStringLiteral("built-in"))
                .arg(describe(server.state().data)));

    SignalNotifier unixSignals({SIGINT, SIGTERM, SIGHUP});
    QObject::connect(&unixSignals, &SignalNotifier::received, [&](int number) {
        if (number != SIGHUP) {
            logLine(QStringLiteral("stopping"));
            QCoreApplication::quit();
        } else if (watcher) {
            logLine(QStringLiteral("SIGHUP: reading %1 again").arg(watcher->path()));
            watcher->reload();
        }
    });
    return QCoreApplication::exec();
}
