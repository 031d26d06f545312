// Texts wider than their controls' designed rectangles: the widgets widen to
// show them whole, away from the side the text keeps to, inside their container.
#include <random>

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include <gtest/gtest.h>

#include "QtTestSupport.h"
#include "qt/Look.h"
#include "qt/NumberGlyphs.h"
#include "ui/Form.h"

namespace {

using qttest::widgetOf;

class NarrowForm : public ui::Form {
public:
    explicit NarrowForm(ui::Runtime& rt) : ui::Form(rt, "frmNarrow")
    {
        Width = 300;
        Height = 300;
        fraBox.move(10, 10, 200, 140);
        for (ui::Control* c : std::initializer_list<ui::Control*>{&lblLeft, &lblRight, &lblWrapped, &chkEdge})
            c->setContainer(&fraBox);
        lblLeft.move(10, 20, 40, 18);
        lblLeft.Caption = "A caption longer than its label";
        lblRight.move(150, 45, 40, 18);
        lblRight.Alignment = 1;
        lblRight.Caption = "Right aligned text";
        lblWrapped.move(10, 70, 120, 40);
        lblWrapped.Caption = "Two short lines that wrap";
        chkEdge.move(150, 115, 40, 20);
        chkEdge.Caption = "A check box caption";
        cmdEdge.move(250, 160, 40, 24);
        cmdEdge.Caption = "A wide caption";
        grdList.move(10, 200, 100, 80);
        grdList.setCols(2);
        grdList.setRows(2);
        grdList.setColWidth(0, 20);
        grdList.setColWidth(1, 20);
        grdList.setTextMatrix(0, 1, "Description");
        grdList.setTextMatrix(1, 1, "A longer description");
    }

    ui::Frame fraBox{*this, "fraBox"};
    ui::Label lblLeft{*this, "lblLeft"};
    ui::Label lblRight{*this, "lblRight"};
    ui::Label lblWrapped{*this, "lblWrapped"};
    ui::CheckBox chkEdge{*this, "chkEdge"};
    ui::CommandButton cmdEdge{*this, "cmdEdge"};
    ui::Grid grdList{*this, "grdList"};
};

struct QtFitting : ::testing::Test {
    qt::QtRuntime rt;
    NarrowForm f{rt};
    qt::WindowsFirst windowsFirst{rt};

    void SetUp() override
    {
        f.Show();
        rt.updateViews();
    }
    int textWidth(const QWidget* w, const std::string& text) const
    {
        return w->fontMetrics().horizontalAdvance(QString::fromStdString(text));
    }
};

TEST_F(QtFitting, LabelsWidenAwayFromTheirAlignedSideAndWrappedTextKeepsItsRectangle)
{
    const QLabel* left = widgetOf<QLabel>(rt, f.lblLeft);
    EXPECT_EQ(left->x(), 10);
    EXPECT_GE(left->width(), textWidth(left, f.lblLeft.Caption));

    const QLabel* right = widgetOf<QLabel>(rt, f.lblRight);
    EXPECT_EQ(right->geometry().right(), 150 + 40 - 1);
    EXPECT_GE(right->width(), textWidth(right, f.lblRight.Caption));

    EXPECT_EQ(widgetOf<QLabel>(rt, f.lblWrapped)->geometry(), QRect(10, 70, 120, 40));

    // A shorter caption gives the room back.
    f.lblLeft.Caption = "Short";
    rt.updateViews();
    EXPECT_EQ(left->geometry(), QRect(10, 20, 40, 18));
}

TEST_F(QtFitting, AtTheContainersEdgeTheWidgetMovesBackInsteadOfCrossingIt)
{
    const QCheckBox* check = widgetOf<QCheckBox>(rt, f.chkEdge);
    EXPECT_GE(check->width(), check->sizeHint().width());
    EXPECT_LE(check->geometry().right(), f.fraBox.Width - 1);

    const QPushButton* button = widgetOf<QPushButton>(rt, f.cmdEdge);
    EXPECT_GE(button->width(), textWidth(button, f.cmdEdge.Caption));
    EXPECT_LE(button->geometry().right(), f.Width - 1);
    EXPECT_EQ(button->y(), 160);
}

TEST_F(QtFitting, GridColumnsShowTheirWidestTextAndTheGridShowsEveryColumn)
{
    auto* grid = widgetOf<QTableWidget>(rt, f.grdList);
    EXPECT_LT(grid->columnWidth(0), textWidth(grid, "Description"));
    EXPECT_GE(grid->columnWidth(1), textWidth(grid, "A longer description"));
    qttest::pump(10);
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(grid->height(), 80);
    // The model keeps its own widths.
    EXPECT_EQ(f.grdList.ColWidth(1), 20);
}

}  // namespace

// Readings are measured from their glyphs' advances, unshaped: the width must
// be the one the font metrics give, in every font the forms use.
TEST(QtTextAdvance, ANumberMeasuresAsTheFontMetricsMeasureIt)
{
    const QString chars = QStringLiteral("0123456789+-., ABCDEF");
    std::mt19937 rng(7);
    std::uniform_int_distribution<qsizetype> pick(0, chars.size() - 1);
    std::uniform_int_distribution<int> length(1, 14);
    for (bool bold : {false, true})
        for (int size : {0, 7, 10, 12}) {
            const QFont font = qt::controlFont(bold, size);
            for (int i = 0; i < 300; ++i) {
                QString text;
                for (int n = length(rng); n > 0; --n)
                    text += chars[pick(rng)];
                ASSERT_EQ(qt::textAdvance(font, text), QFontMetrics(font).horizontalAdvance(text))
                    << text.toStdString() << " bold " << bold << " size " << size;
            }
            for (const char* shaped : {"3.615 V", "Fe", "0x7F"})
                EXPECT_EQ(qt::textAdvance(font, shaped), QFontMetrics(font).horizontalAdvance(shaped));
        }
}
