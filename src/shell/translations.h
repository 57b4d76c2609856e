// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>
#include <memory>
#include <vector>

namespace orvendel {

// The languages the window speaks besides English, from the translations built into the program
// (codes such as "de"), sorted.
QStringList translatedLanguages();

// The language of the window: the first of `uiLanguages` (in the system's order, tags such as
// "de-DE" or "fr_CA") whose language is English or one of `available`; English when none is.
QString chooseLanguage(const QStringList& uiLanguages, const QStringList& available);

// Installs the window's translation for `language` and Qt's own (its dialogs and buttons), taken
// from the system where it has them, else from the program; nothing for English. They stay in
// use while the returned translators live.
std::vector<std::unique_ptr<QTranslator>> installTranslations(const QString& language);

}  // namespace orvendel
