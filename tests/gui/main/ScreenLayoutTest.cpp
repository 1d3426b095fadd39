#include <gtest/gtest.h>

#include <QLabel>
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

// Both screens, the cut screen with the silence lists filled, on the smallest screen and a
// common one: every control inside its parent, none on another, every caption whole (a radio
// button's indicator takes part of its width).
TEST(ScreenLayoutTest, EveryControlIsWholeAt1024x700And1280x800) {
    test::WavFiles files;
    const QString path = files.Write("take.wav", test::SongsRecording());
    for (const auto& [size, cutScreen] : {std::pair{QSize(1024, 700), true},
                                          {QSize(1280, 800), true},
                                          {QSize(1024, 700), false},
                                          {QSize(1280, 800), false}}) {
        SCOPED_TRACE(testing::Message() << size.width() << (cutScreen ? " cut" : " file"));
        TKOTAN_VESKAR window;
        test::BoxAnswerer answers(window.MKBoxDlg1);
        ASSERT_TRUE(window.cutFileOpener->ChooseCutFile(path));
        window.ShowCutScreen();
        window.analysisPanels->silencePanel->Btn_Muon->click();
        window.analysisPanels->silencePanel->Btn_Muon_START->click();
        if (!cutScreen) {
            window.ShowFileScreen();
        }
        window.resize(size);
        window.show();
        // Twice: the silence lists choose their rows from the width they are given.
        for (int round = 0; round < 2; ++round) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        }
        ASSERT_EQ(window.size(), size);

        std::vector<std::pair<QWidget*, QRect>> controls;
        for (QWidget* w : window.findChildren<QWidget*>()) {
            if (w->isVisible() && w->window() == &window &&
                (w->inherits("QAbstractButton") || w->inherits("QLineEdit") ||
                 w->inherits("QLabel") || w->inherits("QComboBox") ||
                 w->inherits("QAbstractItemView"))) {
                // Only what shows: a control scrolled out of its panel is reached by scrolling.
                QRect shown(w->mapTo(&window, QPoint()), w->size());
                for (QWidget* p = w->parentWidget(); p != &window; p = p->parentWidget()) {
                    shown &= QRect(p->mapTo(&window, QPoint()), p->size());
                }
                if (!shown.isEmpty()) {
                    controls.emplace_back(w, shown);
                }
            }
        }
        ASSERT_GT(controls.size(), cutScreen ? 100U : 30U);
        for (const auto& [c, rect] : controls) {
            auto* button = qobject_cast<QAbstractButton*>(c);
            auto* label = qobject_cast<QLabel*>(c);
            const QString caption = QString(button ? button->text() : label ? label->text() : "")
                                        .remove('&');
            const int indicator = qobject_cast<QRadioButton*>(c) == nullptr
                                      ? 0
                                      : c->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                                            c->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
            const std::string name = (c->objectName() + " " + caption).toStdString();
            EXPECT_TRUE(c->parentWidget()->rect().contains(c->geometry())) << name << " cut off";
            EXPECT_LE(c->fontMetrics().horizontalAdvance(caption),
                      c->contentsRect().width() - indicator)
                << name << " caption cut";
            for (const auto& [other, otherRect] : controls) {
                if (c < other && !c->isAncestorOf(other) && !other->isAncestorOf(c)) {
                    EXPECT_FALSE(rect.intersects(otherRect))
                        << name << " on " << other->objectName().toStdString();
                }
            }
        }
    }
}

} // namespace
} // namespace veskar
