#pragma once

#include <QPushButton>
#include <QString>

namespace veskar {

/// A named push button with its hint. It never becomes a dialog's default button, so Enter in a
/// dialog's edit boxes does not press it by accident.
inline QPushButton* MakeHintButton(const QString& name, const QString& caption, const QString& hint,
                                   QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

} // namespace veskar
