// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

class QTextLayout;

namespace orvendel {

// A label for plain text that wraps at word boundaries and, where a word is longer than the
// line, anywhere inside it, so that a long path without spaces shows whole. heightForWidth()
// gives the height that the whole text needs.
class WrappingLabel : public QLabel {
public:
    explicit WrappingLabel(const QString& text, QWidget* parent = nullptr);

    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Breaks the text into lines no wider than `width` and returns their total height.
    qreal layOut(QTextLayout& layout, qreal width) const;
};

}  // namespace orvendel
