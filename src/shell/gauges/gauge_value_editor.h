// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>

namespace orvendel {

// The small line editor a gauge opens over a marker to take a typed value. Numbers are read in
// the C locale ("12.5", "-0.4", "1e2"); the gauge's suffix may be typed after them. Enter offers
// a valid number through valueEntered() and keeps the editor open on anything else; Escape and
// leaving the editor raise cancelled(). The gauge closes the editor in both cases.
class GaugeValueEditor : public QLineEdit {
    Q_OBJECT
public:
    GaugeValueEditor(const QString& suffix, QWidget* parent);

    // The finite number `text` stands for in the C locale, ignoring blanks and a trailing
    // `suffix`; false when there is none.
    static bool parse(QString text, const QString& suffix, double& value);

signals:
    void valueEntered(double value);
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString suffix_;
    bool finished_ = false;
};

}  // namespace orvendel
