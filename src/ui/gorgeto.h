#pragma once

#include <QScrollBar>

// A horizontal scroll bar with the keys of a standard one: Right and Left step by the
// small change, Page Down and Page Up by the large change, Home and End go to the ends.
class Görgető : public QScrollBar {
public:
    explicit Görgető(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // At 9 pixels high the style leaves the arrow buttons blank: draw their arrows.
    void paintEvent(QPaintEvent* event) override;
};
