#include "app/ui/CustomizeToolbarsDialog.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace dialtally {

namespace {

class CustomizeToolbars : public ::testing::Test {
protected:
    CustomizeToolbars() : dialog(toolbars)
    {
        dialog.OnChanged = [this](const ToolbarSettings& now) { applied.push_back(now); };
        dialog.show();
        available = dialog.findChild<QListWidget*>("ListBoxAvailable");
        visible = dialog.findChild<QListWidget*>("ListBoxVisible");
    }

    ToolbarSettings toolbars;
    TDlgBars dialog;
    std::vector<ToolbarSettings> applied;
    QListWidget* available = nullptr;
    QListWidget* visible = nullptr;
};

TEST_F(CustomizeToolbars, RemoveAndAddTakeEffectAtOnce)
{
    ASSERT_EQ(visible->count(), 34);
    visible->setCurrentRow(9);
    ASSERT_EQ(visible->currentItem()->text(), "Separator 2");
    QTest::mouseClick(dialog.findChild<QPushButton*>("BtnRemove"), Qt::LeftButton);
    EXPECT_FALSE(toolbars.Btn[5]);
    ASSERT_EQ(applied.size(), 1U);
    EXPECT_FALSE(applied.back().Btn[5]);
    EXPECT_EQ(visible->currentItem()->text(), "Copy");
    ASSERT_EQ(available->count(), 1);

    available->setCurrentRow(0);
    QTest::mouseClick(dialog.findChild<QPushButton*>("BtnAdd"), Qt::LeftButton);
    EXPECT_TRUE(toolbars.Btn[5]);
    EXPECT_EQ(visible->item(9)->text(), "Separator 2");
    EXPECT_EQ(available->count(), 0);
    EXPECT_EQ(applied.size(), 2U);
}

TEST_F(CustomizeToolbars, RemoveWithoutSelectionDoesNothing)
{
    visible->clearSelection();
    dialog.BtnRemoveClick();
    EXPECT_EQ(toolbars, ToolbarSettings{});
    EXPECT_TRUE(applied.empty());
}

TEST_F(CustomizeToolbars, TextLabelsSwitchBothBars)
{
    dialog.findChild<QCheckBox*>("CheckBoxLabels")->click();
    EXPECT_TRUE(toolbars.TextLabels);
    ASSERT_EQ(applied.size(), 1U);
    EXPECT_TRUE(applied.back().TextLabels);
}

} // namespace

} // namespace dialtally
