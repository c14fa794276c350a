// The committed catalogues against the sources: lupdate runs over plexcon/ into a copy of each .ts file, and every
// text on any screen must be there, translated (English), with the source's placeholders and no Chinese left.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <vector>

#include "support/TestMain.h"
#include "translations/VisibleTexts.h"

namespace {

struct Message {
    QString context, source, comment, translation, type;
    QString key() const { return context + QChar(0) + source + QChar(0) + comment; }
    QString name() const { return QStringLiteral("%1 \"%2\"").arg(context, source); }
};

std::vector<Message> ReadCatalogue(const QString& path, QString* error) {
    std::vector<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read ") + path;
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    if (xml.readNextStartElement()) {  // <TS>
        while (xml.readNextStartElement()) {  // <context>
            if (xml.name() != QLatin1String("context")) {
                xml.skipCurrentElement();
                continue;
            }
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("name")) {
                    context = xml.readElementText();
                    continue;
                }
                if (xml.name() != QLatin1String("message")) {
                    xml.skipCurrentElement();
                    continue;
                }
                Message m{context, {}, {}, {}, {}};
                while (xml.readNextStartElement()) {
                    if (xml.name() == QLatin1String("source")) {
                        m.source = xml.readElementText();
                    } else if (xml.name() == QLatin1String("comment")) {
                        m.comment = xml.readElementText();
                    } else if (xml.name() == QLatin1String("translation")) {
                        m.type = xml.attributes().value(QLatin1String("type")).toString();
                        m.translation = xml.readElementText();
                    } else {
                        xml.skipCurrentElement();
                    }
                }
                messages.push_back(m);
            }
        }
    }
    if (xml.hasError()) *error = path + QStringLiteral(": ") + xml.errorString();
    return messages;
}

QStringList Placeholders(const QString& text) {
    static const QRegularExpression placeholder(QStringLiteral("%L?\\d+"));
    QStringList found;
    for (const auto& m : placeholder.globalMatch(text)) found << m.captured();
    found.sort();
    found.removeDuplicates();
    return found;
}

// The catalogue as lupdate leaves it after a run over the sources (a copy; the committed file stays as it is).
std::vector<Message> Updated(const QString& committed, const QTemporaryDir& dir, QString* error) {
    const QString copy = dir.filePath(QFileInfo(committed).fileName());
    QFile::remove(copy);
    if (!QFile::copy(committed, copy)) {
        *error = QStringLiteral("cannot copy ") + committed;
        return {};
    }
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    lupdate.start(QStringLiteral(PLEXCON_LUPDATE),
                  {QStringLiteral(PLEXCON_SOURCES), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-ts"), copy});
    if (!lupdate.waitForFinished(120000) || lupdate.exitStatus() != QProcess::NormalExit || lupdate.exitCode() != 0) {
        *error = QStringLiteral("lupdate failed: ") + QString::fromLocal8Bit(lupdate.readAllStandardError());
        return {};
    }
    return ReadCatalogue(copy, error);
}

// What lupdate found that the committed file lacks, and what the committed file holds that the sources lost.
QStringList SyncProblems(const std::vector<Message>& committed, const std::vector<Message>& updated) {
    QSet<QString> known;
    for (const Message& m : committed) known << m.key();
    QStringList problems;
    for (const Message& m : updated) {
        if (!known.contains(m.key())) problems << QStringLiteral("missing from the catalogue: ") + m.name();
        if (m.type == QLatin1String("vanished") || m.type == QLatin1String("obsolete"))
            problems << QStringLiteral("no longer in the sources: ") + m.name();
    }
    return problems;
}

// A committed catalogue and what lupdate makes of it; `error` says what could not be read or run.
struct Catalogue {
    std::vector<Message> committed, updated;
    QString error;
};
Catalogue Load(const char* file, const QTemporaryDir& dir) {
    Catalogue c;
    const QString path = QStringLiteral(PLEXCON_TRANSLATIONS "/") + QLatin1String(file);
    c.committed = ReadCatalogue(path, &c.error);
    c.updated = Updated(path, dir, &c.error);
    return c;
}

}  // namespace

class CatalogueTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void theEnglishCatalogueTranslatesEveryText() {
        const Catalogue c = Load("plexcon_en.ts", dir_);
        QVERIFY2(c.error.isEmpty(), qPrintable(c.error));
        QVERIFY(c.committed.size() > 500);
        QStringList problems = SyncProblems(c.committed, c.updated);
        for (const Message& m : c.committed) {
            if (m.type == QLatin1String("unfinished") || m.translation.isEmpty())
                problems << QStringLiteral("not translated: ") + m.name();
            if (Placeholders(m.translation) != Placeholders(m.source))
                problems << QStringLiteral("placeholders differ: %1 -> \"%2\"").arg(m.name(), m.translation);
            if (translationtest::HasChinese(m.translation))
                problems << QStringLiteral("Chinese in the English: %1 -> \"%2\"").arg(m.name(), m.translation);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // The source language's file lists the same texts (they stand untranslated: Chinese is the source).
    void theChineseCatalogueListsEveryText() {
        const Catalogue c = Load("plexcon_zh_CN.ts", dir_);
        QVERIFY2(c.error.isEmpty(), qPrintable(c.error));
        QVERIFY(c.committed.size() > 500);
        const QStringList problems = SyncProblems(c.committed, c.updated);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

REGISTER_TEST_CLASS(CatalogueTest);
#include "CatalogueTest.moc"
