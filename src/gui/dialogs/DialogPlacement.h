#pragma once

#include <QString>

class QWidget;

namespace veskar {

/// Moves a dialog form so that it is centred over source (the active window when source is null,
/// the work area of the screen when there is no window either), kept inside the work area of the
/// screen it lands on, and makes it a transient of that window. Call after the form has its
/// final size.
void CenterOver(QWidget* form, QWidget* source);

/// The dialog caption: the given title, or the application's display title when it is empty.
QString CaptionOrAppTitle(const QString& title);

} // namespace veskar
