#include "tools/CTestLedLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdlib>
#include <ctime>

namespace {

QString LocalTime(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64] = {};
    std::strftime(text, sizeof text, format, &local);
    return QString::fromLocal8Bit(text);
}

}  // namespace

QString TestLogFolder(const QString& executableFolder) {
    QString folder;
    if (const char* named = std::getenv("PLEXCON_LOG_DIR"); named && *named) {
        folder = QString::fromLocal8Bit(named);
    } else if (QFileInfo exe(executableFolder); exe.isDir() && exe.isWritable()) {
        folder = executableFolder + QStringLiteral("/log");
    } else {
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Plexcon/log");
    }
    QDir().mkpath(folder);
    return QDir::cleanPath(folder);
}

void CTestLedLog::startIn(const QString& folder) {
    std::lock_guard<std::mutex> lock(mutex_);
    QDir().mkpath(folder);
    path_ = folder + QStringLiteral("/testlog_%1.txt").arg(LocalTime("%Y%m%d_%H%M"));
}

void CTestLedLog::append(const QString& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    file.write((LocalTime("%Y%m%d %X") + QStringLiteral(":   ") + text).toLocal8Bit());
}
