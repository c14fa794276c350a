// The program's settings file: a profile (INI) file read and written key by key. Every operation opens, reads or
// writes, and closes the file; nothing is cached, so callers build one whenever they need it.
#pragma once

#include <QString>

#include <utility>

class SettingsFile {
public:
    // What ReadText gives for a key that is not there.
    static inline const QString kNoValue = QStringLiteral("无初始值");
    // Longest text ReadText gives; longer values are cut.
    static constexpr int kMaxText = 259;
    // Largest file read; a bigger one is no settings file and is neither read nor written.
    static constexpr qint64 kMaxFileSize = 1 << 20;

    explicit SettingsFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // The key's value as a signed decimal number (leading digits count); 0 when absent or not a number.
    int ReadInt(const QString& section, const QString& key) const;
    // The key's value, or kNoValue when absent.
    QString ReadText(const QString& section, const QString& key) const;
    // Store the value, creating the file, the section or the key as needed; false when the file cannot be written.
    bool WriteInt(const QString& section, const QString& key, int value) const;
    bool WriteText(const QString& section, const QString& key, const QString& text) const;

private:
    QString path_;
};
