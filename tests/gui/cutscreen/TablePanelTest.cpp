#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include "core/timelists/StartColors.h"
#include "gui/cutscreen/TablePanel.h"
#include "support/FakeHost.h"
#include "support/GuiDriver.h"

namespace veskar {
namespace {

class TablePanelTest : public testing::Test {
protected:
    TablePanelTest() {
        format.SetMinutesMode(false);
        format.SetFileLength(10000);
        registered.Assign({"01000", "05000"}, {"2", ""});
        registered.SelectAll();
        panel.AddRowsFrom(registered, format, {});
    }
    QString Cell(int row, int column) const {
        return panel.ListView_T->topLevelItem(row)->text(column);
    }

    TimeFormat format;
    RegisteredList registered;
    NumberedTimeTable table;
    test::FakeHost host;
    TablePanel panel{table, host.messenger, host.pump};
};

TEST_F(TablePanelTest, AddingShowsThePanelWithItsRows) {
    EXPECT_TRUE(panel.isVisible());
    ASSERT_EQ(panel.ListView_T->topLevelItemCount(), 2);
    EXPECT_EQ(Cell(1, 0) + ' ' + Cell(1, 1) + ' ' + Cell(1, 2), "2 05000 10000");
    EXPECT_EQ(panel.Label_TT_Kosu->text(), "2ｺ");
}

TEST_F(TablePanelTest, ButtonsRunTheTableOperations) {
    test::SelectRows(panel.ListView_T, {0});
    panel.Btn_TT_DOWN->click();
    EXPECT_EQ(Cell(1, 1), "01000");
    EXPECT_TRUE(panel.ListView_T->topLevelItem(1)->isSelected());

    QSignalSpy stops(&panel, &TablePanel::StopPlayback);
    panel.Btn_TT_DEL->click();
    EXPECT_EQ(stops.count(), 1);
    EXPECT_EQ(host.messenger.Texts().back(), RowsDeletedMessage(1));
    EXPECT_EQ(panel.Label_TT_Kosu->text(), "1ｺ");
}

TEST_F(TablePanelTest, CancelButtonStopsAddingRows) {
    registered.Assign({"00100", "00200", "00300"}, {});
    registered.SelectAll();
    host.pump.onProcess = [this] { table.Count() == 3 ? panel.Btn_T_Cancel->click() : void(); };
    panel.AddRowsFrom(registered, format, {});
    EXPECT_EQ(panel.ListView_T->topLevelItemCount(), 3);
    EXPECT_TRUE(panel.Btn_T_Cancel->isHidden() && !panel.Btn_TT_No->isHidden());
}

TEST_F(TablePanelTest, ColumnClicksSortOnlyWhileSortIsTicked) {
    table.Append({"10", "00000", "00500", {}, {}, {}, {}});
    panel.ShowRows();
    panel.ListView_T->header()->sectionClicked(0);
    EXPECT_EQ(Cell(0, 0), "1") << "Sort not ticked";
    panel.CheckBox_TT_Sort->click();
    panel.ListView_T->header()->sectionClicked(1);
    EXPECT_EQ(Cell(0, 0), "10");
}

TEST_F(TablePanelTest, PlayModeBoxAnnouncesTheUsersChoiceOnly) {
    QSignalSpy chosen(&panel, &TablePanel::PlayModeChosen);
    panel.SetPlayMode(CutPlayMode::Repeat);
    EXPECT_EQ(panel.ComboBox_TT_PM->currentText(), "リピート");
    panel.ComboBox_TT_PM->activated(2);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).value<CutPlayMode>(), CutPlayMode::Continuous);
}

} // namespace
} // namespace veskar
