// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace orvendel {

// The small line editor a gauge opens over a marker to take a typed value. Numbers are read in
// the C locale ("12.5", "-0.4", "1e2"); the gauge's suffix may be typed after them. Enter offers
// a valid number through valueEntered(); on anything else the editor stays open and says why
// beside it, with the range the number must be in (the gauge limits it to that range), until the
// text changes. Escape and leaving the editor raise cancelled(). The gauge closes the editor in
// both cases.
class GaugeValueEditor : public QLineEdit {
    Q_OBJECT
public:
    GaugeValueEditor(const QString& suffix, double minimum, double maximum, QWidget* parent);

    // The finite number `text` stands for in the C locale, ignoring blanks and a trailing
    // `suffix`; false when there is none.
    static bool parse(QString text, const QString& suffix, double& value);

    // The note beside the editor on why the text was refused, or null while there is none.
    QLabel* refusalNote() const { return note_; }

signals:
    void valueEntered(double value);
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Shows `text` just below the editor, or above it where the screen ends.
    void showRefusal(const QString& text);
    void hideRefusal();

    QString suffix_;
    double minimum_;
    double maximum_;
    bool finished_ = false;
    QPointer<QLabel> note_;
};

}  // namespace orvendel
