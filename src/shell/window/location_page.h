// SPDX-License-Identifier: MIT
#pragma once

#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvendel {

// The first page of the main window: the greeting, the box with the game's path beside
// "Browse..." and "Restore Original", the note on where the game was looked for when it was
// not found, and the "Next >" and "Cancel" buttons. It holds no logic
// of its own; the main window wires its controls.
class LocationPage : public QFrame {
    Q_OBJECT
public:
    explicit LocationPage(QWidget* parent = nullptr);

    QLineEdit* pathEdit() const { return pathEdit_; }
    QPushButton* browseButton() const { return browseButton_; }
    QPushButton* restoreButton() const { return restoreButton_; }
    QPushButton* nextButton() const { return nextButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    // Says where the game was looked for when it was not found; hidden otherwise.
    QLabel* searchNote() const { return searchNote_; }
    // The note for a search that did not find the game in `places`, in the user's language.
    static QString notFoundNote(const QString& places);

private:
    QLabel* greeting_;
    QLabel* searchNote_;
    QLabel* locationRequest_;
    QLineEdit* pathEdit_;
    QPushButton* browseButton_;
    QPushButton* restoreButton_;
    QLabel* continueHint_;
    QPushButton* nextButton_;
    QPushButton* cancelButton_;
};

}  // namespace orvendel
