#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

namespace veskar {

class MixerPanels;

/// A vertical bar drawn full from the bottom; its state is the height of the empty part on top.
/// A draggable bar reports where the user let go.
class LevelBar : public QWidget {
    Q_OBJECT
public:
    LevelBar(int fullHeight, QColor color, bool draggable, QWidget* parent = nullptr);
    void SetEmptyHeight(int height);
    int EmptyHeight() const { return m_empty; }

signals:
    void Released(int emptyHeight);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_full;
    QColor m_color;
    bool m_draggable;
    bool m_dragging = false;
    int m_empty = 0;
};

/// One slot's panel: the value "Now", the two faders, the volume bar, Max / Min, mute, line
/// selection and peak meter. It shows what the model holds and hands every user action to it.
class VolumePanel : public QWidget {
    Q_OBJECT
public:
    VolumePanel(MixerPanels& model, int slot, QWidget* parent = nullptr);

    QLabel* Label_NOW = nullptr;
    QSpinBox* UpDown = nullptr;
    QSlider* UpDown_L = nullptr;
    LevelBar* Label_VM1 = nullptr;
    QPushButton* Btn_MAX = nullptr;
    QPushButton* Btn_MIN = nullptr;
    QCheckBox* Ch_MT = nullptr;
    QCheckBox* Ch_MX = nullptr;
    QComboBox* ComboBox_MX = nullptr;
    QPushButton* Btn_Peek = nullptr;
    LevelBar* Label_PK = nullptr;
    QPushButton* Btn_PK = nullptr; ///< shows the highest peak; a click resets it

private:
    void ShowSlot();
    void ShowPeak();

    MixerPanels& m_model;
    int m_slot;
};

} // namespace veskar
