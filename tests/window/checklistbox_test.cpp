#include "WindowTestSupport.h"

#include "ui/TCheckListBox.h"

#include <QListWidgetItem>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace windowtest;
using ui::TCheckListBox;

namespace {

// Eight marks "A" to "H" in four columns, as on every channel page, shown so that clicks land.
class CheckListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApp();
        list = std::make_unique<TCheckListBox>();
        list->setGeometry(100, 100, 134, 40);
        for (char c = 'A'; c <= 'H'; ++c)
            list->AddItem(QString(QLatin1Char(c)));
        list->setColumns(4);
        QObject::connect(list.get(), &TCheckListBox::OnClickCheck, list.get(),
                         [this](TCheckListBox *sender, int index) {
                             clicks.push_back({sender, index, sender->Checked(index)});
                         });
        list->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    }

    QPoint checkIndicatorOf(int index) const
    {
        QStyleOptionViewItem option;
        option.initFrom(list.get());
        option.rect = list->visualItemRect(list->item(index));
        option.features =
            QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        option.text = list->item(index)->text();
        option.font = list->font();
        return list->style()
            ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list.get())
            .center();
    }

    struct Click {
        TCheckListBox *sender;
        int index;
        bool checkedWhenRaised;
    };

    std::unique_ptr<TCheckListBox> list;
    std::vector<Click> clicks;
};

} // namespace

TEST_F(CheckListTest, UserClickOnAMarkReportsItAfterTheChange)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, checkIndicatorOf(5));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].sender, list.get());
    EXPECT_EQ(clicks[0].index, 5);
    EXPECT_TRUE(clicks[0].checkedWhenRaised);
    EXPECT_TRUE(list->Checked(5));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, checkIndicatorOf(5));
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_FALSE(clicks[1].checkedWhenRaised);
    EXPECT_FALSE(list->Checked(5));
}

TEST_F(CheckListTest, SpaceKeyTogglesTheCurrentMarkAsTheUser)
{
    list->setFocus();
    list->setCurrentRow(2);
    QTest::keyClick(list.get(), Qt::Key_Space);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].index, 2);
    EXPECT_TRUE(clicks[0].checkedWhenRaised);
}

TEST_F(CheckListTest, MarksSetFromCodeRaiseNothing)
{
    list->setChecked(0, true);
    list->setChecked(7, true);
    list->item(3)->setCheckState(Qt::Checked);
    list->setChecked(0, false);
    list->setChecked(42, true);
    EXPECT_TRUE(clicks.empty());
    EXPECT_FALSE(list->Checked(0));
    EXPECT_TRUE(list->Checked(3));
    EXPECT_TRUE(list->Checked(7));
    EXPECT_FALSE(list->Checked(42));
    EXPECT_FALSE(list->Checked(-1));
}

TEST_F(CheckListTest, ClickBesideTheMarkChangesNothing)
{
    const QRect cell = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(cell.right() - 1, cell.center().y()));
    EXPECT_TRUE(clicks.empty());
    EXPECT_FALSE(list->Checked(1));
}

// Items run down a column and wrap into the next one; how many rows depends on the height.
TEST_F(CheckListTest, ColumnsAndHeightDecideTheGrid)
{
    struct Case {
        int items;
        int columns;
        int height;
        int rows;
    };
    const Case cases[] = {{8, 4, 40, 2}, {4, 4, 20, 1}, {2, 2, 20, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.items << " items, " << c.columns << " columns, height " << c.height);
        while (list->count() > c.items)
            list->DeleteItem(list->count() - 1);
        list->setColumns(c.columns);
        list->setHeight(c.height);
        QApplication::processEvents();
        EXPECT_EQ(list->height(), c.height);
        EXPECT_EQ(list->Columns(), c.columns);

        std::set<int> xs, ys;
        for (int i = 0; i < list->count(); ++i) {
            const QRect r = list->visualItemRect(list->item(i));
            EXPECT_TRUE(list->viewport()->rect().contains(r)) << "item " << i << " not in view";
            xs.insert(r.x());
            ys.insert(r.y());
            if (i % c.rows != 0) { // below the previous item in the same column
                EXPECT_GT(r.y(), list->visualItemRect(list->item(i - 1)).y());
            }
        }
        EXPECT_EQ(static_cast<int>(xs.size()), c.columns);
        EXPECT_EQ(static_cast<int>(ys.size()), c.rows);
    }
}

TEST_F(CheckListTest, DeletingKeepsTheOtherMarks)
{
    list->setChecked(1, true);
    list->setChecked(6, true);
    list->DeleteItem(7);
    list->DeleteItem(6);
    list->DeleteItem(99);
    ASSERT_EQ(list->count(), 6);
    EXPECT_TRUE(list->Checked(1));
    EXPECT_EQ(list->item(5)->text(), latin("F"));
    EXPECT_TRUE(clicks.empty());
}
