#include "gui/dialogs/SpinButton.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace veskar {

namespace {

QToolButton* MakeArrow(Qt::ArrowType arrow, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFixedSize(20, 13);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

SpinButton::SpinButton(QWidget* parent) : QWidget(parent) {
    UpButton = MakeArrow(Qt::UpArrow, "UpButton", this);
    DownButton = MakeArrow(Qt::DownArrow, "DownButton", this);
    connect(UpButton, &QToolButton::clicked, this, &SpinButton::UpClick);
    connect(DownButton, &QToolButton::clicked, this, &SpinButton::DownClick);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(UpButton);
    layout->addWidget(DownButton);
}

} // namespace veskar
