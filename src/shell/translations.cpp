// SPDX-License-Identifier: MIT
#include "shell/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace orvendel {

namespace {

// Where the built-in translations lie: orvendel_<code>.qm and, where the build found them,
// Qt's own qtbase_<code>.qm.
const QString kFolder = QStringLiteral(":/i18n");
const QString kOwnPrefix = QStringLiteral("orvendel_");

// The language part of a tag: "de" of "de-DE" and "de_AT", lower case.
QString languageOf(const QString& tag) {
    return tag.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
}

// Loads `file` into a new translator, installs it and adds it to `installed`; false when the
// file cannot be read.
bool installFile(const QString& file, std::vector<std::unique_ptr<QTranslator>>& installed) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file)) {
        return false;
    }
    QCoreApplication::installTranslator(translator.get());
    installed.push_back(std::move(translator));
    return true;
}

}  // namespace

QStringList translatedLanguages() {
    QStringList codes;
    const QStringList files =
        QDir(kFolder).entryList({kOwnPrefix + QStringLiteral("*.qm")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        codes << file.mid(kOwnPrefix.size()).chopped(3);
    }
    return codes;
}

QString chooseLanguage(const QStringList& uiLanguages, const QStringList& available) {
    for (const QString& tag : uiLanguages) {
        const QString language = languageOf(tag);
        if (language == QLatin1String("en") || available.contains(language)) {
            return language;
        }
    }
    return QStringLiteral("en");
}

std::vector<std::unique_ptr<QTranslator>> installTranslations(const QString& language) {
    std::vector<std::unique_ptr<QTranslator>> installed;
    if (language == QLatin1String("en")) {
        return installed;
    }
    installFile(kFolder + QLatin1Char('/') + kOwnPrefix + language + QStringLiteral(".qm"),
                installed);
    const QString qtFile = QStringLiteral("qtbase_") + language + QStringLiteral(".qm");
    if (!installFile(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QLatin1Char('/') + qtFile,
                     installed)) {
        installFile(kFolder + QLatin1Char('/') + qtFile, installed);
    }
    return installed;
}

}  // namespace orvendel
