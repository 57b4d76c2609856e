// SPDX-License-Identifier: MIT
#include "shell/window/location_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/layout.h"

namespace orvendel {

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The page frame has no text colour of its own; its labels are yellow on black.
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kCaptionText);
    palette.setColor(QPalette::Window, kWindowBackground);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

LocationPage::LocationPage(QWidget* parent)
    : QFrame(parent),
      greeting_(makeLabel(this, "Label12",
                          tr("Welcome to Orvendel Version H by the Orvendel developers.  "
                             "Please send any comments or suggestions to the "
                             "project's issue tracker."))),
      searchNote_(makeLabel(this, "SearchNote", QString())),
      locationRequest_(makeLabel(this, "Label16",
                                 tr("Please verify the location of your Neverwinter Nights "
                                    "installation.  If the location of NWMAIN.EXE listed "
                                    "below is incorrect, please use the Browse button to "
                                    "find it."))),
      pathEdit_(new QLineEdit(this)),
      browseButton_(makeButton(this, "BrowseButton", tr("Browse..."))),
      restoreButton_(makeButton(this, "RestoreButton", tr("Restore Original"))),
      continueHint_(makeLabel(this, "Label17", tr("Click Next to continue, or Cancel to quit"))),
      nextButton_(makeButton(this, "Next1", tr("Next >"))),
      cancelButton_(makeButton(this, "Command2", tr("Cancel"))) {
    setObjectName(QStringLiteral("NWMainLocationFrame"));
    setFrameShape(QFrame::NoFrame);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kWindowBackground);
    setPalette(palette);
    setAutoFillBackground(true);

    searchNote_->hide();
    pathEdit_->setObjectName(QStringLiteral("NWN"));
    pathEdit_->setAccessibleName(tr("Location of NWMAIN.EXE"));
    nextButton_->setEnabled(false);
    restoreButton_->setEnabled(false);
    restoreButton_->setToolTip(
        tr("Puts back the copy of NWMAIN.EXE kept before Orvendel first changed it"));
}

QString LocationPage::notFoundNote(const QString& places) {
    //: %1 lists the places searched.
    return tr("Orvendel looked for the game in %1, and did not find it.  "
              "Please use the Browse button to find NWMAIN.EXE.")
        .arg(places);
}

}  // namespace orvendel
