// SPDX-License-Identifier: MIT
#include "shell/window/qt_file_dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace orvendel {

namespace {

// The executable is listed whatever the case of its name: Wine prefixes hold nwmain.exe in
// lower case, Windows installs often in upper case.
const QString kExecutableFilter =
    QStringLiteral("nwmain.exe ([Nn][Ww][Mm][Aa][Ii][Nn].[Ee][Xx][Ee])");

// The filter of settings files, in the user's language.
QString settingsFilter() {
    return QCoreApplication::translate("orvendel::QtFileDialogs", "Settings Files (*.chs)");
}

// The title of both settings file dialogs, in the user's language.
QString settingsTitle() {
    return QCoreApplication::translate("orvendel::QtFileDialogs", "Settings File");
}

// Runs `dialog` and returns its one chosen file, or nothing when cancelled.
std::optional<QString> chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> QtFileDialogs::openExecutable(QWidget* parent, const QString& current) {
    QFileDialog dialog(
        parent, QCoreApplication::translate("orvendel::QtFileDialogs", "Location of NWMAIN.EXE"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(kExecutableFilter);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::ReadOnly);
    const QFileInfo info(current);
    if (current.isEmpty()) {
        dialog.selectFile(QStringLiteral("nwmain.exe"));
    } else {
        if (info.absoluteDir().exists())
            dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName().isEmpty() ? QStringLiteral("nwmain.exe")
                                                    : info.fileName());
    }
    return chosenFile(dialog);
}

std::optional<QString> QtFileDialogs::openSettings(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, settingsTitle(), folder, settingsFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name of a missing file is accepted; loading it then reports that it cannot open it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("chs"));
    return chosenFile(dialog);
}

std::optional<QString> QtFileDialogs::saveSettings(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, settingsTitle(), folder, settingsFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("chs"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return chosenFile(dialog);
}

}  // namespace orvendel
