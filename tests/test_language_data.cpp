// The shipped language file and its pristine copy: same keys in every
// language, a gap-free editor list of exactly those keys, no empty text.
#include "lang/LangFile.h"

#include <QFile>
#include <QList>
#include <QSet>
#include <QStringDecoder>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList Languages = {u"English"_s, u"German"_s, u"Dutch"_s, u"Italian"_s};

QString dataPath(const QString &name)
{
    return QStringLiteral(QUORVEL_DATA_DIR "/") + name;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The sections of the file in their order, each with its keys in their order;
// only what this test needs, the reading rules themselves are LangFile's.
struct Section {
    QString name;
    QStringList keys;
};

QList<Section> listSections(const QByteArray &bytes)
{
    QList<Section> sections;
    const QString text = QString::fromUtf8(bytes);
    for (const QString &line : text.split(u"\r\n"_s)) {
        if (line.startsWith(u'['))
            sections.append({line.mid(1, line.indexOf(u']') - 1), {}});
        else if (line.contains(u'=') && !sections.isEmpty())
            sections.last().keys.append(line.section(u'=', 0, 0).trimmed());
    }
    return sections;
}

const Section *findSection(const QList<Section> &sections, const QString &name)
{
    for (const Section &section : sections) {
        if (section.name == name)
            return &section;
    }
    return nullptr;
}

} // namespace

class TestLanguageData : public QObject {
    Q_OBJECT

private:
    QByteArray m_bytes;
    QList<Section> m_sections;
    QStringList m_englishKeys;

private Q_SLOTS:
    void initTestCase()
    {
        m_bytes = fileBytes(dataPath(LangFile::FileName));
        QVERIFY(!m_bytes.isEmpty());
        m_sections = listSections(m_bytes);
        const Section *english = findSection(m_sections, u"English"_s);
        QVERIFY(english);
        m_englishKeys = english->keys;
    }

    void defaultCopyIsIdentical() { QCOMPARE(fileBytes(dataPath(u"DefLang.dat"_s)), m_bytes); }

    void utf8WithCrLfLineEnds()
    {
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder(m_bytes);
        QVERIFY(!decoder.hasError());
        QVERIFY(!text.isEmpty());
        QVERIFY(m_bytes.endsWith("\r\n"));
        QCOMPARE(m_bytes.count('\n'), m_bytes.count("\r\n"));
        QCOMPARE(m_bytes.count('\r'), m_bytes.count("\r\n"));
    }

    void sectionsOnceEach()
    {
        QStringList names;
        for (const Section &section : m_sections)
            names.append(section.name.toLower());
        QCOMPARE(names.first(), u"setting"_s);
        QCOMPARE(QSet<QString>(names.cbegin(), names.cend()).size(), names.size());
    }

    void languageIsEnglish()
    {
        const LangFile file(dataPath(LangFile::FileName));
        QCOMPARE(file.ReadLangValue(u"Setting"_s, u"Language"_s, {}), u"English"_s);
    }

    void sameKeysInEveryLanguage_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &language : Languages)
            QTest::newRow(qPrintable(language)) << language;
    }

    void sameKeysInEveryLanguage()
    {
        QFETCH(QString, language);
        const Section *section = findSection(m_sections, language);
        QVERIFY(section);
        QSet<QString> keys;
        for (const QString &key : section->keys)
            keys.insert(key.toLower());
        QCOMPARE(keys.size(), section->keys.size());
        QSet<QString> englishKeys;
        for (const QString &key : m_englishKeys)
            englishKeys.insert(key.toLower());
        QCOMPARE(keys, englishKeys);
    }

    void commandListsEveryKeyWithoutGaps()
    {
        const LangFile file(dataPath(LangFile::FileName));
        QStringList listed;
        for (int n = 1;; ++n) {
            const QString key = file.ReadLangValue(u"Command"_s, u"cmd"_s + QString::number(n), {});
            if (key.isEmpty())
                break;
            listed.append(key);
        }
        // Every entry of the section is one of cmd1..cmdN: nothing after a gap.
        const Section *command = findSection(m_sections, u"Command"_s);
        QVERIFY(command);
        QCOMPARE(command->keys.size(), listed.size());
        QCOMPARE(QSet<QString>(listed.cbegin(), listed.cend()).size(), listed.size());
        QCOMPARE(QSet<QString>(listed.cbegin(), listed.cend()),
                 QSet<QString>(m_englishKeys.cbegin(), m_englishKeys.cend()));
    }

    void noEmptyText_data() { sameKeysInEveryLanguage_data(); }

    void noEmptyText()
    {
        QFETCH(QString, language);
        const LangFile file(dataPath(LangFile::FileName));
        for (const QString &key : std::as_const(m_englishKeys)) {
            const QString text = file.ReadLangValue(language, key, {});
            QVERIFY2(!text.isEmpty(), qPrintable(language + u'/' + key));
        }
    }
};

QTEST_GUILESS_MAIN(TestLanguageData)
#include "test_language_data.moc"
