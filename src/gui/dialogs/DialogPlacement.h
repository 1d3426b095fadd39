#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace veskar {

/// Moves a dialog form so that it is centred over source (the active window when source is null,
/// the work area of the screen when there is no window either), kept inside the work area of the
/// screen it lands on, and makes it a transient of that window. Call after the form has its
/// final size.
void CenterOver(QWidget* form, QWidget* source);

/// The dialog caption: the given title, or the application's display title when it is empty.
QString CaptionOrAppTitle(const QString& title);

/// The "設 定" / "中 止" row of the setting boxes, right-aligned. "中 止" closes the dialog with
/// Cancel; the caller connects "設 定" to its own check.
QHBoxLayout* MakeSetCancelRow(QDialog* dialog, QPushButton*& set, QPushButton*& cancel);

} // namespace veskar
