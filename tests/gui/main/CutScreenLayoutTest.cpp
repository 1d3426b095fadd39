#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "gui/cutscreen/AnalysisPanels.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/main/CutFileOpener.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "support/AnalysisRecordings.h"
#include "support/GuiDriver.h"
#include "support/WavFiles.h"

namespace veskar {
namespace {

QString Caption(const QWidget* control) {
    QString text;
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        text = button->text();
    } else if (const auto* label = qobject_cast<const QLabel*>(control)) {
        text = label->text();
    }
    return text.remove('&');
}

/// Room the control gives its caption: a radio button's indicator takes part of it.
int CaptionRoom(const QWidget* control) {
    int room = control->contentsRect().width();
    if (qobject_cast<const QRadioButton*>(control) != nullptr) {
        room -= control->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                control->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    }
    return room;
}

QRect InWindow(const QWidget* control, const QWidget* window) {
    return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
}

// The cut screen with the silence panel open and its lists filled, as a user sees it on the
// smallest and a common screen: every control inside the window and its parent, no two on top
// of each other, and every caption whole.
TEST(CutScreenLayoutTest, EveryControlIsWholeAt1024x700And1280x800) {
    test::WavFiles files;
    const QString path = files.Write("take.wav", test::SongsRecording());
    for (const QSize size : {QSize(1024, 700), QSize(1280, 800)}) {
        SCOPED_TRACE(QString("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        TKOTAN_VESKAR window;
        test::BoxAnswerer answers(window.MKBoxDlg1);
        ASSERT_TRUE(window.cutFileOpener->ChooseCutFile(path));
        window.ShowCutScreen();
        SilencePanel& silence = *window.analysisPanels->silencePanel;
        silence.Btn_Muon->click();
        silence.Btn_Muon_START->click();
        window.resize(size);
        window.show();
        // Two rounds: the silence lists choose their rows from the width they are given.
        for (int round = 0; round < 2; ++round) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            window.grab();
        }
        ASSERT_EQ(window.size(), size);

        std::vector<QWidget*> controls;
        for (QWidget* w : window.findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) != nullptr ||
                                 qobject_cast<QLineEdit*>(w) != nullptr ||
                                 qobject_cast<QLabel*>(w) != nullptr ||
                                 qobject_cast<QComboBox*>(w) != nullptr ||
                                 qobject_cast<QAbstractItemView*>(w) != nullptr;
            if (control && w->isVisible() && w->window() == &window) {
                controls.push_back(w);
            }
        }
        ASSERT_GT(controls.size(), 100U);
        for (const QWidget* c : controls) {
            const std::string name = c->objectName().toStdString() + " " + Caption(c).toStdString();
            EXPECT_TRUE(c->parentWidget()->rect().contains(c->geometry()))
                << name << " is cut off by its parent";
            EXPECT_LE(c->fontMetrics().horizontalAdvance(Caption(c)), CaptionRoom(c))
                << name << " does not show its whole caption";
        }
        for (size_t i = 0; i < controls.size(); ++i) {
            for (size_t j = i + 1; j < controls.size(); ++j) {
                const QWidget* a = controls[i];
                const QWidget* b = controls[j];
                if (a->isAncestorOf(b) || b->isAncestorOf(a)) {
                    continue;
                }
                EXPECT_FALSE(InWindow(a, &window).intersects(InWindow(b, &window)))
                    << a->objectName().toStdString() << " " << Caption(a).toStdString()
                    << " overlaps " << b->objectName().toStdString() << " "
                    << Caption(b).toStdString();
            }
        }
    }
}

} // namespace
} // namespace veskar
