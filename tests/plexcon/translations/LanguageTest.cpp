// The language choice: --lang, else the system's preferred UI languages; the catalogues it installs; the program's
// answer to a bad --lang.
#include <QCoreApplication>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "shell/Language.h"
#include "support/TestMain.h"

Q_DECLARE_METATYPE(Language)

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { InstallTranslators(Language::Chinese); }

    void langOption_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<Language>("language");
        QTest::newRow("en") << "en" << true << Language::English;
        QTest::newRow("zh") << "zh" << true << Language::Chinese;
        for (const char* bad : {"", "fr", "EN", "english", "zh_CN", " en"})
            QTest::newRow(bad) << bad << false << Language::Chinese;
    }
    void langOption() {
        QFETCH(QString, value);
        QFETCH(bool, valid);
        QFETCH(Language, language);
        const auto named = LanguageNamed(value);
        QCOMPARE(named.has_value(), valid);
        if (valid) QCOMPARE(*named, language);
    }

    // The lists are what Qt gives for LANG=C, LANG=de_DE.UTF-8, LANGUAGE=de:en and so on.
    void systemLanguages_data() {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<Language>("language");
        QTest::newRow("C") << QStringList{"C"} << Language::Chinese;
        QTest::newRow("none") << QStringList{} << Language::Chinese;
        QTest::newRow("de_DE") << QStringList{"de-DE", "de-Latn-DE", "de"} << Language::Chinese;
        QTest::newRow("en_US") << QStringList{"en-US", "en-Latn-US", "en"} << Language::English;
        QTest::newRow("en_GB") << QStringList{"en-GB"} << Language::English;
        QTest::newRow("zh_CN") << QStringList{"zh-CN", "zh-Hans-CN", "zh"} << Language::Chinese;
        QTest::newRow("zh_TW") << QStringList{"zh-TW"} << Language::Chinese;
        QTest::newRow("de then en") << QStringList{"de", "de-Latn-DE", "de-DE", "en", "en-Latn-US", "en-US"}
                                    << Language::English;
        QTest::newRow("fr then zh then en") << QStringList{"fr-FR", "zh-CN", "en-US"} << Language::Chinese;
        QTest::newRow("ja then en") << QStringList{"ja-JP", "en-US"} << Language::English;
    }
    void systemLanguages() {
        QFETCH(QStringList, uiLanguages);
        QFETCH(Language, language);
        QCOMPARE(LanguageFor(uiLanguages), language);
    }

    void theLocalesOwnListsChooseTheSame() {
        QCOMPARE(LanguageFor(QLocale::c().uiLanguages()), Language::Chinese);
        QCOMPARE(LanguageFor(QLocale(QStringLiteral("de_DE")).uiLanguages()), Language::Chinese);
        QCOMPARE(LanguageFor(QLocale(QStringLiteral("en_US")).uiLanguages()), Language::English);
        QCOMPARE(LanguageFor(QLocale(QStringLiteral("zh_CN")).uiLanguages()), Language::Chinese);
    }

    // The embedded catalogue loads; switching back leaves the Chinese source texts and Qt's Chinese.
    void translatorsFollowTheLanguage() {
        QVERIFY(InstallTranslators(Language::English));
        QCOMPARE(QCoreApplication::translate("CPanViewPcCom", "打开串口"), QStringLiteral("Open port"));
        QCOMPARE(QCoreApplication::translate("CPlexconCELDlg", "串口"), QStringLiteral("Serial port"));
        QVERIFY(InstallTranslators(Language::Chinese));
        QCOMPARE(QCoreApplication::translate("CPanViewPcCom", "打开串口"), QStringLiteral("打开串口"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
        QVERIFY(InstallTranslators(Language::English));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    }

    void theProgramRefusesABadLanguage_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("fr") << "fr" << 2;
        QTest::newRow("empty") << "" << 2;
        QTest::newRow("en") << "en" << 0;
        QTest::newRow("zh") << "zh" << 0;
    }
    void theProgramRefusesABadLanguage() {
        QFETCH(QString, value);
        QFETCH(int, exitCode);
        QTemporaryDir settings;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(PLEXCON_PROGRAM),
                      {QStringLiteral("--lang"), value, QStringLiteral("--quit-after-shown"),
                       QStringLiteral("--settings-dir"), settings.path()});
        QVERIFY(program.waitForFinished(30000));
        const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
        QCOMPARE(program.exitCode(), exitCode);
        QCOMPARE(errors.contains(QStringLiteral("--lang")), exitCode == 2);
        QVERIFY2(!errors.contains(QStringLiteral("did not load")), qPrintable(errors));
    }
};

REGISTER_TEST_CLASS(LanguageTest);
#include "LanguageTest.moc"
