// The language of the screens: Chinese (the source text) or English, chosen by --lang or the system's UI languages.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

enum class Language { Chinese, English };

// The language a --lang value names ("zh", "en"); nothing for any other value.
std::optional<Language> LanguageNamed(const QString& value);
// The first of the preferred UI languages (QLocale::uiLanguages(), "de-DE", "en-US", ...) that Plexcon speaks;
// Chinese when it speaks none of them.
Language LanguageFor(const QStringList& uiLanguages);
// Installs Plexcon's catalogue and Qt's own for the language into the application, in place of any installed
// before; false when Plexcon's English catalogue did not load. Qt's own catalogues are optional (Chinese ones come
// with qt6-translations-l10n).
bool InstallTranslators(Language language);
