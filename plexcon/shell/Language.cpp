#include "shell/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

const QString kTranslatorName = QStringLiteral("plexconTranslator");

bool Install(const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    translator->setObjectName(kTranslatorName);
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator)) return true;
    delete translator;
    return false;
}

}  // namespace

std::optional<Language> LanguageNamed(const QString& value) {
    if (value == QLatin1String("zh")) return Language::Chinese;
    if (value == QLatin1String("en")) return Language::English;
    return std::nullopt;
}

Language LanguageFor(const QStringList& uiLanguages) {
    for (const QString& name : uiLanguages) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::English) return Language::English;
        if (language == QLocale::Chinese) return Language::Chinese;
    }
    return Language::Chinese;
}

bool InstallTranslators(Language language) {
    // A second call replaces what the first one installed.
    QCoreApplication* app = QCoreApplication::instance();
    for (auto* old : app->findChildren<QTranslator*>(kTranslatorName, Qt::FindDirectChildrenOnly)) delete old;
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // Plexcon's own texts are Chinese already; Qt's Chinese comes with qt6-translations-l10n when it is installed.
    if (language == Language::Chinese) {
        Install(QStringLiteral("qtbase_zh_CN"), qtFolder);
        return true;
    }
    // Qt's own texts are English already (Debian's qtbase_en is empty); Plexcon's are Chinese.
    Install(QStringLiteral("qtbase_en"), qtFolder);
    return Install(QStringLiteral("plexcon_en"), QStringLiteral(":/i18n"));
}
