// SPDX-License-Identifier: MIT
#include "shell/window/deliberate_click_filter.h"

#include <QAbstractButton>
#include <QEvent>

namespace orvendel {

DeliberateClickFilter::DeliberateClickFilter(QAbstractButton* button) : QObject(button) {
    button->setFocusPolicy(Qt::TabFocus);
    button->installEventFilter(this);
}

bool DeliberateClickFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            pressSeen_ = true;
            break;
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::MouseButtonRelease:
            if (!pressSeen_)
                return true;
            pressSeen_ = false;
            break;
        case QEvent::Hide:
            pressSeen_ = false;
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace orvendel
