// Reading and writing the language file: name matching, trimming, defaults,
// in-place rewrites that leave the rest of the file alone, and refused writes.
#include "WorkingDirectory.h"
#include "lang/LangFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestLangFile : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WorkingDirectory> m_dir;

    QString languagePath() const { return m_dir->filePath(LangFile::FileName); }

private Q_SLOTS:
    void init() { m_dir = std::make_unique<WorkingDirectory>(); }
    void cleanup() { m_dir.reset(); }

    void read_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        const QByteArray english = "[Setting]\r\nLanguage=German\r\n\r\n"
                                   "[English]\r\nForm1_btnSend=Send\r\nForm1_btnExit=Exit\r\n";
        // clang-format off
        QTest::newRow("exact") << english << u"English"_s << u"Form1_btnExit"_s << u"Exit"_s;
        QTest::newRow("section case") << english << u"ENGLISH"_s << u"Form1_btnSend"_s << u"Send"_s;
        QTest::newRow("key case") << english << u"English"_s << u"form1_BTNSEND"_s << u"Send"_s;
        QTest::newRow("key only in another section") << english << u"Setting"_s << u"Form1_btnSend"_s << u"default"_s;
        QTest::newRow("missing key") << english << u"English"_s << u"Form1_btnQuery"_s << u"default"_s;
        QTest::newRow("missing section") << english << u"German"_s << u"Form1_btnSend"_s << u"default"_s;
        QTest::newRow("value with trailing tab") << QByteArray("[English]\r\nForm1_btnSend=Send\t\r\n") << u"English"_s << u"Form1_btnSend"_s << u"Send"_s;
        QTest::newRow("value padded with blanks and tab") << QByteArray("[English]\r\nForm1_btnQuery=  Query\t\r\n") << u"English"_s << u"Form1_btnQuery"_s << u"Query"_s;
        QTest::newRow("key and header padded") << QByteArray("\t[English]  \r\n \tForm1_btnQuery \t= Query\r\n") << u"English"_s << u"Form1_btnQuery"_s << u"Query"_s;
        QTest::newRow("eight blanks are empty") << QByteArray("[English]\r\nForm1_btnSend=        \r\n") << u"English"_s << u"Form1_btnSend"_s << QString();
        QTest::newRow("empty value is not the default") << QByteArray("[English]\r\nForm1_btnSend=\r\n") << u"English"_s << u"Form1_btnSend"_s << QString();
        QTest::newRow("equals sign inside the value") << QByteArray("[English]\r\nMsg01=a=b\r\n") << u"English"_s << u"Msg01"_s << u"a=b"_s;
        QTest::newRow("first of two equal keys") << QByteArray("[English]\r\nMsg01=one\r\nmsg01=two\r\n") << u"English"_s << u"Msg01"_s << u"one"_s;
        QTest::newRow("entry before any section ignored") << QByteArray("Msg01=stray\r\n[English]\r\n") << u"English"_s << u"Msg01"_s << u"default"_s;
        QTest::newRow("comment ignored") << QByteArray("[English]\r\n;Msg01=commented\r\n") << u"English"_s << u"Msg01"_s << u"default"_s;
        QTest::newRow("bare LF line ends") << QByteArray("[Setting]\nLanguage=Dutch\n[English]\nMsg01=lf\n") << u"english"_s << u"Msg01"_s << u"lf"_s;
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[German]\r\nForm1_btnSend=Senden\r\n") << u"German"_s << u"Form1_btnSend"_s << u"Senden"_s;
        QTest::newRow("UTF-8 text") << QByteArray("[German]\r\nForm1_GroupBox1=Empf\xC3\xA4nger\r\n") << u"German"_s << u"Form1_GroupBox1"_s << u"Empf\u00e4nger"_s;
        QTest::newRow("no line end at the end") << QByteArray("[English]\r\nMsg15=Unknow error.") << u"English"_s << u"Msg15"_s << u"Unknow error."_s;
        // clang-format on
    }

    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        m_dir->write(LangFile::FileName, content);
        const LangFile file(languagePath());
        QCOMPARE(file.ReadLangValue(section, key, u"default"_s), expected);
        QCOMPARE(file.ReadLangText(section, key, u"default"_s), expected);
    }

    void readCutsLongValues_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        const QString full(2047, u'x');
        // A character of two UTF-16 units straddling the limit is dropped whole.
        const QString straddling = QString(2046, u'z') + u"\U0001F4DF"_s + u"tail"_s;
        // clang-format off
        QTest::newRow("exactly 2047") << full << full;
        QTest::newRow("3000 cut to 2047") << QString(3000, u'y') << QString(2047, u'y');
        QTest::newRow("no half character") << straddling << QString(2046, u'z');
        // clang-format on
    }

    void readCutsLongValues()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        m_dir->write(LangFile::FileName, "[English]\r\nMsg01=" + stored.toUtf8() + "\r\n");
        QCOMPARE(LangFile(languagePath()).ReadLangValue(u"English"_s, u"Msg01"_s, {}), expected);
    }

    void missingFileGivesDefaultAndFirstWriteCreatesIt()
    {
        const LangFile file(languagePath());
        QCOMPARE(file.ReadLangValue(u"Setting"_s, u"Language"_s, u"English"_s), u"English"_s);
        file.WriteLangValue(u"Setting"_s, u"Language"_s, u"Italian"_s);
        QCOMPARE(fileBytes(languagePath()), QByteArray("[Setting]\r\nLanguage=Italian\r\n"));
        QCOMPARE(file.ReadLangValue(u"Setting"_s, u"Language"_s, u"English"_s), u"Italian"_s);
    }

    void readsTheFileAsItIsNow()
    {
        const LangFile file(languagePath());
        m_dir->write(LangFile::FileName, "[English]\r\nMsg01=before\r\n");
        QCOMPARE(file.ReadLangValue(u"English"_s, u"Msg01"_s, {}), u"before"_s);
        m_dir->write(LangFile::FileName, "[English]\r\nMsg01=after\r\n");
        QCOMPARE(file.ReadLangValue(u"English"_s, u"Msg01"_s, {}), u"after"_s);
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        const QByteArray file = "[Setting]\r\nLanguage=English\r\n\r\n"
                                "[English]\r\n; texts\r\nMsg01=one \t\r\n  Msg02 = two\r\n\r\n\r\n"
                                "[German]\r\nMsg01=eins\r\n";
        // clang-format off
        QTest::newRow("replace in place") << file << u"english"_s << u"MSG02"_s << u"zwei"_s << QByteArray("[Setting]\r\nLanguage=English\r\n\r\n" "[English]\r\n; texts\r\nMsg01=one \t\r\n  Msg02 =zwei\r\n\r\n\r\n" "[German]\r\nMsg01=eins\r\n");
        QTest::newRow("new key at the end of its section") << file << u"English"_s << u"Msg03"_s << u"three"_s << QByteArray("[Setting]\r\nLanguage=English\r\n\r\n" "[English]\r\n; texts\r\nMsg01=one \t\r\n  Msg02 = two\r\nMsg03=three\r\n" "\r\n\r\n[German]\r\nMsg01=eins\r\n");
        QTest::newRow("new key in a section without entries") << QByteArray("[English]\r\n; none yet\r\n[German]\r\nMsg01=eins\r\n") << u"English"_s << u"Msg01"_s << u"one"_s << QByteArray("[English]\r\nMsg01=one\r\n; none yet\r\n[German]\r\nMsg01=eins\r\n");
        QTest::newRow("new section at the end") << file << u"Dutch"_s << u"Msg01"_s << u"een"_s << file + "[Dutch]\r\nMsg01=een\r\n";
        QTest::newRow("new section after an unterminated last line") << QByteArray("[German]\r\nMsg01=eins") << u"Dutch"_s << u"Msg01"_s << u"een"_s << QByteArray("[German]\r\nMsg01=eins\r\n[Dutch]\r\nMsg01=een\r\n");
        QTest::newRow("only the first of two equal keys") << QByteArray("[English]\r\nMsg01=a\r\nMsg01=b\r\n") << u"English"_s << u"Msg01"_s << u"c"_s << QByteArray("[English]\r\nMsg01=c\r\nMsg01=b\r\n");
        QTest::newRow("empty value written") << QByteArray("[English]\r\nMsg01=a\r\n") << u"English"_s << u"Msg01"_s << QString() << QByteArray("[English]\r\nMsg01=\r\n");
        QTest::newRow("LF file stays LF") << QByteArray("[Setting]\nLanguage=German\n[English]\nMsg01=a\n") << u"English"_s << u"Msg02"_s << u"b"_s << QByteArray("[Setting]\nLanguage=German\n[English]\nMsg01=a\nMsg02=b\n");
        QTest::newRow("byte order mark kept") << QByteArray("\xEF\xBB\xBF[Setting]\r\nLanguage=German\r\n") << u"Setting"_s << u"Language"_s << u"Dutch"_s << QByteArray("\xEF\xBB\xBF[Setting]\r\nLanguage=Dutch\r\n");
        QTest::newRow("line break in a value stays on one line") << QByteArray("[English]\r\n") << u"English"_s << u"Msg09"_s << u"fit \ninto\r\nhere\rnow"_s << QByteArray("[English]\r\nMsg09=fit  into here now\r\n");
        QTest::newRow("UTF-8 value") << QByteArray("[German]\r\n") << u"German"_s << u"Form1_btnExit"_s << u"Schlie\u00dfen"_s << QByteArray("[German]\r\nForm1_btnExit=Schlie\xC3\x9F" "en\r\n");
        // clang-format on
    }

    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        m_dir->write(LangFile::FileName, before);
        const LangFile file(languagePath());
        file.WriteLangValue(section, key, value);
        QCOMPARE(fileBytes(languagePath()), after);
    }

    void writtenValueReadsBack()
    {
        const LangFile file(languagePath());
        m_dir->write(LangFile::FileName, "[English]\r\nForm1_btnSend=Send\r\n");
        file.WriteLangValue(u"English"_s, u"Form1_btnSend"_s, u"Send\t"_s);
        QCOMPARE(file.ReadLangValue(u"English"_s, u"Form1_btnSend"_s, {}), u"Send"_s);
        file.WriteLangValue(u"English"_s, u"Form1_btnSend"_s, u"        "_s);
        QCOMPARE(file.ReadLangValue(u"English"_s, u"Form1_btnSend"_s, u"x"_s), QString());
    }

    // Found by fuzzing: what was read before a write of another key reads the same after it.
    void writesKeepEveryOtherEntry_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("key");
        // clang-format off
        QTest::newRow("last line ends in a bare CR")   << QByteArray("[English]\r\nMsg01=v\r")                 << u"Msg02"_s;
        QTest::newRow("key begins with U+FEFF")        << QByteArray("[English]\r\n\xEF\xBB\xBFMsg01=v\r\n") << u"\uFEFFMsg03"_s;
        QTest::newRow("two CRs end an LF file")        << QByteArray("[English]\nMsg01=v\r\r")                 << u"Msg02"_s;
        QTest::newRow("bare CR inside a line")         << QByteArray("[English]\r\nMsg01=a\rb\r\n")          << u"Msg02"_s;
        // clang-format on
    }
    void writesKeepEveryOtherEntry()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, key);
        m_dir->write(LangFile::FileName, content);
        const LangFile file(languagePath());
        const QList<LangFile::Entry> before = file.entries();
        file.WriteLangValue(u"English"_s, key, u"new"_s);
        QList<LangFile::Entry> after = file.entries();
        QCOMPARE(after.size(), before.size() + 1);
        QCOMPARE(after.takeLast(), (LangFile::Entry{u"English"_s, key, u"new"_s}));
        QCOMPARE(after, before);
        QCOMPARE(file.ReadLangValue(u"English"_s, key, {}), u"new"_s);
    }

    void entriesAsReadingSeesThem()
    {
        m_dir->write(LangFile::FileName, "Stray=1\r\n[English]\r\nA=1\r\na=2\r\n[german]\r\nA=3\r\n"
                                         "[ENGLISH]\r\nB=4\r\n");
        const QList<LangFile::Entry> expected{{u"English"_s, u"A"_s, u"1"_s},
                                              {u"german"_s, u"A"_s, u"3"_s}};
        QCOMPARE(LangFile(languagePath()).entries(), expected);
    }

    void unwritable_data()
    {
        QTest::addColumn<QString>("place");
        // clang-format off
        QTest::newRow("missing folder") << u"missing folder"_s;
        QTest::newRow("folder is a file") << u"folder is a file"_s;
        QTest::newRow("read-only file") << u"read-only file"_s;
        // clang-format on
    }

    void unwritable()
    {
        QFETCH(QString, place);
        const QByteArray content = "[Setting]\r\nLanguage=English\r\n";
        QString path;
        if (place == u"missing folder") {
            path = m_dir->filePath(u"gone/Language.ini"_s);
        } else if (place == u"folder is a file") {
            m_dir->write(u"plain"_s, content);
            path = m_dir->filePath(u"plain/Language.ini"_s);
        } else {
            path = languagePath();
            m_dir->write(LangFile::FileName, content);
            QVERIFY(QFile::setPermissions(path,
                                          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
            // Root may write anything; the file's protection only holds where
            // the access rights say so.
            if (QFileInfo(path).isWritable())
                QSKIP("the access rights allow writing a read-only file here");
        }

        const LangFile file(path);
        try {
            file.WriteLangValue(u"Setting"_s, u"Language"_s, u"German"_s);
            QFAIL("the write was not refused");
        } catch (const LangFileError &error) {
            QCOMPARE(error.text(), u"Unable to write to "_s + path);
        }
        QCOMPARE(file.ReadLangValue(u"Setting"_s, u"Language"_s, u"none"_s),
                 place == u"read-only file" ? u"English"_s : u"none"_s);
        QVERIFY(QDir(m_dir->path()).entryList({u"*.ini.*"_s}, QDir::Files).isEmpty());
    }

    void unstorableNamesRefused_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        // clang-format off
        QTest::newRow("key with equals sign") << u"English"_s << u"a=b"_s;
        QTest::newRow("key with line break") << u"English"_s << u"a\r\nb=c"_s;
        QTest::newRow("key like a comment") << u"English"_s << u";a"_s;
        QTest::newRow("key like a header") << u"English"_s << u"[German]"_s;
        QTest::newRow("empty key") << u"English"_s << u" \t"_s;
        QTest::newRow("section with bracket") << u"Eng]lish"_s << u"a"_s;
        QTest::newRow("section with line break") << u"English\n[German"_s << u"a"_s;
        // clang-format on
    }

    void unstorableNamesRefused()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        const QByteArray content = "[English]\r\nMsg01=one\r\n";
        m_dir->write(LangFile::FileName, content);
        QVERIFY_THROWS_EXCEPTION(LangFileError,
                                 LangFile(languagePath()).WriteLangValue(section, key, u"x"_s));
        QCOMPARE(fileBytes(languagePath()), content);
    }
};

QTEST_GUILESS_MAIN(TestLangFile)
#include "test_lang_file.moc"
