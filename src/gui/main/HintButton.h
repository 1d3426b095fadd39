#pragma once

#include <initializer_list>

#include <QHBoxLayout>
#include <QLineEdit>
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

/// A hidden row panel without margins, for a name editor or a button row that opens on demand.
inline QWidget* MakeRowPanel(const QString& name, QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    panel->hide();
    return panel;
}

/// Lays out a row panel's name edit (taking the spare width) and its buttons.
inline void FillEditRow(QWidget* panel, QLineEdit* edit,
                        std::initializer_list<QPushButton*> buttons) {
    auto* row = qobject_cast<QHBoxLayout*>(panel->layout());
    row->addWidget(edit, 1);
    for (QPushButton* button : buttons) {
        row->addWidget(button);
    }
}

} // namespace veskar
