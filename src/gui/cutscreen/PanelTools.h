#pragma once

#include <QString>

#include "gui/main/BusyCursor.h"

class QAbstractItemView;
class QPushButton;
class QWidget;

namespace veskar {

/// A small button of the cut screen's panels: no focus (the lists keep it), sized to its
/// caption.
QPushButton* MakePanelButton(const QString& name, const QString& caption, const QString& hint,
                             QWidget* parent);

/// Enables a button that starts a run, or disables it with its caption in silver while the run
/// lasts.
void SetRunButtonEnabled(QPushButton* button, bool enabled);

/// Paints a list red while it is full (it refused lines), in its normal colours otherwise.
/// Whether a list is full is the engine's to say.
void ShowListFull(QAbstractItemView* box, bool full);

/// Fixes the width of a time list to its widest line in bold (the selected line) and its
/// scroll bar.
void FitTimeListWidth(QAbstractItemView* box, const QString& widestText);

/// Gives a time list room for at least `lines` lines of its font (a line is one pixel taller
/// than the text), however little room its panel has.
void KeepTimeListLines(QAbstractItemView* box, int lines);

} // namespace veskar
