#include "tools/CTestLedLog.h"

#include <QDir>
#include <QFile>

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
