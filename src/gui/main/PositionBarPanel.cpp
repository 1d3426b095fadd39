#include "gui/main/PositionBarPanel.h"

#include <algorithm>

#include <QLabel>
#include <QMouseEvent>

namespace veskar {

PositionBarPanel::PositionBarPanel(const QString& panelName, const QString& barName,
                                   const QColor& color, QWidget* parent)
    : QFrame(parent) {
    setObjectName(panelName);
    setToolTip(QStringLiteral("再生バー"));
    setFixedHeight(12);
    setMinimumWidth(120);
    setAutoFillBackground(true);
    QPalette panelPalette = palette();
    panelPalette.setColor(QPalette::Window, Qt::black);
    setPalette(panelPalette);
    setCursor(Qt::PointingHandCursor);

    m_bar = new QLabel(this);
    m_bar->setObjectName(barName);
    m_bar->setAutoFillBackground(true);
    QPalette barPalette = m_bar->palette();
    barPalette.setColor(QPalette::Window, color);
    m_bar->setPalette(barPalette);
    // The panel handles the mouse; the bar only shows.
    m_bar->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_bar->setGeometry(0, 0, 0, height());
}

int PositionBarPanel::BarWidth() const {
    return m_bar->width();
}

void PositionBarPanel::SetBarWidth(int pixels) {
    if (!m_dragging) {
        ShowWidth(pixels);
    }
}

void PositionBarPanel::ShowWidth(int pixels) {
    m_bar->setGeometry(0, 0, std::max(pixels, 0), height());
}

int PositionBarPanel::Limited(int x) const {
    return std::clamp(x, 0, width());
}

void PositionBarPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QFrame::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    ShowWidth(Limited(qRound(event->position().x())));
    event->accept();
}

void PositionBarPanel::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        ShowWidth(Limited(qRound(event->position().x())));
    }
    event->accept();
}

void PositionBarPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging || event->button() != Qt::LeftButton) {
        QFrame::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    const int pixel = Limited(qRound(event->position().x()));
    ShowWidth(pixel);
    event->accept();
    emit Released(pixel);
}

void PositionBarPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    m_bar->setGeometry(0, 0, std::min(m_bar->width(), width()), height());
    emit WidthChanged(width());
}

} // namespace veskar
