#include "shell/SettingsFile.h"

#include <QFile>
#include <QList>
#include <QSaveFile>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

// A line "[name]" opens a section; "key=value" holds a value. Names compare without regard to case, and spaces
// around names and values do not count.
std::optional<QString> SectionName(const QString& line) {
    QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(u'[')) return std::nullopt;
    qsizetype end = t.indexOf(u']');
    if (end < 0) return std::nullopt;
    return t.mid(1, end - 1).trimmed();
}

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Position of the key's line within the section, and where the section ends (the line after its last line).
struct Location {
    qsizetype section = -1;  // the section's header line
    qsizetype key = -1;
    qsizetype end = -1;
};

Location Find(const QStringList& lines, const QString& section, const QString& key) {
    Location loc;
    bool inside = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (auto name = SectionName(lines[i])) {
            if (inside) break;  // the first section of that name is the one that counts
            inside = SameName(*name, section.trimmed());
            if (inside) loc.section = i;
            continue;
        }
        if (!inside) continue;
        if (!lines[i].trimmed().isEmpty()) loc.end = i + 1;
        qsizetype eq = lines[i].indexOf(u'=');
        if (eq < 0 || lines[i].trimmed().startsWith(u';')) continue;
        if (loc.key < 0 && SameName(lines[i].left(eq).trimmed(), key.trimmed())) loc.key = i;
    }
    if (loc.section >= 0 && loc.end < 0) loc.end = loc.section + 1;
    return loc;
}

// The file's lines as bytes: lines the program does not change are written back exactly as they were read,
// whatever their encoding (a GBK comment or value from another system stays as it is). Only the text of a line is
// decoded, as UTF-8, to find names and take values.
struct Contents {
    bool readable = true;  // false: the file is there but cannot be read, so it must not be written either
    QList<QByteArray> lines;
    QByteArray newline = "\n";
    QStringList Texts() const {
        QStringList texts;
        texts.reserve(lines.size());
        for (const QByteArray& line : lines) texts << QString::fromUtf8(line);
        return texts;
    }
};

// Only a regular file of sane size is read: a FIFO would block the open for ever (the program's start-up with
// it), a device such as /dev/zero would be read until memory runs out. The open does not block, and the file is
// judged by what was opened.
std::optional<QByteArray> ReadSettingsBytes(const QString& path, bool& missing) {
    missing = false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        missing = errno == ENOENT;
        return std::nullopt;
    }
    struct stat st {};
    QFile f;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > SettingsFile::kMaxFileSize ||
        !f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray bytes = f.read(SettingsFile::kMaxFileSize + 1);
    if (f.error() != QFileDevice::NoError || bytes.size() > SettingsFile::kMaxFileSize) return std::nullopt;
    return bytes;
}

Contents Load(const QString& path) {
    Contents c;
    bool missing = false;
    const auto bytes = ReadSettingsBytes(path, missing);
    if (!bytes) {  // a missing file reads as a file with no keys
        c.readable = missing;
        return c;
    }
    QByteArray text = *bytes;
    if (text.contains("\r\n")) c.newline = "\r\n";
    text.replace("\r\n", "\n");
    c.lines = text.split('\n');
    if (!c.lines.isEmpty() && c.lines.back().isEmpty()) c.lines.removeLast();
    return c;
}

std::optional<QString> Value(const QString& path, const QString& section, const QString& key) {
    const QStringList lines = Load(path).Texts();
    Location loc = Find(lines, section, key);
    if (loc.key < 0) return std::nullopt;
    const QString& line = lines[loc.key];
    QString v = line.mid(line.indexOf(u'=') + 1).trimmed();
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front()) v = v.mid(1, v.size() - 2);
    return v;
}

}  // namespace

int SettingsFile::ReadInt(const QString& section, const QString& key) const {
    auto v = Value(path_, section, key);
    if (!v) return 0;
    qsizetype i = 0;
    bool negative = false;
    if (i < v->size() && (v->at(i) == u'-' || v->at(i) == u'+')) negative = v->at(i++) == u'-';
    long long n = 0;
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; i < v->size() && v->at(i).isDigit() && v->at(i).unicode() < 128; ++i)
        n = std::min(kLimit, n * 10 + (v->at(i).unicode() - u'0'));
    if (negative) n = -n;
    if (n > std::numeric_limits<int>::max()) n = std::numeric_limits<int>::max();
    return static_cast<int>(n);
}

QString SettingsFile::ReadText(const QString& section, const QString& key) const {
    auto v = Value(path_, section, key);
    if (!v) return kNoValue;
    return v->left(kMaxText);
}

bool SettingsFile::WriteInt(const QString& section, const QString& key, int value) const {
    return WriteText(section, key, QString::number(value));
}

bool SettingsFile::WriteText(const QString& section, const QString& key, const QString& text) const {
    // A line break in the value would start a line of its own (a key or a section) in the file.
    QString value = text;
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    Contents c = Load(path_);
    if (!c.readable) return false;  // written blind, it would keep only this key
    const QStringList texts = c.Texts();
    Location loc = Find(texts, section, key);
    if (loc.key >= 0) {  // the key keeps its spelling and place
        const QString& line = texts[loc.key];
        c.lines[loc.key] = (line.left(line.indexOf(u'=')).trimmed() + u'=' + value).toUtf8();
    } else if (loc.section >= 0) {
        c.lines.insert(loc.end, (key.trimmed() + u'=' + value).toUtf8());
    } else {
        c.lines << (u'[' + section.trimmed() + u']').toUtf8() << (key.trimmed() + u'=' + value).toUtf8();
    }
    QSaveFile f(path_);
    f.setDirectWriteFallback(true);  // a writable file in a read-only folder is still written
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(c.lines.join(c.newline) + c.newline);
    return f.commit();
}
