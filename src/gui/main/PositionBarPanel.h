#pragma once

#include <QFrame>

class QLabel;

namespace veskar {

/// A position bar: a coloured label inside a black panel whose width in pixels shows the play
/// position. The user drags it with the mouse; releasing it asks for a play from there.
class PositionBarPanel : public QFrame {
    Q_OBJECT
public:
    /// panelName and barName are the form names (Panel_PB_M / Label_PB_M, Panel_B0 / Label_B1).
    PositionBarPanel(const QString& panelName, const QString& barName, const QColor& color,
                     QWidget* parent = nullptr);

    QLabel* Bar() const { return m_bar; }
    int BarWidth() const;
    /// Shows a position; ignored while the user drags the bar, so the poll does not fight him.
    void SetBarWidth(int pixels);
    bool Dragging() const { return m_dragging; }

signals:
    /// The user let go of the bar at this pixel (limited to the panel).
    void Released(int pixel);
    /// The panel changed its width.
    void WidthChanged(int width);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowWidth(int pixels);
    int Limited(int x) const;

    QLabel* m_bar = nullptr;
    bool m_dragging = false;
};

} // namespace veskar
