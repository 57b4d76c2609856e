// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QAbstractButton;

namespace orvendel {

// Lets a button act on the mouse only for a press and a release that both reach it while it
// is shown. The second press of a double click (QEvent::MouseButtonDblClick, which a button
// otherwise takes as a press) is dropped: its first press either went to another control that
// the button's page has replaced at the same place, or has already clicked the button. A
// release without a press that the button saw since it was last shown is dropped too. The
// mouse does not focus the button either (Tab does), since Qt focuses a button even for a
// click that the filter drops, and Space would then click it. Keys are left alone, so Space on
// the focused button still clicks it.
class DeliberateClickFilter : public QObject {
    Q_OBJECT
public:
    // Watches `button`, takes its click focus and is owned by it.
    explicit DeliberateClickFilter(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool pressSeen_ = false;
};

}  // namespace orvendel
