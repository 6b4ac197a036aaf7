#include "store/NativeInsert.h"

#include "store/DatabaseError.h"

#include <QSqlDatabase>
#include <QSqlDriver>

#include <sqlite3.h>

#include <algorithm>
#include <array>

sqlite3 *NativeInsert::handleOf(const QString &connectionName)
{
    sqlite3 *db = nullptr;
    const QVariant handle = QSqlDatabase::database(connectionName, false).driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        db = *static_cast<sqlite3 *const *>(handle.constData());
    if (!db)
        throw DatabaseError(QStringLiteral("The database connection is not open."));
    return db;
}

NativeInsert::NativeInsert(const QString &connectionName, const QString &statement)
    : m_db(handleOf(connectionName))
{
    const QByteArray text = statement.toUtf8();
    if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &m_statement, nullptr) !=
        SQLITE_OK)
        fail();
}

NativeInsert::~NativeInsert()
{
    sqlite3_finalize(m_statement);
}

void NativeInsert::fail() const
{
    throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)));
}

qint64 NativeInsert::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

void NativeInsert::run(const QVariantList &row, const QList<int> &columns)
{
    // UTF-8 copies live until the step, so the engine need not copy or convert them.
    std::array<QByteArray, 8> texts;
    for (int i = 0; i < columns.size(); ++i) {
        const QVariant &value = row.at(columns.at(i));
        int result = SQLITE_OK;
        if (value.isNull()) {
            result = sqlite3_bind_null(m_statement, i + 1);
        } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong) {
            result = sqlite3_bind_int64(m_statement, i + 1, value.toLongLong());
        } else if (i < int(texts.size())) {
            texts[i] = value.toString().toUtf8();
            result = sqlite3_bind_text(m_statement, i + 1, texts[i].constData(),
                                       int(texts[i].size()), SQLITE_STATIC);
        } else {
            const QByteArray text = value.toString().toUtf8();
            result = sqlite3_bind_text(m_statement, i + 1, text.constData(), int(text.size()),
                                       SQLITE_TRANSIENT);
        }
        if (result != SQLITE_OK)
            fail();
    }
    step();
}

void NativeInsert::step()
{
    const int stepped = sqlite3_step(m_statement);
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    if (stepped != SQLITE_DONE)
        fail();
}

namespace {

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

// Latin-1 to UTF-8 into `out`, which keeps its capacity from row to row.
void latin1ToUtf8(QByteArrayView bytes, QByteArray &out)
{
    out.resize(0);
    out.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (code < 0x80) {
            out.append(byte);
        } else {
            out.append(static_cast<char>(0xC0 | (code >> 6)));
            out.append(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
}

} // namespace

void NativeInsert::runWire(std::span<const QByteArrayView> fields)
{
    for (std::size_t i = 0; i < fields.size() && i < m_converted.size(); ++i) {
        QByteArrayView text = fields[i];
        if (!isAscii(text)) {
            latin1ToUtf8(text, m_converted[i]);
            text = m_converted[i];
        }
        if (sqlite3_bind_text(m_statement, int(i) + 1, text.data(), int(text.size()),
                              SQLITE_STATIC) != SQLITE_OK)
            fail();
    }
    step();
}
