#pragma once

#include <QDialog>
#include <QPointer>

#include "core/host/TextViewer.h"

class QPlainTextEdit;

namespace veskar {

/// A plain window that shows a text file read-only in a fixed-pitch font, titled with the file's
/// name. It is not modal: the engine does not wait for the user to read.
class TextFileWindow : public QDialog {
    Q_OBJECT
public:
    explicit TextFileWindow(QWidget* parent = nullptr);

    /// Reads the file (UTF-8) into the window; false, with the window unchanged, when it cannot
    /// be read.
    bool Load(const QString& path);

    QPlainTextEdit* Memo = nullptr;
};

/// The window's text viewer: the desktop's application for the file when there is one, else the
/// program's own TextFileWindow, so a record is always shown once it could be written. False only
/// when the file cannot be read.
class WindowTextViewer : public TextViewer {
public:
    WindowTextViewer(TextViewer& desktop, QWidget* parent) : m_desktop(desktop), m_parent(parent) {}

    bool ShowTextFile(const QString& path) override;

    /// The own window, once it was needed.
    TextFileWindow* Window() const { return m_window; }

private:
    TextViewer& m_desktop;
    QWidget* m_parent;
    QPointer<TextFileWindow> m_window;
};

} // namespace veskar
