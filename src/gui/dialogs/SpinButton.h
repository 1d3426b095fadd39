#pragma once

#include <QWidget>

class QToolButton;

namespace veskar {

/// A pair of small up and down arrow buttons without a value of their own; the form that owns
/// it decides what a step means. Holding a button repeats the step.
class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent = nullptr);

    QToolButton* UpButton = nullptr;
    QToolButton* DownButton = nullptr;

signals:
    void UpClick();
    void DownClick();
};

} // namespace veskar
